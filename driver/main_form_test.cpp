// The shipped main form, as the program holds it.
#include "driver/main_form.h"

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "config/stored_forms.h"
#include "config/stored_forms_appended.h"
#include "dialogs/dialog_manager.h"
#include "driver/driver_classes.h"
#include "driver/testing/driver_fixture.h"
#include "files/install_file.h"

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
  // One dialog manager of each type on the driver, in type order.
  std::string managers;
  for (int i = 1; i <= 6; ++i) {
    auto* m = dynamic_cast<TDialogManager*>(form->FindComponent("DialogManager" + std::to_string(i)));
    ASSERT_NE(m, nullptr) << i;
    EXPECT_EQ(m->Container(), install);
    managers += std::to_string(m->ManagerType());
  }
  EXPECT_EQ(managers, "012345");
  EXPECT_EQ(FindDriverDialogManager(dmChangeDisk), form->FindComponent("DialogManager5"));
}

TEST_F(MainFormTest, TheShippedTreeHasTenGroups108FilesAndTheUninstaller) {
  TForm1* form = Read();
  ASSERT_NE(form, nullptr);
  auto* install = dynamic_cast<TInstall*>(form->FindComponent("Install1"));
  struct Group {
    const char* name;
    const char* dir;
    const char* title;
    int order, files;
  };
  const Group groups[] = {
      {"FileGroup1", "\\Bde", "DataBase Engine", 9, 7},
      {"FileGroup2", "\\Data", "Data Dosyalar\xFD", 8, 71},
      {"FileGroup3", "\\Misc", "Yard\xFDmc\xFD Dosyalar", 7, 17},
      {"FileGroup4", "\\Config", "Ayar Dosyalar\xFD", 6, 9},
      {"FileGroup5", "\\GelenFax", "Al\xFDnan Faxlar", 5, 0},
      {"FileGroup6", "\\GidenFax", "G\xF6nderilen Faxlar", 4, 0},
      {"FileGroup7", "\\GelenMsg", "Al\xFDnan Mesajlar", 3, 0},
      {"FileGroup8", "\\GidenMsg", "G\xF6nderilen Mesajlar", 2, 0},
      {"FileGroup9", "\\Dnload", "Al\xFDnan Dosyalar", 1, 0},
      {"FileGroup10", "\\Upload", "G\xF6nderilen Dosyalar", 0, 0},
  };
  int files = install->InstallFileCount();
  for (const Group& g : groups) {
    auto* group = dynamic_cast<TFileContainer*>(form->FindComponent(g.name));
    ASSERT_NE(group, nullptr) << g.name;
    EXPECT_EQ(group->Container(), install) << g.name;
    EXPECT_EQ(group->DestDir(), g.dir);
    EXPECT_EQ(group->GroupName(), g.title);
    EXPECT_EQ(group->Order(), g.order) << g.name;
    EXPECT_EQ(group->InstallFileCount(), g.files) << g.name;
    files += group->InstallFileCount();
  }
  EXPECT_EQ(files, 108 + 1);  // the uninstaller sits among the driver's own files
  auto* uninstaller = dynamic_cast<TInstallFile*>(form->FindComponent("UninstallEXE2"));
  ASSERT_NE(uninstaller, nullptr);
  EXPECT_EQ(uninstaller->DestName(), "uninstall.exe");
  EXPECT_EQ(uninstaller->SourcePath(), "C:\\Program Files\\Kobbelin32\\Version2\\uninstall.exe");
  EXPECT_EQ(uninstaller->Order(), 4);
  EXPECT_NE(install->FindInstallFile("C:\\TAVWIN\\Tinst.exe"), nullptr);
}

TEST_F(MainFormTest, TheShippedFormWithoutItsDistributionEndsInTheBadInstallTail) {
  platform_.arguments = {"C:\\Program", "Files\\Setup"};
  TForm1* form = Read();
  ASSERT_NE(form, nullptr);
  auto* install = dynamic_cast<TInstall*>(form->FindComponent("Install1"));
  bool good = false, bad = false;
  install->on_show_good_install = [&](TComponent*) { good = true; };
  install->on_show_bad_install = [&](TComponent*) { bad = true; };
  Application().Run();
  EXPECT_FALSE(good);
  EXPECT_TRUE(bad);
  EXPECT_FALSE(install->Running());
  EXPECT_EQ(install->SourceDirectory(), "C:\\Program Files\\Setup");
  EXPECT_FALSE(Boxes().empty());
  EXPECT_FALSE(Exists("c:\\Tavwin\\Tinst.exe"));
}


// The program's file as kitsetup leaves it: the program, then the block.
TEST_F(MainFormTest, AFormAppendedToTheProgramComesBeforeTheCompiledOne) {
  const std::string exe = platform_.exe_path;
  const StoredForm compiled{"object Form1: TForm1\nend\n", "main_form.dfm"};
  auto write = [&](const std::string& bytes) {
    auto f = platform_.Files().Open(exe, FileAccess::kWrite, share::kAll, Disposition::kCreateAlways);
    uint32_t written = 0;
    ASSERT_TRUE(f && f->Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &written));
  };
  std::string storage;
  write("MZ program bytes");
  EXPECT_EQ(ProgramMainForm(platform_.Files(), exe, compiled, &storage).name, "main_form.dfm");

  const std::string form = "object Form1: TForm1\n  Caption = 'Quillon'\nend\n";
  std::string file = "MZ program bytes" + AppendedFormBlock(form);
  write(file);
  const StoredForm found = ProgramMainForm(platform_.Files(), exe, compiled, &storage);
  EXPECT_EQ(found.text, form);
  EXPECT_EQ(found.name, "main form appended to " + exe);

  auto damaged = [&](std::string bytes, const std::string& why) {
    write(bytes);
    try {
      ProgramMainForm(platform_.Files(), exe, compiled, &storage);
      ADD_FAILURE() << "no error for " << why;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "The main form appended to " + exe + " is damaged: " + why +
                                 ". Make the installer again with kitsetup.");
    }
  };
  std::string changed = file;
  changed[20] ^= 1;  // within the marker
  damaged(changed, "the marker before it is missing");
  changed = file;
  changed[changed.size() - 20] ^= 1;  // within the form
  damaged(changed, "its checksum does not match");
  changed = file;
  changed[changed.size() - 13] = 0x7F;  // the length's high byte
  damaged(changed, "its length (" + std::to_string(form.size() + (0x7Fu << 24)) + " bytes) does not fit in the file");
  // Cut short: the trailer's magic is gone, so it is a program without a form.
  write(file.substr(0, file.size() - 3));
  EXPECT_EQ(ProgramMainForm(platform_.Files(), exe, compiled, &storage).name, "main_form.dfm");
}

}  // namespace
}  // namespace kit
