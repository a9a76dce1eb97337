#include "files/install_file.h"

#include <gtest/gtest.h>

#include "base/class_registry.h"
#include "base/exception.h"
#include "base/form_reader.h"
#include "base/text.h"
#include "files/file_classes.h"
#include "files/testing/file_fixture.h"
#include "model/errors.h"
#include "platform/current_platform.h"
#include "platform/fault_platform.h"
#include "platform/host.h"
#include "platform/testing/version_fixtures.h"
#include "system/shared_dll.h"
#include "system/version_resource.h"
#include "ui/data_module.h"

namespace kit {
namespace {

using testing::Bytes;
using testing::FileTest;
using testing::FixtureBytes;
using Lines = std::vector<std::string>;

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return std::string(e.ClassName()) + ": " + e.Message();
  }
  return "<no error>";
}

class InstallFileTest : public FileTest {
 protected:
  InstallFileTest() : versions_(OpenHostVersionSource(m_.platform())) {
    StartVersionResources(versions_.get(), m_.Scratch() + "\\install.exe");
    SetSharedVersionLookup(ReaderFileVersion);
  }
  ~InstallFileTest() override {
    SetSharedVersionLookup(nullptr);
    StopVersionResources();
  }
  std::unique_ptr<VersionSource> versions_;
};

TEST_F(InstallFileTest, NamesFollowTheRulesOfTheirType) {
  TInstallFile* f = File(driver_.get(), "averyverylongname.dll", "x");
  EXPECT_EQ(f->DestName(), "averyverylongname.dll");
  EXPECT_EQ(f->SourcePath(), src_ + "\\averyverylongname.dll");
  EXPECT_EQ(f->ProcessingRank(), rank::kInstallFile);
  // 16 characters: no 8.3 name; FileType stays, the placeholder is left.
  EXPECT_EQ(Message([&] { f->SetFileType(iftSystemWideDLL); }).substr(0, 22), "EAIIFDLLNameConflict: ");
  EXPECT_EQ(f->FileType(), iftNormal);
  EXPECT_EQ(f->DestName(), kPlaceholderDllName);
  f->SetDestName("exactly8.dll");  // 12 characters
  f->SetFileType(iftSystemWideDLL);
  EXPECT_EQ(f->DestDirType(), ddSystem);
  EXPECT_EQ(f->DestDir(), "");
  EXPECT_EQ(f->OverwriteMode(), owVersionDate);
  EXPECT_TRUE(f->UpdateDLLCounter());
  EXPECT_EQ(Message([&] { f->SetDestName("longer than twelve.dll"); }).substr(0, 20), "EAIIFDLLNameConflict");
  EXPECT_EQ(f->DestName(), kPlaceholderDllName);
  EXPECT_EQ(Message([&] { f->SetDestDirType(ddWindows); }),
            "Exception: DestDirType must be set to ddSystem for iftSystemWideDLL files");
  f->SetDestDir("\\Elsewhere");
  EXPECT_EQ(f->DestDir(), "");

  TInstallFile* v = File(driver_.get(), "vendor.dll", "x");
  v->SetFileType(iftVendorSharedDLL);
  EXPECT_EQ(v->DestDirType(), ddCommonFilesDir);
  EXPECT_EQ(v->DestDir(), "\\System");
  v->SetDestDir("\\Other");
  EXPECT_EQ(v->DestDir(), "\\System");
  EXPECT_EQ(Message([&] { v->SetDestDirType(ddSystem); }),
            "Exception: DestDirType must be set to ddCommonFiles for iftVendorSharedDLL");
  TInstallFile* app = File(driver_.get(), "app.dll", "x");
  app->SetFileType(iftApplicationSpecificDLL);
  EXPECT_EQ(app->DestDirType(), ddMainInstallDir);
  EXPECT_EQ(app->DestDir(), "\\System");
  EXPECT_FALSE(app->UpdateDLLCounter());
}

TEST_F(InstallFileTest, ExtensionsAndVersionResourcesChooseTheRegistrations) {
  const std::string fixtures = src_ + "\\fixtures";
  m_.platform().Files().MakeDirectories(fixtures);
  for (const char* name : {"local_server.exe", "program.exe", "inproc_server.dll"})
    ASSERT_TRUE(testing::PutFile(m_.platform(), fixtures + "\\" + name, FixtureBytes(name)));
  Source("Control.ocx", "not a library");
  Source("Help.cnt", "x");

  TInstallFile* f = File(driver_.get(), "plain.txt", "x");
  EXPECT_FALSE(f->RegisterAsActiveX_DLLStyle() || f->RegisterAsHelp() || f->UpdateDLLCounter());
  f->SetFileName("Control.ocx");
  EXPECT_TRUE(f->RegisterAsActiveX_DLLStyle());
  EXPECT_TRUE(f->UpdateDLLCounter());
  EXPECT_EQ(f->DestName(), "Control.ocx");
  f->SetFileName("Help.cnt");
  EXPECT_TRUE(f->RegisterAsHelp());
  EXPECT_FALSE(f->RegisterAsActiveX_DLLStyle());

  TInstallFile* exe = File(driver_.get(), "other.txt", "x");
  exe->SetIncludeFromDir(fixtures);
  exe->SetFileName("local_server.exe");
  EXPECT_TRUE(exe->RegisterAsActiveX_EXEStyle());
  EXPECT_FALSE(exe->RegisterAsActiveX_DLLStyle());
  exe->SetFileName("program.exe");  // no "OLESelfRegister": the EXE style stays
  EXPECT_TRUE(exe->RegisterAsActiveX_EXEStyle());
  EXPECT_FALSE(exe->RegisterAsActiveX_DLLStyle());
  exe->SetFileName("inproc_server.dll");
  EXPECT_TRUE(exe->RegisterAsActiveX_DLLStyle());
  EXPECT_FALSE(exe->RegisterAsActiveX_EXEStyle());
  exe->SetRegisterAsActiveX_EXEStyle(true);
  EXPECT_FALSE(exe->RegisterAsActiveX_DLLStyle());
}

TEST_F(InstallFileTest, ASourcePathIsHeldOnceByAGroup) {
  TInstallFileGroup* g1 = Group(driver_.get(), "Group1", "One");
  TInstallFileGroup* g2 = Group(driver_.get(), "Group2", "Two");
  File(g1, "a.txt", "x");
  TInstallFile* b = File(g1, "b.txt", "x");
  TInstallFile* other = File(g2, "a.txt", "x");
  EXPECT_EQ(Message([&] { b->SetFileName("A.TXT"); }),
            "EAIIFDuplicateFileInGroup: There is already a file with the name :" + src_ + "\\A.TXT");
  EXPECT_EQ(b->FileName(), "b.txt");
  b->SetFileName("B.TXT");  // its own name in other letters
  EXPECT_EQ(Message([&] { other->SetContainer(g1); }),
            "EAIIFDuplicateFileInGroup: There is already a file with the name :" + src_ + "\\a.txt");
  EXPECT_EQ(other->Container(), g2);
  TInstallContainer plain(nullptr);
  plain.SetName("Plain");
  other->SetName("File9");
  EXPECT_EQ(Message([&] { other->SetContainer(&plain); }).substr(0, 23), "EAIIFNotFileContainer: ");
  EXPECT_EQ(other->Container(), g2);
}

TEST_F(InstallFileTest, InstallStepRegistersCountsAndLogsEveryTime) {
  TInstallFile* help = File(driver_.get(), "Guide.hlp", Bytes(3000, 1), "HelpFile");
  TInstallFile* dll = File(driver_.get(), "shared.dll", Bytes(5000, 2), "SharedDll");
  dll->SetUpdateDLLCounter(true);
  dll->SetOverwriteMode(owNever);
  testing::ScopedValue help_value(m_.platform(), RegRoot::kLocalMachine, "\\SOFTWARE\\Microsoft\\Windows\\Help", "GUIDE.HLP");
  testing::ScopedValue counter(m_.platform(), RegRoot::kLocalMachine, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", dest_ + "\\shared.dll");
  Build();
  Lines replaced;
  dll->on_replacing = [&](TInstallFile* f) { replaced.push_back(f->Name()); };
  help->on_replacing = dll->on_replacing;

  driver_->Process();
  EXPECT_TRUE(help->RegisterAsHelp());
  auto key = m_.platform().Reg().Open(RegRoot::kLocalMachine, "\\SOFTWARE\\Microsoft\\Windows\\Help", RegAccess::kRead, false);
  ASSERT_TRUE(key);
  RegValue v;
  ASSERT_TRUE(key->Query("GUIDE.HLP", &v));
  EXPECT_EQ(v.AsString().value_or(""), dest_);
  EXPECT_EQ(SharedDLLCount(dest_ + "\\shared.dll"), 1u);

  // Again: owNever keeps the file, yet the counter rises; the deletable
  // help file is replaced at once.
  testing::PutFile(m_.platform(), dest_ + "\\shared.dll", "kept");
  driver_->Process();
  EXPECT_EQ(replaced, Lines{"HelpFile"});
  EXPECT_FALSE(help->ReplacedAtReboot());
  EXPECT_EQ(Get(dest_ + "\\shared.dll"), "kept");
  EXPECT_EQ(SharedDLLCount(dest_ + "\\shared.dll"), 2u);
  EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"4\"", "File1=\"" + dest_ + "\\Guide.hlp\"",
                          "File2=\"" + dest_ + "\\shared.dll\"", "File3=\"" + dest_ + "\\Guide.hlp\"",
                          "File4=\"" + dest_ + "\\shared.dll\""}));
  EXPECT_TRUE(driver_->unfinished.empty());
  EXPECT_FALSE(RebootNeeded());
}

TEST_F(InstallFileTest, AFileInUseIsWrittenBesideItAndSwappedAtTheRestart) {
  TInstallFile* f = File(driver_.get(), "busy.dll", Bytes(6000, 7), "BusyFile");
  Build();
  m_.platform().Files().MakeDirectories(dest_);
  ASSERT_TRUE(testing::PutFile(m_.platform(), dest_ + "\\busy.dll", "old"));
  ASSERT_TRUE(testing::PutFile(m_.platform(), dest_ + "\\busy.1", "taken"));
  {
    auto held = testing::HoldOpen(m_.platform(), dest_ + "\\busy.dll");
    ASSERT_TRUE(held);
    driver_->Process();
  }
  EXPECT_TRUE(f->ReplacedAtReboot());
  EXPECT_TRUE(RebootNeeded());
  EXPECT_EQ(Get(dest_ + "\\busy.dll"), "old");
  EXPECT_EQ(Get(dest_ + "\\busy.2"), Bytes(6000, 7));
  EXPECT_EQ(driver_->unfinished, Lines{"BusyFile;0"});
  EXPECT_EQ(f->DestName(), "busy.dll");
  // The log names the file under its own name.
  EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"1\"", "File1=\"" + dest_ + "\\busy.dll\""}));
  std::string error;
  ASSERT_TRUE(m_.machine().RestartWindows(&error)) << error;
  EXPECT_EQ(Get(dest_ + "\\busy.dll"), Bytes(6000, 7));
  EXPECT_FALSE(Exists(dest_ + "\\busy.2"));
}

TEST_F(InstallFileTest, AFailedExtractionLeavesTheOldFileWhole) {
  TInstallFile* f = File(driver_.get(), "lib.dll", Bytes(40000, 3), "Lib");
  Build();
  ASSERT_TRUE(m_.platform().Files().MakeDirectories(dest_));
  const std::string old_bytes = Bytes(3000, 9);
  ASSERT_TRUE(testing::PutFile(m_.platform(), dest_ + "\\lib.dll", old_bytes));
  auto expect_untouched = [&](const char* what) {
    EXPECT_EQ(Get(dest_ + "\\lib.dll"), old_bytes) << what;
    std::vector<FileEntry> entries;
    ASSERT_TRUE(m_.platform().Files().List(dest_, "*", &entries));
    EXPECT_EQ(entries.size(), 1u) << what;  // no stray file beside it
  };

  f->on_status = [](TInstallFile*, int, int) { throw EAIUserAbort(); };
  EXPECT_EQ(Message([&] { driver_->Process(); }), "EAIUserAbort: Installation aborted by the user");
  expect_untouched("cancel");
  f->on_status = nullptr;

  {
    FaultPlatform faults(m_.platform());
    ScopedPlatform scope(faults);
    ResetInstallEngine();
    faults.DiskFullAfter(4096);
    EXPECT_NE(Message([&] { driver_->Process(); }), "<no error>");
    expect_untouched("full disk");
  }
  ResetInstallEngine();
  driver_->Process();
  EXPECT_EQ(Get(dest_ + "\\lib.dll"), Bytes(40000, 3));
}

TEST_F(InstallFileTest, MissingSettingsAndMembersFailBeforeAnythingIsWritten) {
  TInstallFile* f = File(driver_.get(), "a.txt", "x", "FileA");
  Build();
  f->SetDestDirType(ddAbsolute);
  f->SetDestDir("  ");
  EXPECT_EQ(Message([&] { f->SetState(ifsInstall); }),
            "Exception: The GetDestDir returned a blank value for the TInstallFile FileA. You need "
            "to set either the DestDir property or the DestDirType property or both");
  EXPECT_EQ(f->State(), ifsNone);
  f->SetDestDir(dest_);
  f->SetArchiveFileType(ddAbsolute);
  f->SetArchiveFile(" ");
  EXPECT_EQ(Message([&] { f->SetState(ifsInstall); }).substr(0, 23), "EAIIFBlankArchiveFile: ");
  f->SetArchiveFile(archive_);
  f->SetFileName("b.txt");  // not in the archive
  EXPECT_NE(Message([&] { f->SetState(ifsInstall); }), "<no error>");
  EXPECT_FALSE(Exists(dest_ + "\\b.txt"));
  EXPECT_EQ(Log(), Lines{});
}

TEST_F(InstallFileTest, StoredFormsLoadGroupsFilesAndRepositoryEntries) {
  ClassRegistry classes;
  classes.Register<TDataModule>();
  RegisterFileClasses(classes);
  const std::string form =
      "object Module1: TDataModule\n"
      "  object Group1: TInstallFileGroup\n"
      "    Container = Fixture.Install1\n"
      "    GroupName = 'Tools'\n"
      "    ArchiveFileType = ddContainerArchiveFile\n"
      "    DestDirType = ddContainerDestDir\n"
      "    DestDir = '\\Tools'\n"
      "    InstallTypes = [itFull, itCustom]\n"
      "    State = fcsCompress\n"
      "  end\n"
      "  object InstallFile1: TInstallFile\n"
      "    Container = Group1\n"
      "    ArchiveFileType = ddContainerArchiveFile\n"
      "    FileName = 'averyverylongname.dll'\n"
      "    DestName = 'averyverylongname.dll'\n"
      "    FileType = iftJustADLL\n"
      "    OverwriteMode = owVersionDate\n"
      "    RegisterAsActiveX_DLLStyle = True\n"
      "    Repository.Delphi3.RegisterIt = True\n"
      "    Repository.Delphi3.Page = 'Forms'\n"
      "  end\n"
      "end\n";
  FormReader reader(classes);
  reader.SetExternalResolver([this](const std::string& name) -> TComponent* {
    return SameText(name, "Fixture.Install1") ? driver_.get() : nullptr;
  });
  std::unique_ptr<TComponent> root = reader.Read(form, "test.dfm");
  auto* g = dynamic_cast<TInstallFileGroup*>(root->FindComponent("Group1"));
  auto* f = dynamic_cast<TInstallFile*>(root->FindComponent("InstallFile1"));
  ASSERT_TRUE(g && f);
  EXPECT_EQ(g->Container(), driver_.get());
  EXPECT_EQ(g->GroupName(), "Tools");
  EXPECT_EQ(g->InstallTypes(), (TInstallTypeSet{itFull, itCustom}));
  EXPECT_EQ(f->Container(), g);
  // Loading only stores: no 8.3 check, no derived settings.
  EXPECT_EQ(f->DestName(), "averyverylongname.dll");
  EXPECT_EQ(f->FileType(), iftJustADLL);
  EXPECT_FALSE(f->UpdateDLLCounter());
  EXPECT_TRUE(f->RegisterAsActiveX_DLLStyle());
  EXPECT_TRUE(f->Repository().Delphi3().RegisterIt());
  EXPECT_EQ(f->Repository().Delphi3().Page(), "Forms");
  EXPECT_EQ(f->GetArchiveFile(), archive_);
  // A stored State is not acted on.
  EXPECT_EQ(g->State(), fcsNone);
  EXPECT_FALSE(Exists(archive_));
}

}  // namespace
}  // namespace kit
