// What each shipped program tells the system about itself: one embedded manifest carrying the
// version its version resource carries, the rights it asks for, the systems it was made for and
// that it is not DPI aware, and no common-controls 6 dependency.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppProcess.h"

namespace tarnel::test {
namespace {

// A program loaded as data only, freed at scope exit.
class ProgramImage {
 public:
  explicit ProgramImage(const std::string& path)
      : m_module(::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~ProgramImage() {
    if (m_module) ::FreeLibrary(m_module);
  }
  ProgramImage(const ProgramImage&) = delete;
  ProgramImage& operator=(const ProgramImage&) = delete;
  HMODULE Get() const { return m_module; }

  std::string Resource(LPCSTR type, LPCSTR name) const {
    HRSRC found = ::FindResourceA(m_module, name, type);
    HGLOBAL data = found ? ::LoadResource(m_module, found) : nullptr;
    return data ? std::string(static_cast<const char*>(::LockResource(data)), ::SizeofResource(m_module, found))
                : std::string();
  }

 private:
  HMODULE m_module;
};

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// "a.b.c.d" from the version resource's fixed part.
std::string FileVersion(const ProgramImage& image) {
  const std::string data = image.Resource(MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1));  // RT_VERSION
  const auto* info = reinterpret_cast<const VS_FIXEDFILEINFO*>(data.data() + 40);  // after the header and key
  if (data.size() < 40 + sizeof(VS_FIXEDFILEINFO) || info->dwSignature != 0xFEEF04BD) return "<no version>";
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
}

int Occurrences(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(Manifest, EachProgramCarriesOneManifestWithItsVersionRightsAndSystems) {
  struct Program {
    const char* file;
    const char* level;
  };
  const Program programs[] = {
      {"Tarnel_UI.exe", "requireAdministrator"},  // writes the driver key, controls the adapter
      {"Tarnel_Setup.exe", "asInvoker"},          // runs inside the installer with its rights
  };
  const std::string arch = sizeof(void*) == 8 ? "amd64" : "x86";
  for (const Program& program : programs) {
    SCOPED_TRACE(program.file);
    const ProgramImage image(ProgramFolder() + program.file);
    ASSERT_TRUE(image.Get());
    int manifests = 0;
    ::EnumResourceNamesA(image.Get(), MAKEINTRESOURCEA(24), &CountName, reinterpret_cast<LONG_PTR>(&manifests));
    EXPECT_EQ(1, manifests) << "exactly one manifest (RT_MANIFEST)";
    const std::string manifest = image.Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    const std::string version = FileVersion(image);
    EXPECT_EQ(1, Occurrences(manifest, "version=\"" + version + "\"")) << "the version resource's " << version;
    EXPECT_EQ(1, Occurrences(manifest, "processorArchitecture=\"" + arch + "\""));
    EXPECT_EQ(1, Occurrences(manifest, std::string("level=\"") + program.level + "\""));
    EXPECT_EQ(5, Occurrences(manifest, "<supportedOS ")) << "Vista, 7, 8, 8.1, 10 and 11";
    EXPECT_EQ(1, Occurrences(manifest, ">false</dpiAware>"));
    EXPECT_EQ(1, Occurrences(manifest, ">unaware</dpiAwareness>"));
    EXPECT_EQ(0, Occurrences(manifest, "Common-Controls"));
  }
}

}  // namespace
}  // namespace tarnel::test
