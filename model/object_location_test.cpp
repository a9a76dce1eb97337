#include "model/object_location.h"

#include <gtest/gtest.h>

#include "model/system_folders.h"
#include "model/testing/machine_test.h"
#include "model/testing/test_components.h"
#include "translation/testing/fake_translator.h"

namespace kit {
namespace {

using namespace kit::testing;

// What an install file is to a link: the installed file itself.
class TInstalledFile : public TTestHelper {
  KIT_COMPONENT_CLASS(TInstalledFile)

 public:
  TInstalledFile(TComponent* owner, const std::string& name)
      : TTestHelper(owner, name, rank::kInstallFile) {}
  std::string LinkedObjectPath() const override { return GetDestDir() + "\\TAVWIN.EXE"; }
};

class ObjectLocationTest : public MachineTest {
 protected:
};

TEST_F(ObjectLocationTest, SetterCheckSaysWhatElseChanges) {
  TTestLink link(&form_, "Link");
  TTestGroup folder(&form_, "Folder");
  for (TPathSpecifiers type : {ddAbsolute, ddSystem, ddWindows, ddProgramFilesDir,
                               ddCommonFilesDir}) {
    ObjectLocationTypeChange c = CheckObjectLocationType(link, type, nullptr);
    EXPECT_TRUE(c.custom_link_kind) << type;
    EXPECT_FALSE(c.clear_location) << type;
  }
  FakeTranslator translator;  // none of these texts is translated
  translator.table["Cannot set the ObjectLocation property of "] = "translated";
  EXPECT_EQ(FailureOf([&] { CheckObjectLocationType(link, ddContainerDestDir, nullptr); }),
            "Cannot set the ObjectLocation property of Link because the Container property is Nil");
  EXPECT_EQ(FailureOf([&] { CheckObjectLocationType(link, ddObjectLink, nullptr); }),
            "Cannot set the ObjectLocation property of Link because the ObjectLink property is Nil");
  for (TPathSpecifiers type : {ddLoading, ddContainerArchiveFile, ddBDEDLLDir, ddMainInstallDir,
                               ddDesktopMenuDir, ddFontDir, ddStartUpMenuDir})
    EXPECT_EQ(FailureOf([&] { CheckObjectLocationType(link, type, &folder); }),
              "That path specifier is not allowed for the ObjectLocation property for Link")
        << type;

  link.SetContainer(&folder);
  ObjectLocationTypeChange c = CheckObjectLocationType(link, ddContainerDestDir, nullptr);
  EXPECT_TRUE(c.custom_link_kind);
  EXPECT_FALSE(c.clear_location);
  c = CheckObjectLocationType(link, ddObjectLink, &folder);
  EXPECT_FALSE(c.custom_link_kind);
  EXPECT_TRUE(c.clear_location);

  // While loading everything is taken as it is and nothing else changes.
  link.SetLoading(true);
  c = CheckObjectLocationType(link, ddBDEDLLDir, nullptr);
  EXPECT_FALSE(c.custom_link_kind || c.clear_location);
  c = CheckObjectLocationType(link, ddAbsolute, nullptr);
  EXPECT_FALSE(c.custom_link_kind || c.clear_location);
  link.SetLoading(false);
}

TEST_F(ObjectLocationTest, ResolvesByItsSpecifier) {
  TTestDriver driver(&form_, "Install1");
  TTestGroup group(&form_, "Group");
  TInstalledFile file(&form_, "File");
  TTestLink link(&form_, "Link");
  driver.SetDestDir("C:\\Tavwin");
  group.SetContainer(&driver);
  group.SetDestDir("\\Bin");
  file.SetContainer(&group);
  link.SetContainer(&group);

  EXPECT_EQ(GetObjectLocation(link, ddAbsolute, "C:\\Tavwin\\", nullptr), "C:\\Tavwin");
  EXPECT_EQ(GetObjectLocation(link, ddWindows, "\\NOTEPAD.EXE\\", nullptr),
            WindowsDir() + "\\NOTEPAD.EXE");
  EXPECT_EQ(GetObjectLocation(link, ddSystem, "", nullptr), SystemDir());
  // These keep the text as it is, a trailing backslash included.
  EXPECT_EQ(GetObjectLocation(link, ddProgramFilesDir, "\\App\\", nullptr),
            GetProgramFilesDir() + "\\App\\");
  EXPECT_EQ(GetObjectLocation(link, ddCommonFilesDir, "\\C\\", nullptr),
            GetCommonFilesDir() + "\\C\\");
  EXPECT_EQ(GetObjectLocation(link, ddDesktopMenuDir, "\\D", nullptr), GetDesktopDir() + "\\D");
  EXPECT_EQ(GetObjectLocation(link, ddProgramMenuDir, "\\P", nullptr),
            GetProgramMenuDir() + "\\P");
  EXPECT_EQ(GetObjectLocation(link, ddStartMenuDir, "\\S", nullptr), GetStartMenuDir() + "\\S");
  EXPECT_EQ(GetObjectLocation(link, ddContainerDestDir, "\\TAVWIN.HLP", nullptr),
            "C:\\Tavwin\\Bin\\TAVWIN.HLP");
  // A linked install file gives the installed file, any other component
  // its destination; the location text plays no part.
  EXPECT_EQ(GetObjectLocation(link, ddObjectLink, "ignored", &file),
            "C:\\Tavwin\\Bin\\TAVWIN.EXE");
  EXPECT_EQ(GetObjectLocation(link, ddObjectLink, "ignored", &group), "C:\\Tavwin\\Bin");
}

TEST_F(ObjectLocationTest, ResolutionFailuresAppendTheLinksName) {
  TTestLink link(&form_, "Link");
  EXPECT_EQ(FailureOf([&] { GetObjectLocation(link, ddContainerDestDir, "", nullptr); }),
            "Cannot expand the ObjectLocation property of Link because the Container is Nil");
  EXPECT_EQ(FailureOf([&] { GetObjectLocation(link, ddObjectLink, "", nullptr); }),
            "Cannot expand the ObjectLocation property of Link because the ObjectLink is Nil");
  for (TPathSpecifiers type : {ddLoading, ddContainerArchiveFile, ddBDEDLLDir, ddMainInstallDir,
                               ddFontDir, ddStartUpMenuDir})
    EXPECT_EQ(FailureOf([&] { GetObjectLocation(link, type, "", nullptr); }),
              "That path specifier is not allowed for the ObjectLocation property for Link")
        << type;
}

}  // namespace
}  // namespace kit
