#include "system/install_log.h"

#include <gtest/gtest.h>

#include "base/exception.h"
#include "system/system_errors.h"
#include "system/testing/install_machine.h"

namespace kit {
namespace {

using testing::InstallMachine;
using testing::ListKey;
using testing::ScopedKey;
using Lines = std::vector<std::string>;

constexpr const char* kUninstall = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

class InstallLogTest : public ::testing::Test {
 protected:
  InstallLogTest()
      : product_(testing::UniqueName("Tavrix for Windows")),
        log_key_(std::string(kUninstall) + product_),
        cleanup_(m_.platform(), RegRoot::kLocalMachine, log_key_) {}

  Lines Log() { return ListKey(m_.platform(), RegRoot::kLocalMachine, log_key_); }
  void Put(const std::string& sub, const std::string& name, const std::string& value) {
    auto k = m_.platform().Reg().Open(RegRoot::kLocalMachine, log_key_ + sub, RegAccess::kAll, true);
    ASSERT_TRUE(k && k->Set(name, RegValue::String(value)));
  }
  bool Exists(const std::string& sub) {
    return m_.platform().Reg().Open(RegRoot::kLocalMachine, log_key_ + sub, RegAccess::kRead,
                                    false) != nullptr;
  }

  InstallMachine m_;
  std::string product_;
  std::string log_key_;
  ScopedKey cleanup_;
};

TEST_F(InstallLogTest, FileEntriesAreNumberedFromOneInFilesWithTheirCount) {
  WriteFilesLogEntry(log_key_, "c:\\Tavwin\\Tinst.exe");
  EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"1\"", "File1=\"c:\\Tavwin\\Tinst.exe\""}));
  WriteFilesLogEntry(log_key_, "c:\\Tavwin\\Data\\A B.dat");
  EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"2\"", "File1=\"c:\\Tavwin\\Tinst.exe\"",
                          "File2=\"c:\\Tavwin\\Data\\A B.dat\""}));
}

TEST_F(InstallLogTest, AnotherInstallationContinuesTheNumberingAndListsFilesAgain) {
  for (int run = 0; run < 2; ++run) {
    WriteFilesLogEntry(log_key_, "c:\\Tavwin\\a.dll");
    WriteFilesLogEntry(log_key_, "c:\\Tavwin\\b.dll");
  }
  EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"4\"", "File1=\"c:\\Tavwin\\a.dll\"",
                          "File2=\"c:\\Tavwin\\b.dll\"", "File3=\"c:\\Tavwin\\a.dll\"",
                          "File4=\"c:\\Tavwin\\b.dll\""}));
}

TEST_F(InstallLogTest, SessionKeepsNumberingPassesTakenNamesAndSurvivesALostKey) {
  FaultPlatform faults(m_.platform());
  ScopedPlatform scope(faults);
  InstallLogSession session;
  WriteFilesLogEntry(log_key_, "c:\\Tavwin\\a.dll");
  Put("\\Files", "File2", "c:\\other\\taken.dll");  // a foreign writer
  faults.ResetCounters();
  WriteFilesLogEntry(log_key_, "c:\\Tavwin\\b.dll");
  EXPECT_EQ(faults.Calls("Reg.Open"), 0);
  EXPECT_EQ(faults.Calls("Key.Query"), 2);  // File2 is taken, File3 free
  EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"3\"", "File1=\"c:\\Tavwin\\a.dll\"",
                          "File2=\"c:\\other\\taken.dll\"", "File3=\"c:\\Tavwin\\b.dll\""}));
  ASSERT_TRUE(m_.platform().Reg().DeleteKeyTree(RegRoot::kLocalMachine, log_key_));
  WriteFilesLogEntry(log_key_, "c:\\Tavwin\\c.dll");  // through a new key
  EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"1\"", "File1=\"c:\\Tavwin\\c.dll\""}));
}

TEST_F(InstallLogTest, CountThatIsNoPlainNumberSendsTheEntryToTheNextSubkey) {
  // Only decimal digits count; "Files" itself stays as it was each time.
  const char* bad[] = {"abc", "-1", "+2", " 3", "", "99999999999"};
  std::string expected_files1;
  int n = 0;
  for (const char* entries : bad) {
    SCOPED_TRACE(entries);
    m_.platform().Reg().DeleteKeyTree(RegRoot::kLocalMachine, log_key_);
    Put("\\Files", "Entries", entries);
    WriteFilesLogEntry(log_key_, "c:\\Tavwin\\x.dll");
    EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"" + std::string(entries) + "\"", "[Files1]",
                            "Entries=\"1\"", "File1=\"c:\\Tavwin\\x.dll\""}));
    ++n;
  }
  EXPECT_EQ(n, 6);
}

TEST_F(InstallLogTest, FallbackWalksOnUntilASubkeyTakesTheEntry) {
  Put("\\Files", "Entries", "abc");
  Put("\\Files1", "Entries", "x");
  Put("\\Files2", "Entries", "4");
  WriteFilesLogEntry(log_key_, "c:\\Tavwin\\x.dll");
  EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"abc\"", "[Files1]", "Entries=\"x\"",
                          "[Files2]", "Entries=\"5\"", "File5=\"c:\\Tavwin\\x.dll\""}));
}

TEST_F(InstallLogTest, FallbackIsBoundedAndRaisesTheLastFailure) {
  using installlog::kFilesSuffixLimit;
  for (int i = 0; i <= kFilesSuffixLimit; ++i)
    Put("\\Files" + (i ? std::to_string(i) : std::string()), "Entries", "abc");
  try {
    WriteFilesLogEntry(log_key_, "c:\\Tavwin\\x.dll");
    FAIL() << "no failure past the bound";
  } catch (const EIRCannotWriteValue& e) {
    EXPECT_EQ(e.Key(), log_key_ + "\\Files" + std::to_string(kFilesSuffixLimit));
    EXPECT_EQ(e.Ident(), "Entries");
    EXPECT_EQ(e.Value(), "abc");
  }
  EXPECT_FALSE(Exists("\\Files" + std::to_string(kFilesSuffixLimit + 1)));

  // The last subkey of the bound is still used.
  Put("\\Files" + std::to_string(kFilesSuffixLimit), "Entries", "0");
  WriteFilesLogEntry(log_key_, "c:\\Tavwin\\x.dll");
  Lines log = Log();
  const Lines tail(log.end() - 3, log.end());
  EXPECT_EQ(tail, (Lines{"[Files" + std::to_string(kFilesSuffixLimit) + "]", "Entries=\"1\"",
                         "File1=\"c:\\Tavwin\\x.dll\""}));
}

TEST_F(InstallLogTest, RefusedRegistryRaisesAtOnceWithoutSubkeysTheUninstallerCannotReach) {
  FaultPlatform faults(m_.platform());
  ScopedPlatform scope(faults);
  faults.RefuseRegistryWrites(log_key_);
  try {
    WriteFilesLogEntry(log_key_, "c:\\Tavwin\\x.dll");
    FAIL() << "no failure";
  } catch (const EIRCannotWriteValue& e) {
    EXPECT_EQ(e.Key(), log_key_ + "\\Files");
    EXPECT_EQ(e.Ident(), "File1");
    EXPECT_EQ(e.Value(), "c:\\Tavwin\\x.dll");
    EXPECT_EQ(e.Message(), "Cannot install into registry. Key: " + log_key_ +
                               "\\Files Ident: File1 Value c:\\Tavwin\\x.dll");
  }
  EXPECT_EQ(faults.Calls("Key.Set"), 0);
  EXPECT_LE(faults.Calls("Reg.Open"), 4);
  EXPECT_EQ(Log(), Lines{});
}

TEST_F(InstallLogTest, SubkeyThatRefusesItsEntryIsSkipped) {
  Put("\\Files", "Entries", "3");
  FaultPlatform faults(m_.platform());
  ScopedPlatform scope(faults);
  faults.RefuseRegistryWrites(log_key_ + "\\Files");
  WriteFilesLogEntry(log_key_, "c:\\Tavwin\\x.dll");
  EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"3\"", "[Files1]", "Entries=\"1\"",
                          "File1=\"c:\\Tavwin\\x.dll\""}));
}

TEST_F(InstallLogTest, FailedCountAfterTheEntryIsRaisedAndTheEntryIsNeverOverwritten) {
  {
    FaultPlatform faults(m_.platform());
    ScopedPlatform scope(faults);
    faults.FailNth("Key.Set", 2, winerr::kAccessDenied);
    try {
      WriteFilesLogEntry(log_key_, "c:\\Tavwin\\a.dll");
      FAIL() << "no failure";
    } catch (const EIRCannotWriteValue& e) {
      EXPECT_EQ(e.Ident(), "Entries");
      EXPECT_EQ(e.Value(), "1");
    }
  }
  // "Entries" is missing, so the count reads 0: the next entry must not
  // take the place of File1.
  WriteFilesLogEntry(log_key_, "c:\\Tavwin\\b.dll");
  EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"2\"", "File1=\"c:\\Tavwin\\a.dll\"",
                          "File2=\"c:\\Tavwin\\b.dll\""}));
}

TEST_F(InstallLogTest, ActiveXEntriesCarryTheirStyleAndNeverGoUnderFiles) {
  WriteInstallFileLogEntry(log_key_, "c:\\Tavwin\\In.ocx", true, false);
  WriteInstallFileLogEntry(log_key_, "c:\\Tavwin\\Local.exe", false, true);
  WriteInstallFileLogEntry(log_key_, "c:\\Tavwin\\Both.dll", true, true);
  WriteInstallFileLogEntry(log_key_, "c:\\Tavwin\\Plain.txt", false, false);
  EXPECT_EQ(Log(), (Lines{"[]", "[ActiveX]", "Entries=\"3\"", "File1=\"c:\\Tavwin\\In.ocx;0\"",
                          "File2=\"c:\\Tavwin\\Local.exe;1\"", "File3=\"c:\\Tavwin\\Both.dll;1\"",
                          "[Files]", "Entries=\"1\"", "File1=\"c:\\Tavwin\\Plain.txt\""}));
  EXPECT_EQ(ActiveXStyle(true, false), "0");
  EXPECT_EQ(ActiveXStyle(false, true), "1");
  EXPECT_EQ(ActiveXStyle(true, true), "1");
  EXPECT_EQ(ActiveXStyle(false, false), "");
}

TEST_F(InstallLogTest, ActiveXHasNoFallback) {
  Put("\\ActiveX", "Entries", "abc");
  try {
    WriteActiveXLogEntry(log_key_, "c:\\Tavwin\\In.ocx", true, false);
    FAIL() << "no failure";
  } catch (const EConvertError& e) {
    EXPECT_NE(e.Message().find("'abc'"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find(log_key_ + "\\ActiveX"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(Log(), (Lines{"[]", "[ActiveX]", "Entries=\"abc\""}));

  m_.platform().Reg().DeleteKeyTree(RegRoot::kLocalMachine, log_key_);
  FaultPlatform faults(m_.platform());
  ScopedPlatform scope(faults);
  faults.RefuseRegistryWrites(log_key_);
  EXPECT_THROW(WriteActiveXLogEntry(log_key_, "c:\\Tavwin\\In.ocx", true, false),
               EIRCannotWriteValue);
  EXPECT_FALSE(Exists("\\ActiveX1"));
}

TEST(UninstallStringTest, PathWithoutBlanksGivesThePlainStringAndABlankPathIsQuoted) {
  EXPECT_EQ(UninstallString(InstalledPath("c:\\Tavwin", "uninstall.exe"), "Tavrix for Windows"),
            "c:\\Tavwin\\uninstall.exe Tavrix for Windows");
  EXPECT_EQ(UninstallString(InstalledPath("c:\\Tavwin\\", "uninstall.exe"), "Tavrix"),
            "c:\\Tavwin\\uninstall.exe Tavrix");
  EXPECT_EQ(UninstallString("C:\\Program Files\\Tavwin\\uninstall.exe", "Tavrix for Windows"),
            "\"C:\\Program Files\\Tavwin\\uninstall.exe\" Tavrix for Windows");
}

TEST_F(InstallLogTest, UninstallRegistrationWritesTheTwoValuesIntoTheLogKeyOnly) {
  WriteFilesLogEntry(log_key_, "c:\\Tavwin\\Tinst.exe");
  WriteUninstallRegistration(log_key_, product_, "c:\\Tavwin\\uninstall.exe");
  EXPECT_EQ(Log(), (Lines{"[]", "DisplayName=\"" + product_ + "\"",
                          "UninstallString=\"c:\\Tavwin\\uninstall.exe " + product_ + "\"",
                          "[Files]", "Entries=\"1\"", "File1=\"c:\\Tavwin\\Tinst.exe\""}));
}

#ifndef _WIN32
// The registry file of the emulated machine holds exactly this text.
TEST(InstallLogFileTest, RegistryFileHoldsTheLogAsLaidOut) {
  InstallMachine m;
  const std::string key = std::string(kUninstall) + "Tavrix for Windows";
  WriteFilesLogEntry(key, "c:\\Tavwin\\Tinst.exe");
  WriteInstallFileLogEntry(key, "c:\\Tavwin\\Misc\\Grid.ocx", true, false);
  WriteFilesLogEntry(key, "c:\\Tavwin\\Data\\M\xFC\xFEteri.dat");  // code page 1254
  WriteUninstallRegistration(key, "Tavrix for Windows", "c:\\Tavwin\\uninstall.exe");
  std::string text, error;
  ASSERT_TRUE(m.Emulated().RegistryText(
      "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrix for "
      "Windows",
      &text, &error))
      << error;
  const std::string head =
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrix for "
      "Windows";
  EXPECT_EQ(text, "REGEDIT4\r\n\r\n" + head +
                      "]\r\n"
                      "\"DisplayName\"=\"Tavrix for Windows\"\r\n"
                      "\"UninstallString\"=\"c:\\\\Tavwin\\\\uninstall.exe Tavrix for Windows\"\r\n"
                      "\r\n" +
                      head +
                      "\\Files]\r\n"
                      "\"File1\"=\"c:\\\\Tavwin\\\\Tinst.exe\"\r\n"
                      "\"Entries\"=\"2\"\r\n"
                      "\"File2\"=\"c:\\\\Tavwin\\\\Data\\\\M\xFC\xFEteri.dat\"\r\n"
                      "\r\n" +
                      head +
                      "\\ActiveX]\r\n"
                      "\"File1\"=\"c:\\\\Tavwin\\\\Misc\\\\Grid.ocx;0\"\r\n"
                      "\"Entries\"=\"1\"\r\n"
                      "\r\n");
}
#endif

}  // namespace
}  // namespace kit
