#include "uninstall/uninstaller.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <memory>
#include <string>
#include <vector>

#include "platform/current_platform.h"
#include "platform/testing/test_machine.h"

#ifndef _WIN32
#include "platform/emulated/emulated_machine.h"
#endif

namespace kit {
namespace {

const std::string kLog =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrix for Windows";
const std::string kShared = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

std::string HostFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

class ScriptedView : public RemovalView {
 public:
  void EnableStart(bool enabled) override { start_enabled = enabled; }
  void ShowProgress(bool visible) override { bar_visible = visible; }
  void SetProgress(int percent) override { progress.push_back(percent); }
  void CheckStep(RemovalStep step) override { checked.push_back(step); }
  void Refresh() override {}
  bool Confirm(const std::string& text) override {
    questions.push_back(text);
    return answer;
  }
  void Message(const std::string& text) override { messages.push_back(text); }

  bool answer = true;
  bool start_enabled = true;
  bool bar_visible = false;
  std::vector<int> progress;
  std::vector<RemovalStep> checked;
  std::vector<std::string> questions;
  std::vector<std::string> messages;
};

class UninstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = testing::NewTestMachine();
    scope_ = std::make_unique<ScopedPlatform>(p());
    dir_ = machine_->Scratch();
    uninstaller_ = std::make_unique<Uninstaller>(p(), view_);
    ASSERT_TRUE(uninstaller_->Start({"Tavrix", "for", "Windows"}));
    self_ = File("uninstall.exe", "program");
    uninstaller_->SetSelfPath(self_);
  }
  void TearDown() override {
    p().Reg().DeleteKeyTree(RegRoot::kLocalMachine, kLog);
    p().Reg().DeleteKeyTree(RegRoot::kLocalMachine, kShared);
  }
  Platform& p() { return machine_->platform(); }
  std::string File(const std::string& relative, const std::string& text = "x") {
    std::string path = dir_ + "\\" + relative;
    p().Files().MakeDirectories(path.substr(0, path.rfind('\\')));
    auto f = p().Files().Open(path, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
    uint32_t written = 0;
    if (f && !text.empty()) f->Write(text.data(), static_cast<uint32_t>(text.size()), &written);
    return path;
  }
  void Set(RegRoot root, const std::string& key, const std::string& name, const RegValue& v) {
    auto k = p().Reg().Open(root, key, RegAccess::kAll, true);
    ASSERT_TRUE(k) << key;
    ASSERT_TRUE(k->Set(name, v)) << key << " " << name;
  }
  void Log(const std::string& section, const std::string& name, const std::string& text) {
    Set(RegRoot::kLocalMachine, kLog + "\\" + section, name, RegValue::String(text));
  }
  void Counter(const std::string& path, uint32_t count) {
    Set(RegRoot::kLocalMachine, kShared, path, RegValue::Dword(count));
  }
  std::optional<uint32_t> CounterOf(const std::string& path) {
    auto k = p().Reg().Open(RegRoot::kLocalMachine, kShared, RegAccess::kRead, false);
    RegValue v;
    if (!k || !k->Query(path, &v)) return std::nullopt;
    return v.AsDword();
  }
  bool KeyExists(RegRoot root, const std::string& key) {
    return p().Reg().Open(root, key, RegAccess::kRead, false) != nullptr;
  }
  bool Exists(const std::string& path) { return p().Files().Exists(path); }

  std::unique_ptr<testing::TestMachine> machine_;
  std::unique_ptr<ScopedPlatform> scope_;
  ScriptedView view_;
  std::unique_ptr<Uninstaller> uninstaller_;
  std::string dir_;
  std::string self_;
};

TEST_F(UninstallerTest, StartUpNamesTheProductOrRefusesWithoutArguments) {
  EXPECT_EQ(uninstaller_->Caption(), "Remove Tavrix for Windows");
  EXPECT_EQ(uninstaller_->LogKey(), kLog);

  ScriptedView view;
  Uninstaller bare(p(), view);
  EXPECT_FALSE(bare.Start({}));
  EXPECT_FALSE(view.start_enabled);
  EXPECT_EQ(view.messages, std::vector<std::string>{
                               "Please remove this software from the Add/Remove Programs from "
                               "the Control Panel"});
}

TEST(UninstallerProgress, HundredthsOfTheEntriesWithHalvesToEven) {
  EXPECT_EQ(Uninstaller::ProgressPercent(0, 1), 0);
  EXPECT_EQ(Uninstaller::ProgressPercent(1, 2), 100);
  EXPECT_EQ(Uninstaller::ProgressPercent(1, 3), 50);
  EXPECT_EQ(Uninstaller::ProgressPercent(1, 9), 12);  // 12.5
  EXPECT_EQ(Uninstaller::ProgressPercent(3, 9), 38);  // 37.5
  EXPECT_EQ(Uninstaller::ProgressPercent(1, 4), 33);
}

TEST_F(UninstallerTest, FilesFollowTheirSharedCounters) {
  std::string plain = File("app\\plain.txt");
  std::string three = File("app\\three.dll");
  std::string last_no = File("app\\last.dll");
  std::string last_yes = File("lib\\gone.dll");
  Log("Files", "Entries", "4");
  Log("Files", "File1", plain);
  Log("Files", "File2", three);
  Log("Files", "File3", last_no);
  Counter(three, 3);
  Counter(last_no, 1);
  view_.answer = false;
  uninstaller_->RemoveFiles();
  EXPECT_FALSE(Exists(plain));
  EXPECT_TRUE(Exists(three));
  EXPECT_EQ(CounterOf(three), 2u);
  EXPECT_TRUE(Exists(last_no));
  EXPECT_EQ(CounterOf(last_no), 1u);
  ASSERT_EQ(view_.questions.size(), 1u);
  EXPECT_EQ(view_.questions[0], "Uninstall has determined that the file " + last_no +
                                    " is no longer used by an application. Is it o.k. to "
                                    "delete it?");
  EXPECT_FALSE(KeyExists(RegRoot::kLocalMachine, kLog + "\\Files"));

  Log("Files", "File1", last_yes);
  Counter(last_yes, 1);
  view_.answer = true;
  uninstaller_->RemoveFiles();
  EXPECT_FALSE(Exists(last_yes));
  EXPECT_FALSE(CounterOf(last_yes));
  // Directories where something was deleted, upper-cased, each once.
  std::vector<std::string> dirs = uninstaller_->Directories();
  ASSERT_EQ(dirs.size(), 2u);
  EXPECT_EQ(dirs[1], [&] {
    std::string d = dir_ + "\\LIB";
    for (char& c : d) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return d;
  }());
  uninstaller_->RemoveDirectories();
  EXPECT_FALSE(p().Files().DirectoryExists(dir_ + "\\lib"));
  EXPECT_TRUE(p().Files().DirectoryExists(dir_ + "\\app"));  // still holds files
}

TEST_F(UninstallerTest, SuffixedFilesSectionsStopAtTheFirstMissingOne) {
  std::string a = File("a.txt"), b = File("b.txt"), c = File("c.txt");
  Log("Files", "File1", a);
  Log("Files1", "File1", b);
  Log("Files3", "File1", c);
  uninstaller_->RemoveFiles();
  EXPECT_FALSE(Exists(a));
  EXPECT_FALSE(Exists(b));
  EXPECT_TRUE(Exists(c));
  EXPECT_TRUE(KeyExists(RegRoot::kLocalMachine, kLog + "\\Files3"));
}

TEST_F(UninstallerTest, BadLoggedPathsDeleteNothingButLoggedFiles) {
  std::string keep = File("keep\\data.txt");
  std::string named = File("keep\\named.txt");
  p().Files().SetCurrentDir(dir_ + "\\keep");
  Log("Files", "File1", "");
  Log("Files", "File2", "data.txt");  // relative
  Log("Files", "File3", dir_ + "\\keep");  // a directory
  Log("Files", "File4", dir_ + "\\keep\\");
  Log("Files", "File5", dir_ + "\\" + std::string(300, 'x'));
  Set(RegRoot::kLocalMachine, kLog + "\\Files", "File6", RegValue::Dword(7));
  Set(RegRoot::kLocalMachine, kLog + "\\Files", "File7", RegValue::Binary(named));
  Log("Files", "File8", "  " + named + " ");
  uninstaller_->RemoveFiles();
  uninstaller_->RemoveDirectories();
  EXPECT_TRUE(Exists(keep));
  EXPECT_FALSE(Exists(named));
  EXPECT_TRUE(view_.questions.empty());
  EXPECT_EQ(uninstaller_->Directories().size(), 1u);
}

TEST_F(UninstallerTest, ActiveXWithoutCounterAsksAndStylesAreParsed) {
  std::string dll = File("ocx\\server.ocx");
  std::string exe = File("ocx\\server.exe");
  Log("ActiveX", "Entries", "2");
  Log("ActiveX", "File1", dll + ";0");
  Log("ActiveX", "File2", exe + ";1");
  view_.answer = true;
  uninstaller_->RemoveActiveX();
  EXPECT_EQ(view_.questions.size(), 2u);
  EXPECT_FALSE(Exists(dll));
  EXPECT_FALSE(Exists(exe));
  EXPECT_EQ(view_.progress, (std::vector<int>{0, 100}));
  EXPECT_FALSE(KeyExists(RegRoot::kLocalMachine, kLog + "\\ActiveX"));
}

class IniTest : public UninstallerTest {
 protected:
  std::string Ini(const std::string& text) {
    std::string path = File("conf\\app.ini", text);
    Log("INIFiles\\INI1", "FilePath", path);
    return path;
  }
  std::string Text(const std::string& path) {
    auto f = p().Files().Open(path, FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
    if (!f) return "<missing>";
    std::string s(static_cast<size_t>(f->Size()), '\0');
    uint32_t got = 0;
    f->Read(s.data(), static_cast<uint32_t>(s.size()), &got);
    return s;
  }
};

TEST_F(IniTest, SurvivingEntriesAreWrittenBackReversed) {
  std::string ini = Ini("[Main]\r\nA=1\r\nB=2\r\nC=3\r\n[Other]\r\nX=9\r\n");
  Log("INIFiles\\INI1\\Entries\\Main", "b", "2");
  Log("INIFiles\\INI1\\Entries\\Other", "X", "9");
  uninstaller_->RemoveIniEntries();
  EXPECT_EQ(p().Ini().ReadSection(ini, "Main"), (std::vector<std::string>{"C", "A"}));
  EXPECT_EQ(p().Ini().Read(ini, "Main", "C", ""), "3");
  EXPECT_TRUE(p().Ini().ReadSection(ini, "Other").empty());
  EXPECT_FALSE(KeyExists(RegRoot::kLocalMachine, kLog + "\\INIFiles"));
}

TEST_F(IniTest, AnEmptiedFileGoesWithItsEmptyDirectory) {
  std::string ini = Ini("[Main]\r\nA=1\r\n");
  Log("INIFiles\\INI1\\Entries\\Main", "A", "1");
  uninstaller_->RemoveIniEntries();
  EXPECT_FALSE(Exists(ini));
  EXPECT_FALSE(p().Files().DirectoryExists(dir_ + "\\conf"));
}

TEST_F(IniTest, AnUnwritableFileStopsTheRemovalAndASecondRunFinishesIt) {
  std::string doc = File("doc.txt");
  std::string ini = Ini("[Main]\r\nA=1\r\nB=2\r\n");
  Log("INIFiles\\INI1\\Entries\\Main", "A", "1");
  Log("Files", "File1", doc);
  {
    // Another program holds the file open for reading only.
    auto held = p().Files().Open(ini, FileAccess::kRead, share::kRead, Disposition::kOpenExisting);
    ASSERT_TRUE(held);
    try {
      uninstaller_->Remove();
      FAIL() << "the removal went on";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Unable to write to " + ini);
    }
  }
  EXPECT_FALSE(Exists(doc));
  EXPECT_TRUE(KeyExists(RegRoot::kLocalMachine, kLog + "\\INIFiles\\INI1\\Entries\\Main"));
  EXPECT_FALSE(KeyExists(RegRoot::kLocalMachine, kLog + "\\Files"));
  EXPECT_TRUE(Exists(self_));

  ScriptedView view;
  Uninstaller again(p(), view);
  ASSERT_TRUE(again.Start({"Tavrix", "for", "Windows"}));
  again.SetSelfPath(self_);
  again.Remove();
  EXPECT_EQ(p().Ini().ReadSection(ini, "Main"), std::vector<std::string>{"B"});
  EXPECT_FALSE(KeyExists(RegRoot::kLocalMachine, kLog));
}

TEST_F(UninstallerTest, RegistryEntriesWithABadRootReportAndTheRestGo) {
  const std::string target = "\\Software\\Tavrix\\Settings";
  Set(RegRoot::kCurrentUser, target, "Colour", RegValue::String("red"));
  Set(RegRoot::kCurrentUser, target, "Size", RegValue::Dword(3));
  Set(RegRoot::kCurrentUser, target + "\\Sub", "Keep", RegValue::String("k"));
  Set(RegRoot::kCurrentUser, "\\Software\\Tavrix\\Gone", "Only", RegValue::String("o"));
  Log("RegistryKeys\\Reg1", "Key", "\\Software\\Tavrix\\Bad");
  Set(RegRoot::kLocalMachine, kLog + "\\RegistryKeys\\Reg1", "Root", RegValue::Dword(6));
  Log("RegistryKeys\\Reg2", "Key", target);
  Set(RegRoot::kLocalMachine, kLog + "\\RegistryKeys\\Reg2", "Root", RegValue::Dword(2));
  Log("RegistryKeys\\Reg2\\Entries", "Colour", "");
  Log("RegistryKeys\\Reg3", "Key", "\\Software\\Tavrix\\Gone");
  Set(RegRoot::kLocalMachine, kLog + "\\RegistryKeys\\Reg3", "Root", RegValue::Dword(2));
  Log("RegistryKeys\\Reg3", "Only", "");

  EXPECT_FALSE(uninstaller_->RemoveRegistryEntries());
  auto k = p().Reg().Open(RegRoot::kCurrentUser, target, RegAccess::kRead, false);
  ASSERT_TRUE(k);  // still has values and a subkey
  RegValue v;
  EXPECT_FALSE(k->Query("Colour", &v));
  EXPECT_TRUE(k->Query("Size", &v));
  EXPECT_FALSE(KeyExists(RegRoot::kCurrentUser, "\\Software\\Tavrix\\Gone"));
  EXPECT_FALSE(KeyExists(RegRoot::kLocalMachine, kLog + "\\RegistryKeys"));
  p().Reg().DeleteKeyTree(RegRoot::kCurrentUser, "\\Software\\Tavrix");
}

TEST_F(UninstallerTest, ALogOfOnlyFilesChecksEveryStepAndSchedulesTheProgram) {
  std::string doc = File("only\\doc.txt");
  Log("Files", "Entries", "1");
  Log("Files", "File1", doc);
  Log("", "DisplayName", "Tavrix for Windows");
  // The program is in use, as a running program's file is.
  auto held = p().Files().Open(self_, FileAccess::kRead, share::kRead, Disposition::kOpenExisting);
  std::string message = uninstaller_->Remove();
  held.reset();
  EXPECT_FALSE(Exists(doc));
  EXPECT_FALSE(p().Files().DirectoryExists(dir_ + "\\only"));
  EXPECT_FALSE(KeyExists(RegRoot::kLocalMachine, kLog));
  EXPECT_EQ(view_.checked.size(), 6u);
  EXPECT_FALSE(view_.bar_visible);
  EXPECT_EQ(message,
            "The uninstallation program for Tavrix for Windows will be removed after you reboot "
            "your computer.");
  EXPECT_EQ(view_.messages.back(), message);
  EXPECT_TRUE(Exists(self_));
  std::string error;
  ASSERT_TRUE(machine_->RestartWindows(&error)) << error;
  EXPECT_FALSE(Exists(self_));
}

TEST_F(UninstallerTest, AProgramThatCanGoGoesAtOnce) {
  EXPECT_EQ(uninstaller_->Remove(), "Tavrix for Windows has finished removing itself");
  EXPECT_FALSE(Exists(self_));
}

TEST_F(UninstallerTest, EngineUseFallsByTheProductsShareAndGoesAtZero) {
  const std::string engine = "\\Software\\Borland\\Database Engine";
  std::string config = File("bde\\IDAPI.CFG");
  Log("BDE", "Entries", "1");
  Set(RegRoot::kLocalMachine, engine, "UseCount", RegValue::String("3"));
  Set(RegRoot::kLocalMachine, engine, "CONFIGFILE01", RegValue::String(config));
  uninstaller_->RemoveBdeUse();
  auto k = p().Reg().Open(RegRoot::kLocalMachine, engine, RegAccess::kRead, false);
  RegValue v;
  ASSERT_TRUE(k && k->Query("UseCount", &v));
  EXPECT_EQ(v.AsString(), "2");
  k.reset();
  Log("BDE", "Entries", "2");
  Set(RegRoot::kLocalMachine, "\\Software\\Borland\\BLW32", "X", RegValue::String("y"));
  uninstaller_->RemoveBdeUse();
  EXPECT_FALSE(KeyExists(RegRoot::kLocalMachine, engine));
  EXPECT_FALSE(KeyExists(RegRoot::kLocalMachine, "\\Software\\Borland\\BLW32"));
  EXPECT_FALSE(Exists(config));
}

// The engine's library found by its bare name, as a program beside it would.
TEST_F(UninstallerTest, AliasesGoThroughTheDatabaseEngine) {
  const std::string engine = HostFile(KIT_ENGINE_FIXTURE);
  ASSERT_FALSE(engine.empty()) << KIT_ENGINE_FIXTURE;
  File("IDAPI32.DLL", engine);
  const std::string previous = p().Files().CurrentDir();
  ASSERT_TRUE(p().Files().SetCurrentDir(dir_));
  Set(RegRoot::kLocalMachine, kLog + "\\Aliases\\TAVDATA", "", RegValue::String(""));
  Set(RegRoot::kLocalMachine, kLog + "\\Aliases\\TAVMAIL", "", RegValue::String(""));
#ifndef _WIN32
  auto& machine = dynamic_cast<EmulatedMachine&>(p());
  machine.ClearJournal();
#endif
  uninstaller_->RemoveAliases();
  uninstaller_->RemoveAliases();  // no aliases left: no save
  p().Files().SetCurrentDir(previous);
  EXPECT_FALSE(KeyExists(RegRoot::kLocalMachine, kLog + "\\Aliases"));
  std::vector<std::string> calls;
#ifdef _WIN32
  std::string log;
  auto f = p().Files().Open(dir_ + "\\IDAPI32.LOG", FileAccess::kRead, share::kAll,
                            Disposition::kOpenExisting);
  ASSERT_TRUE(f);
  log.resize(static_cast<size_t>(f->Size()));
  uint32_t got = 0;
  f->Read(log.data(), static_cast<uint32_t>(log.size()), &got);
  for (size_t at = 0, end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2)
    calls.push_back(log.substr(at, end - at));
  const std::vector<std::string> want = {
      "DbiInitFn 400 null -", "70 null TAVDATA -", "70 null TAVMAIL -", "526 null null true",
      "DbiExit - - -",        "DbiInitFn 400 null -", "DbiExit - - -"};
#else
  for (const std::string& line : machine.Journal())
    if (line.rfind("Call ", 0) == 0) calls.push_back(line.substr(line.find('!') + 1));
  const std::vector<std::string> want = {
      "DbiInitFn(400, NULL) -> 0", "#70(NULL, \"TAVDATA\") -> 0", "#70(NULL, \"TAVMAIL\") -> 0",
      "#526(NULL, NULL, 1) -> 0",  "DbiExit() -> 0",          "DbiInitFn(400, NULL) -> 0",
      "DbiExit() -> 0"};
#endif
  EXPECT_EQ(calls, want);
}

TEST_F(UninstallerTest, WithoutTheEngineTheAliasesStay) {
  Set(RegRoot::kLocalMachine, kLog + "\\Aliases\\TAVDATA", "", RegValue::String(""));
  uninstaller_->RemoveAliases();
  EXPECT_TRUE(KeyExists(RegRoot::kLocalMachine, kLog + "\\Aliases\\TAVDATA"));
}

}  // namespace
}  // namespace kit
