// Start-up and shutdown of the real program with the simulated adapter: one copy at a time,
// silent refusal, and the library stopped exactly once on every way out.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "AppProcess.h"
#include "DecoyFolder.h"
#include "SimClient.h"

using tarnel::sim::NvCall;
using tarnel::sim::SimClient;
using tarnel::test::AppProcess;
using tarnel::test::CountMainWindows;
using tarnel::test::DecoyFolder;
using tarnel::test::ProgramFolder;

namespace {

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim.Open());
    sim.ResetToDefaults();
  }
  SimClient sim;
};

TEST_F(Startup, ClosingTheWindowStopsTheLibraryOnce) {
  AppProcess app;
  ASSERT_TRUE(app.Start());
  HWND window = app.WaitForMainWindow();
  ASSERT_TRUE(window) << "the main window appears";
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_EQ(1u, sim.CallCount(NvCall::NV_Initialize));
  EXPECT_EQ(0u, sim.CallCount(NvCall::NV_Stop));

  ::PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(app.WaitForExit());
  EXPECT_EQ(0u, app.ExitCode());
  EXPECT_EQ(1u, sim.CallCount(NvCall::NV_Stop));
  EXPECT_EQ(1u, sim.CallCount(NvCall::NV_Initialize));
}

TEST_F(Startup, SecondCopyEndsSilentlyAndTheFirstRunsOn) {
  AppProcess first;
  ASSERT_TRUE(first.Start());
  HWND window = first.WaitForMainWindow();
  ASSERT_TRUE(window);

  AppProcess second;
  ASSERT_TRUE(second.Start());
  ASSERT_TRUE(second.WaitForExit(5000)) << "the second copy ends at once";
  EXPECT_EQ(0u, second.ExitCode());
  EXPECT_EQ(0, CountMainWindows(second.Id())) << "it showed nothing";
  EXPECT_EQ(1u, sim.CallCount(NvCall::NV_Initialize)) << "the second copy never initialised";
  EXPECT_EQ(1u, sim.CallCount(NvCall::NV_Stop)) << "yet it stopped the library on its way out";

  EXPECT_TRUE(first.IsRunning());
  EXPECT_TRUE(::IsWindowVisible(window)) << "the first copy is left as it was";
  EXPECT_EQ(1, CountMainWindows());

  ::PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(first.WaitForExit());
  EXPECT_EQ(2u, sim.CallCount(NvCall::NV_Stop));
}

TEST_F(Startup, UnusableLibraryEndsWithNoWindowAndStopsOnce) {
  sim.SetInitializeAnswer(false);
  AppProcess app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForExit(5000));
  EXPECT_EQ(0u, app.ExitCode());
  EXPECT_EQ(0, CountMainWindows(app.Id()));
  EXPECT_EQ(1u, sim.CallCount(NvCall::NV_Initialize));
  EXPECT_EQ(1u, sim.CallCount(NvCall::NV_Stop));
}

// A folder of its own holding only the program: no driver-control library beside it.
class LoneProgram {
 public:
  LoneProgram() {
    char temp[MAX_PATH] = {0};
    ::GetTempPathA(MAX_PATH, temp);
    m_folder = std::string(temp) + "tarnel-lone-" + std::to_string(::GetCurrentProcessId()) + "\\";
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    m_copied = ::CopyFileA((ProgramFolder() + "Tarnel_UI.exe").c_str(), Exe().c_str(), FALSE) != 0;
  }
  ~LoneProgram() {
    ::DeleteFileA(Exe().c_str());
    ::RemoveDirectoryA(m_folder.c_str());
  }
  std::string Exe() const { return m_folder + "Tarnel_UI.exe"; }
  bool Copied() const { return m_copied; }

 private:
  std::string m_folder;
  bool m_copied = false;
};

// No driver-control library beside the program or in the system folder, but files of the driver
// package's names in the folder it is started from and on PATH: as a program that runs with
// administrator rights, it loads none of them.
TEST_F(Startup, MissingLibraryEndsAtOnceWithoutWindowOrCrashLoadingNoDecoy) {
  LoneProgram lone;
  ASSERT_TRUE(lone.Copied());
  DecoyFolder current("cwd", {"NvkLib.dll", "CMSetup.dll"});
  DecoyFolder onPath("path", {"NvkLib.dll", "CMSetup.dll"});
  ASSERT_TRUE(current.Ready() && onPath.Ready());
  onPath.PutOnPath();
  AppProcess app(lone.Exe());
  app.SetWorkFolder(current.Path());
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForExit(5000));
  EXPECT_EQ(0u, app.ExitCode()) << "a crash ends with an exception code";
  EXPECT_EQ(0, CountMainWindows(app.Id()));
  EXPECT_EQ(0u, sim.CallCount(NvCall::NV_Initialize)) << "the simulated adapter was not reached";
  EXPECT_FALSE(current.AnyLoaded()) << "a library in the current folder was loaded";
  EXPECT_FALSE(onPath.AnyLoaded()) << "a library on PATH was loaded";
}

}  // namespace
