#include "system/activex_registration.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "base/exception.h"
#include "platform/testing/version_fixtures.h"
#include "system/testing/install_machine.h"
#include "system/version_resource.h"

namespace kit {
namespace {

using testing::FixtureBytes;
using testing::FixturePath;
using testing::InstallMachine;
using testing::PutFile;
using testing::ScopedValue;
using Lines = std::vector<std::string>;

constexpr const char* kServersKey = "Software\\KitFixtures\\Servers";
constexpr const char* kFile = "InstallFile3";

TEST(SelfRegisteringTest, TheMarkIsLookedUpUnderTheFirstTranslation) {
  auto source = testing::FixtureVersionSource();
  StartVersionResources(source.get(), FixturePath("program.exe"));
  EXPECT_TRUE(IsSelfRegistering(FixturePath("inproc_server.dll")));
  EXPECT_TRUE(IsSelfRegistering(FixturePath("local_server.exe")));
  EXPECT_TRUE(IsSelfRegistering(FixturePath("selfreg.ocx")));  // Turkish, 041F04E6
  EXPECT_FALSE(IsSelfRegistering(FixturePath("program.exe")));
  EXPECT_FALSE(IsSelfRegistering(FixturePath("library_de.dll")));
  EXPECT_FALSE(IsSelfRegistering(FixturePath("noversion.dll")));
  EXPECT_FALSE(IsSelfRegistering(FixturePath("readme.txt")));
  EXPECT_FALSE(IsSelfRegistering(FixturePath("missing.ocx")));
  StopVersionResources();
  EXPECT_FALSE(IsSelfRegistering(FixturePath("inproc_server.dll")));
}

class ActiveXTest : public ::testing::Test {
 protected:
  ActiveXTest() : dir_(m_.Scratch() + "\\Servers Dir") {
    EXPECT_TRUE(m_.platform().Files().MakeDirectories(dir_));
    Copy("inproc_server.dll", "InProc.dll");
    Copy("inproc_server.dll", "RegFail.dll");
    Copy("local_server.exe", "Local Server.exe");
    Copy("noversion.dll", "NoExport.dll");
    Copy("readme.txt", "Broken.dll");
    Copy("readme.txt", "Broken.exe");
#ifndef _WIN32
    // What the real libraries answer under Windows.
    EmulatedMachine& e = m_.Emulated();
    e.SetExportResult(Path("RegFail.dll"), "DllRegisterServer", static_cast<int32_t>(0x80040201));
    e.SetOutcome(Path("Broken.exe"), "Start", "fail 193");
    e.ClearJournal();
#endif
  }

  void Copy(const std::string& fixture, const std::string& name) {
    std::string bytes = FixtureBytes(fixture);
    ASSERT_FALSE(bytes.empty()) << fixture;
    ASSERT_TRUE(PutFile(m_.platform(), Path(name), bytes));
  }
  std::string Path(const std::string& name) { return dir_ + "\\" + name; }

  // The value a fixture server leaves for itself ("" when there is none).
  std::string Registered(const std::string& path) {
    auto k = m_.platform().Reg().Open(RegRoot::kCurrentUser, kServersKey, RegAccess::kRead, false);
    RegValue v;
    if (!k || !k->Query(path, &v)) return "";
    return v.AsString().value_or("?");
  }
  // A local server registers itself in its own process: wait for it.
  std::string AwaitRegistered(const std::string& path, const std::string& want) {
    std::string got;
    for (int i = 0; i < 200; ++i) {
      got = Registered(path);
      if (got == want) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return got;
  }

  std::string Message(const std::function<void()>& f) {
    try {
      f();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "<no exception>";
  }

  InstallMachine m_;
  std::string dir_;
};

TEST_F(ActiveXTest, InProcessServerIsLoadedCalledAndFreed) {
  ScopedValue cleanup(m_.platform(), RegRoot::kCurrentUser, kServersKey, Path("InProc.dll"));
  RegisterDLLServer(dir_, "InProc.dll", kFile);
#ifdef _WIN32
  EXPECT_EQ(Registered(Path("InProc.dll")), "inproc");
#else
  EXPECT_EQ(m_.Emulated().Journal(),
            (Lines{"OleInitialize", "LoadModule " + Path("InProc.dll") + " -> ok",
                   "Call " + Path("InProc.dll") + "!DllRegisterServer() -> 0",
                   "UnloadModule " + Path("InProc.dll"), "OleUninitialize"}));
  m_.Emulated().ClearJournal();
#endif
  EXPECT_TRUE(UnregisterDLLServer(Path("InProc.dll")));
#ifdef _WIN32
  EXPECT_EQ(Registered(Path("InProc.dll")), "");
#else
  EXPECT_EQ(m_.Emulated().Journal(),
            (Lines{"LoadModule " + Path("InProc.dll") + " -> ok",
                   "Call " + Path("InProc.dll") + "!DllUnregisterServer() -> 0",
                   "UnloadModule " + Path("InProc.dll")}));
#endif
  EXPECT_FALSE(UnregisterDLLServer(Path("Missing.dll")));
  EXPECT_FALSE(UnregisterDLLServer(Path("NoExport.dll")));
  EXPECT_FALSE(UnregisterDLLServer(Path("Broken.dll")));
}

TEST_F(ActiveXTest, LocalServerIsStartedHiddenWithItsSwitch) {
  const std::string exe = Path("Local Server.exe");
  ScopedValue cleanup(m_.platform(), RegRoot::kCurrentUser, kServersKey, exe);
  EXPECT_EQ(ServerCommandLine(exe, "/REGSERVER"), "\"" + exe + "\" /REGSERVER");
  EXPECT_EQ(ServerCommandLine("C:\\Tavwin\\Srv.exe", "/REGSERVER"), "C:\\Tavwin\\Srv.exe /REGSERVER");
  RegisterEXEServer(dir_, "Local Server.exe", kFile);
#ifdef _WIN32
  EXPECT_EQ(AwaitRegistered(exe, "local"), "local");
#else
  EXPECT_EQ(m_.Emulated().Journal(),
            (Lines{"Exec \"" + exe + "\" /REGSERVER (hidden) -> 33"}));
  m_.Emulated().ClearJournal();
#endif
  EXPECT_TRUE(UnregisterEXEServer(exe));
#ifdef _WIN32
  EXPECT_EQ(AwaitRegistered(exe, ""), "");
#else
  EXPECT_EQ(m_.Emulated().Journal(),
            (Lines{"Exec \"" + exe + "\" /UNREGSERVER (hidden) -> 33"}));
#endif
  EXPECT_FALSE(UnregisterEXEServer(Path("Missing.exe")));
}

TEST_F(ActiveXTest, TargetMustBeNamedAndPresent) {
  const std::string blank =
      "Cannot not get support information for the file because the GetDestDir + DestName is "
      "blank. File component: InstallFile3";
  EXPECT_EQ(Message([&] { RegisterDLLServer("", " ", kFile); }), blank);
  EXPECT_EQ(Message([&] { RegisterEXEServer(" ", "", kFile); }), blank);
  const std::string missing = "Cannot not get support information for the file " +
                              Path("Missing.ocx") + ". File component: InstallFile3";
  EXPECT_EQ(Message([&] { RegisterDLLServer(dir_ + "\\", "Missing.ocx", kFile); }), missing);
  EXPECT_EQ(Message([&] { RegisterEXEServer(dir_, "Missing.ocx", kFile); }), missing);
  // A directory is no server.
  EXPECT_EQ(Message([&] { RegisterDLLServer(m_.Scratch(), "Servers Dir", kFile); }),
            "Cannot not get support information for the file " + dir_ +
                ". File component: InstallFile3");
}

TEST_F(ActiveXTest, EveryFailureOfTheInProcessServerHasItsMessage) {
  const std::string broken = Path("Broken.dll");
  EXPECT_EQ(Message([&] { RegisterDLLServer(dir_, "Broken.dll", kFile); }),
            "Could not register the ActiveX component, " + broken + ", because the LoadLibrary(" +
                broken +
                ") procedure returned a value of 0. The file component is InstallFile3. The "
                "following value is the value of the GetLastError function: 193");
  EXPECT_EQ(Message([&] { RegisterDLLServer(dir_, "NoExport.dll", kFile); }),
            "Could not register the ActiveX component, " + Path("NoExport.dll") +
                ", because the DllRegisterServer function could not be found. The file component "
                "is InstallFile3. The following value is the value of the GetLastError function: "
                "127");
  ScopedValue cleanup(m_.platform(), RegRoot::kCurrentUser, kServersKey, Path("RegFail.dll"));
  EXPECT_EQ(Message([&] { RegisterDLLServer(dir_, "RegFail.dll", kFile); }),
            "Could not register the ActiveX component, " + Path("RegFail.dll") +
                ", because the DllRegisterServer function returned a value of -2147220991. The "
                "file component is InstallFile3.");
  EXPECT_EQ(Registered(Path("RegFail.dll")), "");
#ifndef _WIN32
  // The library is freed after each failed call, OLE is left last.
  Lines j = m_.Emulated().Journal();
  ASSERT_GE(j.size(), 3u);
  EXPECT_EQ(Lines(j.end() - 3, j.end()),
            (Lines{"Call " + Path("RegFail.dll") + "!DllRegisterServer() -> -2147220991",
                   "UnloadModule " + Path("RegFail.dll"), "OleUninitialize"}));
  int loads = 0, unloads = 0, ole = 0, unole = 0;
  for (const auto& line : j) {
    loads += line.rfind("LoadModule", 0) == 0 && line.find("-> ok") != std::string::npos;
    unloads += line.rfind("UnloadModule", 0) == 0;
    ole += line == "OleInitialize";
    unole += line == "OleUninitialize";
  }
  EXPECT_EQ(loads, 2);
  EXPECT_EQ(unloads, 2);
  EXPECT_EQ(ole, 3);
  EXPECT_EQ(unole, 3);
#endif
}

TEST_F(ActiveXTest, LocalServerThatCannotStartHasItsMessage) {
  const std::string exe = Path("Broken.exe");
  const std::string text = Message([&] { RegisterEXEServer(dir_, "Broken.exe", kFile); });
  EXPECT_EQ(text, "Could not register the ActiveX component, " + exe + ", because the WinExec(" +
                      exe +
                      ",SW_HIDE) function returned a value < 32. The file component is "
                      "InstallFile3. The following value is the value of the GetLastError "
                      "function: 193");
}

#ifndef _WIN32
TEST_F(ActiveXTest, OutcomesSetByATestReachTheSameMessages) {
  EmulatedMachine& e = m_.Emulated();
  e.SetLoadFailure(Path("InProc.dll"), winerr::kAccessDenied);
  EXPECT_EQ(Message([&] { RegisterDLLServer(dir_, "InProc.dll", kFile); }),
            "Could not register the ActiveX component, " + Path("InProc.dll") +
                ", because the LoadLibrary(" + Path("InProc.dll") +
                ") procedure returned a value of 0. The file component is InstallFile3. The "
                "following value is the value of the GetLastError function: 5");
  Copy("inproc_server.dll", "Other.dll");
  e.SetExportMissing(Path("Other.dll"), "DllRegisterServer");
  EXPECT_NE(Message([&] { RegisterDLLServer(dir_, "Other.dll", kFile); })
                .find("DllRegisterServer function could not be found"),
            std::string::npos);
  e.SetExportResult(Path("Other.dll"), "DllRegisterServer", 1);  // S_FALSE counts as failure
  EXPECT_NE(Message([&] { RegisterDLLServer(dir_, "Other.dll", kFile); })
                .find("returned a value of 1. "),
            std::string::npos);
  e.SetOutcome(Path("Local Server.exe"), "Exec", "0");
  EXPECT_NE(Message([&] { RegisterEXEServer(dir_, "Local Server.exe", kFile); })
                .find("returned a value < 32"),
            std::string::npos);
}
#endif

}  // namespace
}  // namespace kit
