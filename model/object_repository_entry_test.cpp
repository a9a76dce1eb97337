#include "model/object_repository_entry.h"

#include <gtest/gtest.h>

#include "base/class_registry.h"
#include "base/exception.h"
#include "base/form_error.h"
#include "base/form_reader.h"
#include "base/string_list.h"
#include "model/repository.h"
#include "model/repository_file.h"
#include "system/testing/install_machine.h"

namespace kit {
namespace {

using testing::GetFile;
using testing::InstallMachine;
using testing::PutFile;
using testing::ScopedKey;
using Lines = std::vector<std::string>;

// An install file as far as the repository sees it, with its record.
class TRepoFile : public TComponent, public RepositoryFile {
  KIT_COMPONENT_CLASS(TRepoFile)

 public:
  explicit TRepoFile(TComponent* owner) : TComponent(owner), repository_(this) {}
  static const PropertyTable& Properties() {
    static const PropertyTable table = PropertyTable::Make<TRepoFile, TComponent>([](auto& p) {
      p.Str("DestDir", [](TRepoFile* f, const std::string& v) { f->dir = v; },
            [](TRepoFile* f) { return f->dir; });
      p.Str("DestName", [](TRepoFile* f, const std::string& v) { f->name = v; },
            [](TRepoFile* f) { return f->name; });
      p.Object("Repository", [](TRepoFile* f) -> TRepository& { return f->repository_; });
    });
    return table;
  }
  std::string InstalledDir() const override { return dir; }
  std::string InstalledName() const override { return name; }
  TRepository& Repository() { return repository_; }

  std::string dir, name;

 private:
  TRepository repository_;
};

class TNotAFile : public TComponent {
  KIT_COMPONENT_CLASS(TNotAFile)

 public:
  explicit TNotAFile(TComponent* owner) : TComponent(owner) {}
  static const PropertyTable& Properties() { return PropertiesOf<TComponent>(); }
};

class TRepoForm : public TComponent {
  KIT_COMPONENT_CLASS(TRepoForm)

 public:
  explicit TRepoForm(TComponent* owner) : TComponent(owner) {}
  static const PropertyTable& Properties() { return PropertiesOf<TComponent>(); }
};

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "<no exception>";
}

class RepositoryTest : public ::testing::Test {
 protected:
  RepositoryTest()
      : hkcu_(m_.platform(), RegRoot::kCurrentUser, "Software\\Borland"),
        hklm_(m_.platform(), RegRoot::kLocalMachine, "Software\\Borland"),
        dir_(m_.Scratch() + "\\Borland") {
    EXPECT_TRUE(m_.platform().Files().MakeDirectories(dir_ + "\\Bin"));
    file_.dir = m_.Scratch() + "\\Forms";
    file_.name = "MyForm.pas";
    icon_.dir = m_.Scratch() + "\\Forms\\";
    icon_.name = "MyForm.ico";
  }

  void SetString(RegRoot root, const std::string& key, const std::string& name,
                 const std::string& value) {
    auto k = m_.platform().Reg().Open(root, key, RegAccess::kAll, true);
    ASSERT_TRUE(k && k->Set(name, RegValue::String(value)));
  }
  // Delphi 3 takes its repository from BaseDir.
  std::string UseBaseDir(const char* product = "\\Delphi\\3.0", const char* file = "DELPHI32.DRO",
                         const std::string& content = "") {
    SetString(RegRoot::kCurrentUser, std::string("Software\\Borland") + product + "\\repository",
              "BaseDir", dir_);
    std::string path = dir_ + "\\" + file;
    EXPECT_TRUE(PutFile(m_.platform(), path, content));
    return path;
  }
  Lines Sections(const std::string& path) {
    TStringList lines;
    lines.LoadFromFile(m_.platform().Files(), path);
    Lines out;
    for (int i = 0; i < lines.Count(); ++i)
      if (!lines[i].empty() && lines[i][0] == '[') out.push_back(lines[i]);
    return out;
  }
  std::string Value(const std::string& path, const std::string& section, const std::string& key) {
    return m_.platform().Ini().Read(path, section, key, "<none>");
  }

  InstallMachine m_;
  ScopedKey hkcu_, hklm_;
  std::string dir_;
  TRepoFile file_{nullptr};
  TRepoFile icon_{nullptr};
};

TEST_F(RepositoryTest, EntryNeedsItsFileAndTheRecordHasTheThreeEnvironments) {
  EXPECT_EQ(Message([] { TObjectRepositoryEntry e(nullptr, RepositoryEnvironment::kDelphi2); }),
            "Cannot create the TObjectRepositoryEntry because the file component passed to the "
            "contructor was NIL");
  EXPECT_THROW(TRepository(nullptr), Exception);
  TRepository& r = file_.Repository();
  EXPECT_EQ(r.Delphi2().Environment(), RepositoryEnvironment::kDelphi2);
  EXPECT_EQ(r.Delphi3().Environment(), RepositoryEnvironment::kDelphi3);
  EXPECT_EQ(r.CBuilder().Environment(), RepositoryEnvironment::kCBuilder);
  EXPECT_EQ(static_cast<int>(RepositoryEnvironment::kDelphi3), 0);
  EXPECT_EQ(static_cast<int>(RepositoryEnvironment::kCBuilder), 2);
  EXPECT_EQ(&r.Delphi3().File(), &file_);
  EXPECT_FALSE(r.Delphi3().RegisterIt());
  EXPECT_FALSE(r.Delphi3().RaiseExceptionOnFailure());
  EXPECT_TRUE(r.Delphi3().OverwriteSameFileName());
}

TEST_F(RepositoryTest, RepositoryFileIsFoundFromBaseDirOrRootDir) {
  std::string d3 = UseBaseDir();
  EXPECT_EQ(LocateRepositoryFile(RepositoryEnvironment::kDelphi3), d3);
  // No RootDir and no BaseDir for C++Builder.
  EXPECT_EQ(Message([] { LocateRepositoryFile(RepositoryEnvironment::kCBuilder); }),
            "Could find the object repository because the "
            "HKEY_LOCAL_MACHINE\\Software\\Borland\\C++Builder\\1.0 | RootDir entry was blank in "
            "the registry");
  SetString(RegRoot::kLocalMachine, "Software\\Borland\\C++Builder\\1.0", "RootDir", dir_ + "\\");
  EXPECT_EQ(Message([] { LocateRepositoryFile(RepositoryEnvironment::kCBuilder); }),
            "Could not find the Object Repository file " + dir_ + "\\Bin\\BCB.DRO");
  ASSERT_TRUE(PutFile(m_.platform(), dir_ + "\\Bin\\BCB.DRO", ""));
  EXPECT_EQ(LocateRepositoryFile(RepositoryEnvironment::kCBuilder), dir_ + "\\Bin\\BCB.DRO");
  // Delphi 2 has its own keys.
  SetString(RegRoot::kLocalMachine, "Software\\Borland\\Delphi\\2.0", "RootDir", dir_);
  EXPECT_EQ(Message([] { LocateRepositoryFile(RepositoryEnvironment::kDelphi2); }),
            "Could not find the Object Repository file " + dir_ + "\\Bin\\DELPHI32.DRO");
}

TEST_F(RepositoryTest, EntriesThatAreOffTouchNothing) {
  std::string path = UseBaseDir("\\Delphi\\3.0", "DELPHI32.DRO", "[A]\r\nx=1\r\n");
  FaultPlatform faults(m_.platform());
  ScopedPlatform scope(faults);
  file_.Repository().Register();
  EXPECT_EQ(faults.Calls("Ini.Write") + faults.Calls("Ini.EraseSection") + faults.Calls("Reg.Open"), 0);
  EXPECT_EQ(GetFile(m_.platform(), path), "[A]\r\nx=1\r\n");
}

TEST_F(RepositoryTest, RegisteredEntryWritesItsSectionAndPage) {
  std::string path = UseBaseDir();
  TObjectRepositoryEntry& e = file_.Repository().Delphi3();
  e.SetRegisterIt(true);
  e.SetEntryName("My Form");
  e.SetPage("Tavrix");
  e.SetEntryType("FormTemplate");
  e.SetDescription("A form");
  e.SetAuthor("Norvel");
  e.SetIconFile(&icon_);
  e.SetAncestor(&icon_);
  e.Register();
  const std::string section = m_.Scratch() + "\\Forms\\MyForm";
  EXPECT_EQ(Sections(path), (Lines{"[Repository Pages]", "[" + section + "]"}));
  EXPECT_EQ(m_.platform().Ini().ReadSection(path, "Repository Pages"), Lines{"Tavrix"});
  EXPECT_EQ(Value(path, "Repository Pages", "Tavrix"), "");
  EXPECT_EQ(m_.platform().Ini().ReadSection(path, section),
            (Lines{"Name", "Page", "Type", "Description", "Author", "Icon", "Ancestor"}));
  EXPECT_EQ(Value(path, section, "Name"), "My Form");
  EXPECT_EQ(Value(path, section, "Page"), "Tavrix");
  EXPECT_EQ(Value(path, section, "Type"), "FormTemplate");
  EXPECT_EQ(Value(path, section, "Description"), "A form");
  EXPECT_EQ(Value(path, section, "Author"), "Norvel");
  EXPECT_EQ(Value(path, section, "Icon"), m_.Scratch() + "\\Forms\\MyForm.ico");
  EXPECT_EQ(Value(path, section, "Ancestor"), m_.Scratch() + "\\Forms\\MyForm.ico");
}

TEST_F(RepositoryTest, OverwriteSameFileNameErasesEverySectionContainingTheStem) {
  std::string path = UseBaseDir("\\Delphi\\3.0", "DELPHI32.DRO",
                                "[Repository Pages]\r\nForms=\r\n"
                                "[C:\\Old\\myform]\r\nName=Old\r\n"
                                "[C:\\Other\\XMyFormExtra]\r\nName=Other\r\n"
                                "[C:\\Keep\\Unrelated]\r\nName=Keep\r\n");
  TObjectRepositoryEntry& e = file_.Repository().Delphi3();
  e.SetRegisterIt(true);
  e.SetEntryName("New");
  e.Register();
  const std::string section = m_.Scratch() + "\\Forms\\MyForm";
  EXPECT_EQ(Sections(path),
            (Lines{"[Repository Pages]", "[C:\\Keep\\Unrelated]", "[" + section + "]"}));
  EXPECT_EQ(m_.platform().Ini().ReadSection(path, "Repository Pages"), Lines{"Forms"});
  EXPECT_EQ(Value(path, section, "Name"), "New");

  // Off: older sections stay.
  e.SetOverwriteSameFileName(false);
  file_.dir = "C:\\Elsewhere";
  e.Register();
  EXPECT_EQ(Sections(path).size(), 4u);
}

TEST_F(RepositoryTest, RepositoryFileWithOneSectionIsLeftAsItIs) {
  std::string path =
      UseBaseDir("\\Delphi\\3.0", "DELPHI32.DRO", "[C:\\Old\\MyForm]\r\nName=Old\r\n");
  TObjectRepositoryEntry& e = file_.Repository().Delphi3();
  e.SetRegisterIt(true);
  e.Register();
  EXPECT_EQ(Value(path, "C:\\Old\\MyForm", "Name"), "Old");
  // An empty stem would be contained in every name: it erases nothing.
  file_.name = ".pas";
  e.Register();
  EXPECT_EQ(Value(path, "C:\\Old\\MyForm", "Name"), "Old");
}

TEST_F(RepositoryTest, RecordRegistersDelphi2ThenDelphi3ThenCBuilder) {
  std::string path = UseBaseDir("\\Delphi\\3.0");
  UseBaseDir("\\Delphi\\2.0");
  SetString(RegRoot::kLocalMachine, "Software\\Borland\\C++Builder\\1.0", "RootDir", dir_);
  ASSERT_TRUE(PutFile(m_.platform(), dir_ + "\\Bin\\BCB.DRO", "[Other]\r\nName=x\r\n"));
  TRepository& r = file_.Repository();
  r.Delphi2().SetRegisterIt(true);
  r.Delphi2().SetEntryName("From Delphi2");
  r.Delphi3().SetRegisterIt(true);
  r.Delphi3().SetEntryName("From Delphi3");
  r.CBuilder().SetRegisterIt(true);
  r.CBuilder().SetEntryName("From CBuilder");
  r.Register();
  const std::string section = m_.Scratch() + "\\Forms\\MyForm";
  // Both Delphi entries share DELPHI32.DRO: the later one replaced the earlier.
  EXPECT_EQ(Value(path, section, "Name"), "From Delphi3");
  EXPECT_EQ(Value(dir_ + "\\Bin\\BCB.DRO", section, "Name"), "From CBuilder");
}

TEST_F(RepositoryTest, FailuresAreRaisedOnlyWhenAskedFor) {
  TObjectRepositoryEntry& e = file_.Repository().CBuilder();
  e.SetRegisterIt(true);
  EXPECT_NO_THROW(e.Register());
  e.SetRaiseExceptionOnFailure(true);
  EXPECT_NE(Message([&] { e.Register(); }).find("RootDir entry was blank"), std::string::npos);

  SetString(RegRoot::kLocalMachine, "Software\\Borland\\C++Builder\\1.0", "RootDir", dir_);
  EXPECT_EQ(Message([&] { e.Register(); }),
            "Could not find the Object Repository file " + dir_ + "\\Bin\\BCB.DRO");
  ASSERT_TRUE(PutFile(m_.platform(), dir_ + "\\Bin\\BCB.DRO", ""));
  FaultPlatform faults(m_.platform());
  ScopedPlatform scope(faults);
  faults.FailNth("Ini.Write", 1, winerr::kAccessDenied, true);
  const std::string text = Message([&] { e.Register(); });
  EXPECT_NE(text.find(dir_ + "\\Bin\\BCB.DRO"), std::string::npos) << text;
  e.SetRaiseExceptionOnFailure(false);
  EXPECT_NO_THROW(e.Register());
}

TEST_F(RepositoryTest, ReferencedFilesMustBeInstallFilesAndAreForgottenWhenFreed) {
  TObjectRepositoryEntry& e = file_.Repository().Delphi2();
  TNotAFile other(nullptr);
  other.SetName("Button1");
  EXPECT_EQ(Message([&] { e.SetIconFile(&other); }),
            "IconFile must name an install file, not the TNotAFile Button1");
  EXPECT_EQ(e.IconFile(), nullptr);
  {
    TRepoFile icon(nullptr);
    e.SetIconFile(&icon);
    e.SetAncestor(&icon);
    EXPECT_EQ(e.IconFile(), &icon);
  }
  EXPECT_EQ(e.IconFile(), nullptr);
  EXPECT_EQ(e.Ancestor(), nullptr);
  {
    TRepoFile a(nullptr), b(nullptr);
    e.SetAncestor(&a);
    e.SetAncestor(&b);
  }
  EXPECT_EQ(e.Ancestor(), nullptr);
}

TEST(RepositoryFormTest, StoredConfigurationFillsTheRecordInPlace) {
  ClassRegistry classes;
  classes.Register<TRepoForm>();
  classes.Register<TRepoFile>();
  classes.Register<TNotAFile>();
  auto form = FormReader(classes).Read(R"(object Form1: TRepoForm
  object InstallFile1: TRepoFile
    DestDir = 'c:\Tavwin'
    DestName = 'Main.pas'
    Repository.Delphi3.RegisterIt = True
    Repository.Delphi3.EntryName = 'Main form'
    Repository.Delphi3.Page = 'Tavrix'
    Repository.Delphi3.IconFile = InstallFile2
    Repository.Delphi3.OverwriteSameFileName = False
    Repository.CBuilder.RaiseExceptionOnFailure = True
    Repository.CBuilder.Ancestor = InstallFile2
  end
  object InstallFile2: TRepoFile
    DestName = 'Main.ico'
  end
end
)",
                                       "config\\main.dfm");
  auto* f1 = dynamic_cast<TRepoFile*>(form->FindComponent("InstallFile1"));
  auto* f2 = dynamic_cast<TRepoFile*>(form->FindComponent("InstallFile2"));
  ASSERT_TRUE(f1 && f2);
  TRepository& r = f1->Repository();
  EXPECT_TRUE(r.Delphi3().RegisterIt());
  EXPECT_EQ(r.Delphi3().EntryName(), "Main form");
  EXPECT_EQ(r.Delphi3().Page(), "Tavrix");
  EXPECT_EQ(r.Delphi3().IconFile(), f2);
  EXPECT_FALSE(r.Delphi3().OverwriteSameFileName());
  EXPECT_TRUE(r.CBuilder().RaiseExceptionOnFailure());
  EXPECT_EQ(r.CBuilder().Ancestor(), f2);
  EXPECT_FALSE(r.Delphi2().RegisterIt());

  try {
    FormReader(classes).Read(R"(object Form1: TRepoForm
  object InstallFile1: TRepoFile
    Repository.Delphi2.IconFile = Button1
  end
  object Button1: TNotAFile
  end
end
)",
                             "config\\main.dfm");
    FAIL() << "a component that is no install file was taken";
  } catch (const EFormError& e) {
    EXPECT_NE(e.Message().find("IconFile must name an install file"), std::string::npos)
        << e.Message();
  }
}

}  // namespace
}  // namespace kit
