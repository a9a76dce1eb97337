// The loading program on a test machine: what it runs, and that it leaves
// nothing behind in the temporary directory whatever happens.
#include "loader/load_program.h"

#include <gtest/gtest.h>

#include "archive/kbln_compress.h"
#include <cstdlib>

#include "base/exception.h"
#include "base/setup_log.h"
#include "driver/extraction_trailer.h"
#include "driver/testing/driver_platform.h"
#include "platform/current_platform.h"
#include "platform/fault_platform.h"

namespace kit {
namespace {

// Notes the command line and what the temporary directory held meanwhile.
class RecordingProcesses : public Processes {
 public:
  explicit RecordingProcesses(Processes& inner) : inner_(inner) {}
  bool RunAndWait(const std::string& command_line, const std::function<void()>&, uint32_t* exit_code) override {
    command = command_line;
    if (during) during();
    *exit_code = 7;
    return true;
  }
  uint32_t Exec(const std::string& c, bool hidden) override { return inner_.Exec(c, hidden); }
  ModuleHandle LoadModule(const std::string& p) override { return inner_.LoadModule(p); }
  bool HasExport(ModuleHandle m, const std::string& e) override { return inner_.HasExport(m, e); }
  bool Call(ModuleHandle m, const std::string& e, const std::vector<CallArg>& a, int32_t* r) override {
    return inner_.Call(m, e, a, r);
  }
  void UnloadModule(ModuleHandle m) override { inner_.UnloadModule(m); }
  bool OleInitialize() override { return inner_.OleInitialize(); }
  void OleUninitialize() override { inner_.OleUninitialize(); }

  std::string command;
  std::function<void()> during;

 private:
  Processes& inner_;
};

class LoaderPlatform : public testing::DriverPlatform {
 public:
  LoaderPlatform() : procs_(inner().Procs()) {}
  Processes& Procs() override { return procs_; }
  RecordingProcesses procs_;
};

class LoadProgramTest : public ::testing::Test {
 protected:
  LoadProgramTest() {
    p_.Files().MakeDirectories(Dist());
    p_.exe_path = Dist() + "\\setup.exe";
    p_.Files().TempDirectory(&temp_);
    temp_before_ = TempEntries();
  }
  std::string Dist() { return p_.Scratch() + "\\Dist"; }
  void Write(const std::string& path, const std::string& bytes) {
    auto f = p_.Files().Open(path, FileAccess::kWrite, share::kAll, Disposition::kCreateAlways);
    ASSERT_TRUE(f) << path;
    uint32_t n = 0;
    f->Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &n);
  }
  std::string ReadAll(const std::string& path) {
    auto f = p_.Files().Open(path, FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
    std::string s(static_cast<size_t>(f->Size()), '\0');
    uint32_t n = 0;
    f->Read(s.data(), static_cast<uint32_t>(s.size()), &n);
    return s;
  }
  // setup.1 with the installer and a presetup file.
  std::string MakeSetupArchive() {
    const std::string src = p_.Scratch() + "\\Src";
    p_.Files().MakeDirectories(src);
    Write(src + "\\install.exe", "MZ the installer");
    Write(src + "\\readme.txt", std::string(9000, 'r'));
    TKblnCompress engine(nullptr, p_.Files());
    engine.SetCompressedFile(p_.Scratch() + "\\setup.1");
    engine.SetFilesToProcess({src + "\\install.exe", src + "\\readme.txt"});
    engine.AddFiles(false);
    return ReadAll(p_.Scratch() + "\\setup.1");
  }
  std::vector<std::string> TempEntries() {
    std::vector<FileEntry> entries;
    p_.Files().List(temp_, "*", &entries);
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.name);
    return names;
  }
  std::string Failure() {
    try {
      LoadProgram(p_).Run();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "no failure";
  }

  LoaderPlatform p_;
  ScopedPlatform scoped_{p_};
  std::string temp_;
  std::vector<std::string> temp_before_;
};

TEST_F(LoadProgramTest, RunsTheInstallerFromSetup1BesideItAndCleansUp) {
  Write(Dist() + "\\setup.1", MakeSetupArchive());
  std::string held;
  p_.procs_.during = [&] {
    const std::string dir = p_.procs_.command.substr(1, p_.procs_.command.find("\\install.exe") - 1);
    held = ReadAll(dir + "\\install.exe") + "|" + std::to_string(ReadAll(dir + "\\readme.txt").size());
  };
  EXPECT_EQ(LoadProgram(p_).Run(), 7u);
  EXPECT_EQ(held, "MZ the installer|9000");
  EXPECT_EQ(p_.procs_.command.substr(p_.procs_.command.find("\" ")), "\" " + Dist());
  EXPECT_EQ(TempEntries(), temp_before_);
}

TEST_F(LoadProgramTest, ASelfExtractingSetupStartsTheInstallerWithItsOwnName) {
  const std::string setup1 = MakeSetupArchive();
  ExtractionTrailer t;
  const std::string loader = "MZ loader";
  t.setup_first = static_cast<int32_t>(loader.size());
  t.setup_last = t.setup_first + static_cast<int32_t>(setup1.size()) - 1;
  t.files_first = t.setup_last + 1;
  t.files_last = t.files_first + 3;
  const auto b = t.Encode();
  Write(p_.exe_path, loader + setup1 + "FILE" + std::string(b.begin(), b.end()));
  EXPECT_EQ(LoadProgram(p_).Run(), 7u);
  EXPECT_EQ(p_.procs_.command.substr(p_.procs_.command.find("\" ")), "\" *SELFEXTRACT setup.exe " + Dist());
  EXPECT_EQ(TempEntries(), temp_before_);
}

TEST_F(LoadProgramTest, MissingOrDamagedArchivesFailClearlyAndLeaveNothing) {
  Write(p_.exe_path, "MZ loader alone");
  EXPECT_EQ(Failure(), "The setup archive " + Dist() + "\\setup.1 was not found, and " + p_.exe_path +
                           " does not carry one. Copy the whole distribution and start setup.exe again");
  ExtractionTrailer t;
  t.setup_first = 10;
  t.setup_last = 5000;  // past the end
  t.files_first = 5001;
  t.files_last = 6000;
  auto b = t.Encode();
  Write(p_.exe_path, std::string(100, 'M') + std::string(b.begin(), b.end()));
  EXPECT_EQ(Failure(), "The setup program " + p_.exe_path +
                           " is damaged: its extraction information does not fit the file");
  // An embedded archive of garbage.
  t.setup_last = 59;
  t.files_first = 60;
  t.files_last = 99;
  b = t.Encode();
  Write(p_.exe_path, std::string(100, 'M') + std::string(b.begin(), b.end()));
  EXPECT_NE(Failure(), "no failure");
  EXPECT_TRUE(p_.procs_.command.empty());
  EXPECT_EQ(TempEntries(), temp_before_);
}

// A write-protected disk or a CD: every file of the distribution reads but
// none can be written, replaced or deleted.
TEST_F(LoadProgramTest, RunsFromAReadOnlyMediumWithoutWritingToIt) {
  const std::string setup1 = MakeSetupArchive();
  Write(Dist() + "\\setup.1", setup1);
  Write(p_.exe_path, "MZ loader");
  FaultPlatform medium(p_);
  for (const std::string& f : {p_.exe_path, Dist() + "\\setup.1"}) {
    p_.Files().SetAttributes(f, attr::kReadOnly);
    medium.MarkInUse(f);
  }
  EXPECT_EQ(LoadProgram(medium).Run(), 7u);
  EXPECT_EQ(p_.procs_.command.substr(p_.procs_.command.find("\" ")), "\" " + Dist());
  std::vector<FileEntry> entries;
  p_.Files().List(Dist(), "*", &entries);
  EXPECT_EQ(entries.size(), 2u);
  EXPECT_EQ(ReadAll(Dist() + "\\setup.1"), setup1);
  EXPECT_EQ(TempEntries(), temp_before_);
}


std::string Variable(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "(unset)";
}

TEST_F(LoadProgramTest, SwitchesReachTheInstallerThroughTheEnvironmentOnly) {
  Write(Dist() + "\\setup.1", MakeSetupArchive());
  std::string seen;
  p_.procs_.during = [&] {
    seen = Variable("KOBBELIN_SETUP_MODE") + "|" + Variable("KOBBELIN_SETUP_LOG");
  };
  const std::string log = p_.Scratch() + "\\setup.log";
  p_.arguments = {"/verysilent", "/LOG=" + log};
  LoadProgram silent(p_);
  silent.ReadSwitches();
  EXPECT_EQ(silent.Run(), 7u);
  EXPECT_EQ(seen, "verysilent|" + log);
  // The installer's parameters are those of an attended run.
  EXPECT_EQ(p_.procs_.command.substr(p_.procs_.command.find("\" ")), "\" " + Dist());
  const std::string text = ReadAll(log);
  EXPECT_NE(text.find(" setup     " + p_.exe_path + " started, verysilent; installer from " + Dist() + "\\setup.1\r\n"),
            std::string::npos) << text;
  EXPECT_NE(text.find("\\install.exe: written, 16 bytes (overwrite rule owAlways)\r\n"), std::string::npos) << text;
  EXPECT_FALSE(SetupLog::Active());  // closed before the installer appends

  // An attended run clears what an outer environment may hold.
  p_.arguments = {};
  LoadProgram attended(p_);
  attended.ReadSwitches();
  EXPECT_EQ(attended.Run(), 7u);
  EXPECT_EQ(seen, "(unset)|(unset)");
  EXPECT_EQ(ReadAll(log), text);
}

TEST_F(LoadProgramTest, BadSwitchesAreNamedBeforeAnythingRuns) {
  auto failure = [&](std::vector<std::string> args) {
    p_.arguments = std::move(args);
    try {
      LoadProgram(p_).ReadSwitches();
    } catch (const Exception& e) {
      return e.Message();
    }
    return std::string("no failure");
  };
  EXPECT_EQ(failure({"/QUIET"}), "Unknown switch /QUIET. The switches are /SILENT, /VERYSILENT and /LOG=FILE");
  EXPECT_EQ(failure({"/SILENT", "extra"}),
            "Unknown parameter extra. The switches are /SILENT, /VERYSILENT and /LOG=FILE");
  EXPECT_EQ(failure({"/LOG"}), "The switch /LOG needs a file name: /LOG=FILE");
  EXPECT_EQ(failure({"/LOG=setup.log"}),
            "The log file setup.log must be given with its drive or server: /LOG=C:\\SETUP.LOG");
  EXPECT_EQ(failure({"/LOG=" + p_.Scratch() + "\\NoSuchDir\\setup.log"}),
            "The log file " + p_.Scratch() + "\\NoSuchDir\\setup.log cannot be opened for writing");
  EXPECT_EQ(p_.procs_.command, "");
}

}  // namespace
}  // namespace kit
