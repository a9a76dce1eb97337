// The shipped main form, as the program holds it.
#include "driver/main_form.h"

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "config/stored_forms.h"
#include "driver/driver_classes.h"
#include "driver/testing/driver_fixture.h"

namespace kit {
namespace {

using testing::DriverTest;

class MainFormTest : public DriverTest {
 protected:
  TForm1* Read() {
    ClassRegistry classes;
    RegisterDriverClasses(classes);
    TForm1* form = nullptr;
    Application().CreateForm([&](TComponent* owner) {
      const StoredForm stored = MainFormStored();
      form = dynamic_cast<TForm1*>(FormReader(classes).Read(stored.text, stored.name, owner));
      return form;
    });
    return form;
  }
};

TEST_F(MainFormTest, TheShippedFormCarriesTheConfiguredDriver) {
  EXPECT_EQ(MainFormStored().name, "main_form.dfm");
  TForm1* form = Read();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Application().MainForm(), form);
  EXPECT_EQ(form->Caption(), "Tavrix for Windows");
  EXPECT_EQ(form->Width(), 576);
  EXPECT_EQ(form->Height(), 400);
  auto* install = dynamic_cast<TInstall*>(form->FindComponent("Install1"));
  ASSERT_NE(install, nullptr);
  EXPECT_EQ(Driver(), install);
  EXPECT_EQ(install->ArchiveFile(), "\\files.1");
  EXPECT_EQ(install->ArchiveFileType(), ddLoading);
  EXPECT_TRUE(install->UseLoadingProgram());
  EXPECT_EQ(install->DestDir(), "c:\\Tavwin");
  EXPECT_EQ(install->DestDirType(), ddAbsolute);
  EXPECT_EQ(install->GroupName(), "Tavrix Program Dosyalar\xFD");  // in code page 1254
  EXPECT_EQ(install->Information().CompanyName(), "Norvel Ltd. Sti.");
  EXPECT_EQ(install->ProductName(), "Tavrix for Windows");
  EXPECT_EQ(install->Information().Version(), "1.1");
  // Everything else at its default.
  EXPECT_TRUE(install->RunAutomatic());
  EXPECT_TRUE(install->AutoMaximizeWindow());
  EXPECT_TRUE(install->AllowChangeDir());
  EXPECT_TRUE(install->PresetupFiles().empty());
  EXPECT_EQ(install->InstallTypes(), TInstallTypeSet{itAlways});
  EXPECT_EQ(install->RunForm(), form);
}

TEST_F(MainFormTest, TheShippedFormRunsAnEmptyTreeToTheGoodInstallTail) {
  platform_.arguments = {"C:\\Program", "Files\\Setup"};
  TForm1* form = Read();
  ASSERT_NE(form, nullptr);
  auto* install = dynamic_cast<TInstall*>(form->FindComponent("Install1"));
  bool good = false;
  install->on_show_good_install = [&](TComponent*) { good = true; };
  Application().Run();
  EXPECT_TRUE(good);
  EXPECT_TRUE(Application().Terminated());
  EXPECT_FALSE(install->Running());
  EXPECT_EQ(install->SourceDirectory(), "C:\\Program Files\\Setup");
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace kit
