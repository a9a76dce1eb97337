#include "model/file_related.h"

#include <gtest/gtest.h>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "model/install_driver.h"
#include "model/model_classes.h"
#include "model/system_folders.h"
#include "model/testing/machine_test.h"
#include "model/testing/test_components.h"
#include "translation/testing/fake_translator.h"

namespace kit {
namespace {

using namespace kit::testing;

// A driver that is file-related, as the real one is.
class TFileDriver : public TFileRelated, public InstallDriver {
  KIT_COMPONENT_CLASS(TFileDriver)

 public:
  TFileDriver(TComponent* owner, const std::string& name) : TFileRelated(owner) {
    SetName(name);
    SetDriver(this);
    SetArchiveFileType(ddLoading);
    SetArchiveFile("\\files.1");
  }
  TInstallContainer& DriverComponent() override { return *this; }
  std::string ProductName() const override { return "Tavrix"; }
  std::string SourceDirectory() const override { return source; }
  void AddUnfinishedEntry(const std::string&, int) override {}
  std::string source = "A:";
};

class TGroup : public TFileRelated {
  KIT_COMPONENT_CLASS(TGroup)

 public:
  TGroup(TComponent* owner, const std::string& name) : TFileRelated(owner, rank::kFileGroup) {
    SetName(name);
  }
};

class FileRelatedTest : public MachineTest {
 protected:
  static void Stored(TFileRelated& c, TPathSpecifiers type, const std::string& file) {
    c.SetLoading(true);
    c.SetArchiveFileType(type);
    c.SetArchiveFile(file);
    c.SetLoading(false);
  }
};

TEST_F(FileRelatedTest, TheDriversArchiveIsSharedDownTheTree) {
  TFileDriver driver(&form_, "Install1");
  TGroup group(&form_, "Group");
  TGroup file(&form_, "File");
  group.SetContainer(&driver);
  file.SetContainer(&group);
  EXPECT_EQ(file.ArchiveFileType(), ddContainerArchiveFile);
  EXPECT_EQ(file.ArchiveFile(), "");
  EXPECT_EQ(driver.GetArchiveFile(), "A:\\files.1");
  EXPECT_EQ(group.GetArchiveFile(), "A:\\files.1");
  EXPECT_EQ(file.GetArchiveFile(), "A:\\files.1");
  // A source directory given as a drive's root is joined with one backslash.
  driver.source = "A:\\";
  EXPECT_EQ(file.GetArchiveFile(), "A:\\files.1");
  driver.source = "A:";

  // The group's own archive in its container's destination; the file
  // shares it, and its own destination plays no part.
  driver.SetDestDir("C:\\App\\");
  group.SetDestDir("\\Tools");
  group.SetArchiveFileType(ddContainerDestDir);
  group.SetArchiveFile("\\tools.1");
  EXPECT_EQ(group.GetArchiveFile(), "C:\\App\\tools.1");
  EXPECT_EQ(file.GetArchiveFile(), "C:\\App\\tools.1");
  file.SetArchiveFile("\\");
  EXPECT_EQ(file.GetArchiveFile(), "C:\\App\\tools.1");
  file.SetArchiveFileType(ddContainerDestDir);
  file.SetArchiveFile("\\file.1");
  EXPECT_EQ(file.GetArchiveFile(), "C:\\App\\Tools\\file.1");

  file.SetArchiveFileType(ddAbsolute);
  file.SetArchiveFile("C:\\");
  EXPECT_EQ(file.GetArchiveFile(), "C:");
  file.SetArchiveFileType(ddSystem);
  file.SetArchiveFile("\\sys.1");
  EXPECT_EQ(file.GetArchiveFile(), SystemDir() + "\\sys.1");
  file.SetArchiveFileType(ddProgramFilesDir);
  EXPECT_EQ(file.GetArchiveFile(), GetProgramFilesDir() + "\\sys.1");
}

TEST_F(FileRelatedTest, ContainerChangesResetTheArchive) {
  TFileDriver driver(&form_, "Install1");
  TGroup file(&form_, "File");
  file.SetArchiveFileType(ddWindows);
  file.SetArchiveFile("\\own.1");
  file.SetContainer(&driver);
  EXPECT_EQ(file.ArchiveFileType(), ddContainerArchiveFile);
  EXPECT_EQ(file.ArchiveFile(), "");
  file.SetArchiveFile("\\kept.1");
  file.SetContainer(&driver);  // the same container changes nothing
  EXPECT_EQ(file.ArchiveFile(), "\\kept.1");
  file.SetContainer(nullptr);
  EXPECT_EQ(file.ArchiveFileType(), ddAbsolute);
  EXPECT_EQ(file.ArchiveFile(), "\\kept.1");
  // A refused container leaves the archive alone.
  TGroup child(&form_, "Child");
  child.SetContainer(&file);
  file.SetArchiveFileType(ddWindows);
  EXPECT_THROW(file.SetContainer(&child), Exception);
  EXPECT_EQ(file.ArchiveFileType(), ddWindows);
  {
    TGroup holder(&form_, "Holder");
    file.SetContainer(&holder);
    EXPECT_EQ(file.ArchiveFileType(), ddContainerArchiveFile);
  }
  // The container went: detached, absolute.
  EXPECT_EQ(file.Container(), nullptr);
  EXPECT_EQ(file.ArchiveFileType(), ddAbsolute);
}

TEST_F(FileRelatedTest, SetterAcceptsPerSpecifierAndChangesNothingWhenRefusing) {
  TGroup file(&form_, "F");
  file.SetArchiveFileType(ddSystem);
  for (TPathSpecifiers type : {ddAbsolute, ddSystem, ddWindows, ddProgramFilesDir,
                               ddCommonFilesDir}) {
    file.SetArchiveFileType(type);
    EXPECT_EQ(file.ArchiveFileType(), type);
  }
  EXPECT_EQ(FailureOf([&] { file.SetArchiveFileType(ddLoading); }),
            "Cannot set the ArchiveFile property of F because there is not TInstall");
  for (TPathSpecifiers type : {ddContainerDestDir, ddContainerArchiveFile})
    EXPECT_EQ(FailureOf([&] { file.SetArchiveFileType(type); }),
              "Cannot set the ArchiveFile property of F because the Container property is Nil");
  for (TPathSpecifiers type : {ddObjectLink, ddBDEDLLDir, ddMainInstallDir, ddDesktopMenuDir,
                               ddFontDir, ddStartUpMenuDir})
    EXPECT_EQ(FailureOf([&] { file.SetArchiveFileType(type); }),
              "That path specifier is not allowed for the ArchiveFile property for F")
        << type;
  EXPECT_EQ(file.ArchiveFileType(), ddCommonFilesDir);

  TFileDriver driver(&form_, "Install1");
  file.SetArchiveFileType(ddLoading);
  file.SetContainer(&driver);
  file.SetArchiveFileType(ddContainerDestDir);
  EXPECT_EQ(file.ArchiveFileType(), ddContainerDestDir);
  EXPECT_EQ(FailureOf([&] { file.SetArchiveFileType(ddBDEDLLDir); }),
            "That path specifier is not allowed for the ArchiveFile property for F");

  FakeTranslator translator;
  translator.table["That path specifier is not allowed for the ArchiveFile property for %s"] =
      "%s: olmaz";
  EXPECT_EQ(FailureOf([&] { file.SetArchiveFileType(ddObjectLink); }), "F: olmaz");
}

TEST_F(FileRelatedTest, ResolutionFailuresNameTheComponent) {
  TGroup file(&form_, "F");
  Stored(file, ddLoading, "\\files.1");
  EXPECT_EQ(FailureOf([&] { file.GetArchiveFile(); }),
            "Cannot expand the ArchiveFile property of F because there is no TInstall");
  Stored(file, ddContainerDestDir, "\\files.1");
  EXPECT_EQ(FailureOf([&] { file.GetArchiveFile(); }),
            "Cannot expand the ArchiveFile property of F because the Container is Nil");
  Stored(file, ddContainerArchiveFile, "");
  EXPECT_EQ(FailureOf([&] { file.GetArchiveFile(); }),
            "Cannot expand the ArchiveFile of F because the Container is Nil");
  TTestGroup plain(&form_, "Plain");  // has a destination, but no archive
  file.SetLoading(true);
  file.SetContainer(&plain);
  file.SetLoading(false);
  EXPECT_EQ(FailureOf([&] { file.GetArchiveFile(); }),
            "Cannot expand the ArchiveFile of F because the Container is not TFileRelated");
  for (TPathSpecifiers type : {ddObjectLink, ddBDEDLLDir, ddMainInstallDir, ddFontDir}) {
    Stored(file, type, "");
    EXPECT_EQ(FailureOf([&] { file.GetArchiveFile(); }),
              "That path specifier is not allowed for the ArchiveFile property for F")
        << type;
  }
  file.SetContainer(nullptr);
}

// A stored configuration sets every value as stored: the setters do not
// check, and the container reference resolved at the end resets nothing.
TEST_F(FileRelatedTest, StoredFormsSetValuesWithoutChecks) {
  ClassRegistry classes;
  RegisterModelClasses(classes);
  ASSERT_NE(classes.Find("TFileRelated"), nullptr);
  const char* form =
      "object Root: TFileRelated\n"
      "  ArchiveFile = '\\files.1'\n"
      "  DestDir = 'C:\\Root'\n"
      "  object Child: TFileRelated\n"
      "    ArchiveFileType = ddBDEDLLDir\n"
      "    ArchiveFile = '\\child.1'\n"
      "    DestDirType = ddLoading\n"
      "    DestDir = '\\Sub'\n"
      "    Container = Root\n"
      "  end\n"
      "  object Other: TFileRelated\n"
      "    ArchiveFileType = ddContainerArchiveFile\n"
      "    DestDirType = ddContainerDestDir\n"
      "    Container = Root\n"
      "  end\n"
      "end\n";
  FormReader reader(classes);
  std::unique_ptr<TComponent> root = reader.Read(form, "files.dfm");
  auto* r = dynamic_cast<TFileRelated*>(root.get());
  ASSERT_NE(r, nullptr);
  auto* child = dynamic_cast<TFileRelated*>(r->FindComponent("Child"));
  auto* other = dynamic_cast<TFileRelated*>(r->FindComponent("Other"));
  ASSERT_NE(child, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(child->IsLoading());
  EXPECT_EQ(child->Container(), r);
  EXPECT_EQ(child->ArchiveFileType(), ddBDEDLLDir);
  EXPECT_EQ(child->ArchiveFile(), "\\child.1");
  EXPECT_EQ(child->DestDirType(), ddLoading);
  EXPECT_EQ(FailureOf([&] { child->GetArchiveFile(); }),
            "That path specifier is not allowed for the ArchiveFile property for Child");
  EXPECT_EQ(other->GetArchiveFile(), "\\files.1");
  EXPECT_EQ(other->GetDestDir(), "C:\\Root");
  // After loading the setters check again.
  EXPECT_THROW(other->SetArchiveFileType(ddBDEDLLDir), Exception);
}

}  // namespace
}  // namespace kit
