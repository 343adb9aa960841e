// The driver-control table: filled by export name; a missing library or export leaves the
// program unable to initialise, and every other entry a harmless no-op.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "AppProcess.h"
#include "DecoyFolder.h"
#include "adapter/CmSetupLibrary.h"
#include "adapter/NvLibrary.h"
#include "adapter/TrustedLibrary.h"

using namespace tarnel;

namespace {

class Loader : public ::testing::Test {
 protected:
  void TearDown() override { InstallNvFunctions(SafeNvFunctions()); }
};

// Outputs keep what the caller preset when an entry is a no-op.
void ExpectSafeNoOps(const NvFunctions& nv) {
  int32_t signal = 77, quality = 66;
  nv.NV_GetStatusSignalInfo(&signal, &quality);
  EXPECT_EQ(77, signal);
  EXPECT_EQ(66, quality);
  char text[20];
  std::memset(text, 'x', sizeof(text));
  nv.NV_GetMacAddressString(text);
  EXPECT_EQ('x', text[0]);
  uint8_t survey[NV_SURVEY_BUFFER] = {0};
  EXPECT_EQ(0, nv.NV_SiteSurvey(survey));
  EXPECT_EQ(0, nv.NV_IsUnplug());
  nv.NV_SetWEPKey(0, 5, nullptr);
  nv.NV_Stop();
}

TEST_F(Loader, MissingLibraryCannotInitialise) {
  EXPECT_FALSE(LoadNvLibrary("NoSuchNvkLib.dll"));
  EXPECT_EQ(0, Nv().NV_Initialize(0));
  ExpectSafeNoOps(Nv());
}

TEST_F(Loader, LibraryLackingAnExportCannotInitialiseYetKeepsWhatItHas) {
  const std::string path = test::ProgramFolder() + "NvkLibPartial.dll";
  EXPECT_FALSE(LoadNvLibrary(path.c_str()));
  EXPECT_EQ(0, Nv().NV_Initialize(0)) << "its own NV_Initialize would answer 1";

  HMODULE partial = ::GetModuleHandleA(path.c_str());
  ASSERT_TRUE(partial) << "the library stays loaded while the table points into it";
  using Count = int(NVAPI*)(void);
  auto stops = reinterpret_cast<Count>(reinterpret_cast<void*>(::GetProcAddress(partial, "PartialStopCount")));
  ASSERT_TRUE(stops);
  const int before = stops();
  Nv().NV_Stop();
  EXPECT_EQ(before + 1, stops()) << "exports that exist are used";
  ExpectSafeNoOps(Nv());
}

TEST_F(Loader, SimulatedAdapterProvidesAllExports) {
  const std::string path = test::ProgramFolder() + "NvkLib.dll";
  EXPECT_TRUE(LoadNvLibrary(path.c_str()));
  HMODULE library = ::GetModuleHandleA(path.c_str());
  ASSERT_TRUE(library);
#define NV_EXPECT_SAME(name) \
  EXPECT_EQ(reinterpret_cast<void*>(::GetProcAddress(library, #name)), reinterpret_cast<void*>(Nv().name)) << #name;
  NV_FUNCTIONS(NV_EXPECT_SAME)
#undef NV_EXPECT_SAME
}

TEST_F(Loader, InstalledTableIsTheOneInUse) {
  NvFunctions table = SafeNvFunctions();
  static int initialised = 0;
  table.NV_Initialize = [](int32_t) -> NvFlag {
    ++initialised;
    return 1;
  };
  InstallNvFunctions(table);
  EXPECT_EQ(1, Nv().NV_Initialize(0));
  EXPECT_EQ(1, initialised);
}

std::string ModuleFolder(HMODULE module) {
  char path[MAX_PATH] = {0};
  const std::string full(path, module ? ::GetModuleFileNameA(module, path, MAX_PATH) : 0);
  return full.substr(0, full.find_last_of('\\') + 1);
}

// Libraries named like the driver package's (and two names only the decoys carry) in the current
// folder and in a folder on PATH: only the program's own folder and the system folder count.
TEST_F(Loader, DriverLibrariesComeOnlyFromTheProgramsFolderOrTheSystemFolder) {
  test::DecoyFolder current("cwd", {"DecoyCwd.dll", "NvkLib.dll", "CMSetup.dll", "version.dll"});
  test::DecoyFolder onPath("path", {"DecoyPath.dll", "NvkLib.dll", "CMSetup.dll", "version.dll"});
  ASSERT_TRUE(current.Ready() && onPath.Ready());
  onPath.PutOnPath();
  char before[MAX_PATH] = {0}, system[MAX_PATH] = {0};
  ::GetCurrentDirectoryA(MAX_PATH, before);
  ASSERT_TRUE(::SetCurrentDirectoryA(current.Path().c_str()));

  const struct {
    const char* name;
    std::string folder;  // where it must come from; empty: nowhere
  } cases[] = {
      {"NvkLib.dll", test::ProgramFolder()},
      {"version.dll", std::string(system, ::GetSystemDirectoryA(system, MAX_PATH)) + "\\"},
      {"DecoyCwd.dll", ""},
      {"DecoyPath.dll", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.folder, ModuleFolder(LoadTrustedLibrary(c.name))) << c.name;
  // Both users of the driver package's libraries go through it.
  EXPECT_FALSE(LoadNvLibrary("DecoyCwd.dll"));
  uint32_t problem = 0;
  EXPECT_FALSE(CmSetupLibrary("DecoyPath.dll").GetDevNodeProblem(0, &problem));
  EXPECT_FALSE(current.AnyLoaded()) << "a library in the current folder was loaded";
  EXPECT_FALSE(onPath.AnyLoaded()) << "a library on PATH was loaded";

  // The platform's own search does look in both places, so the marks would have shown a load.
  for (const char* name : {"DecoyCwd.dll", "DecoyPath.dll"}) {
    HMODULE plain = ::LoadLibraryA(name);
    EXPECT_TRUE(plain) << name;
    if (plain) ::FreeLibrary(plain);
  }
  EXPECT_TRUE(current.AnyLoaded() && onPath.AnyLoaded());
  ::SetCurrentDirectoryA(before);
}

}  // namespace
