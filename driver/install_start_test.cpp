// Start-up: the run form, the install type, the command-line switches, the
// loading program's parameters, the first activation, the properties.
#include "base/class_registry.h"
#include "base/form_reader.h"
#include "driver/driver_classes.h"
#include "driver/install.h"
#include "driver/testing/driver_fixture.h"
#include "ui/data_module.h"
#include "ui/message_box.h"

namespace kit {
namespace {

using testing::DriverTest;
using testing::HeadlessApp;
using testing::TTestFile;
using testing::TTestGroup;

TEST_F(DriverTest, TheRunFormIsTheMainFormOrElseTheOwningForm) {
  Make();
  EXPECT_EQ(install_->RunForm(), form_);  // no main form yet while the form is made
  delete form_;
  EXPECT_EQ(Driver(), nullptr);

  // With a main form, a driver on a data module runs on it.
  TForm* main = Application().CreateForm([](TComponent* o) { return new TForm(o); });
  auto* module = new TDataModule(main);
  auto* on_module = new TInstall(module);
  on_module->Loaded();
  EXPECT_EQ(on_module->RunForm(), main);
  delete module;

  // Neither: only a driver that does not run by itself may stay.
  Application().SetMainForm(nullptr);
  TDataModule alone(nullptr);
  auto* driver = new TInstall(&alone);
  try {
    driver->Loaded();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "Application.MainForm is undefined and the TInstall is not on a form. Therefore, the TInstall "
              "can't run the installation automatically");
  }
  driver->SetRunAutomatic(false);
  EXPECT_NO_THROW(driver->Loaded());
  EXPECT_EQ(driver->RunForm(), nullptr);
}

TEST_F(DriverTest, TheInstallTypeOfTheWholeTreeIsTheFirstOneOffered) {
  struct Case {
    TInstallTypeSet offered;
    TInstallType chosen;
  };
  for (const Case& c : {Case{{itFull, itCustom}, itFull}, Case{{itAlways}, itAlways},
                        Case{{itCompact, itDefault, itFull}, itDefault}, Case{{itCustom}, itCustom},
                        Case{{itCompact, itCustom}, itCompact}}) {
    TTestFile* file = nullptr;
    Make([&](TInstall& i, TForm& f) {
      i.SetInstallTypes(c.offered);
      auto* group = new TTestGroup(&f, "G", &record_);
      group->SetContainer(&i);
      file = new TTestFile(&f, "F", &record_);
      file->SetContainer(group);
    });
    EXPECT_EQ(install_->CurrentInstallType(), c.chosen);
    EXPECT_EQ(file->CurrentInstallType(), c.chosen);
    Application().DestroyComponents();
  }
}

TEST_F(DriverTest, BuildSwitchesInAnyCaseEndTheProgramWithTheirMessage) {
  for (const char* sw : {"*BUILD", "*build", "*Build", "*TODISK", "*todisk"}) {
    platform_.arguments = {sw, "setup.exe", "C:\\Dist"};
    HeadlessApp app;
    Make();
    const bool build = std::string(sw).size() == 6;
    ASSERT_EQ(app.backend().MessageBoxes().size(), 1u) << sw;
    EXPECT_EQ(app.backend().MessageBoxes()[0].text,
              std::string("The ") + (build ? "*BUILD" : "*TODISK") + " mode is not available in this build");
    EXPECT_EQ(app.backend().MessageBoxes()[0].flags, mb::kOk);
    EXPECT_TRUE(Application().Terminated()) << sw;
    // The form is not hooked: no installation follows.
    EXPECT_FALSE(form_->OnActivate());
    Application().DestroyComponents();
  }
}

TEST_F(DriverTest, BuildModesRunTheirWorkAfterTheFormIsCompleteAndShowTheirFailures) {
  std::vector<std::string> seen;
  Seams().build_from_inf_file = [&](TInstall& i) {
    seen.push_back("build, group " + i.Helpers(0)->Name() + ", main form " +
                   (Application().MainForm() ? Application().MainForm()->Name() : "none"));
  };
  Seams().build_to_disk = [](TInstall&) { throw Exception("Cannot create setup.exe on the A drive"); };
  platform_.arguments = {"*build"};
  Make([&](TInstall& i, TForm& f) {
    auto* group = new TTestGroup(&f, "G9", &record_);
    group->SetContainer(&i);
  });
  EXPECT_EQ(seen, std::vector<std::string>{"build, group G9, main form Form1"});
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(Application().Terminated());

  Application().DestroyComponents();
  HeadlessApp again;
  platform_.arguments = {"*TODISK", "setup.exe", "C:\\Dist"};
  Make();
  EXPECT_EQ(again.backend().MessageBoxes().size(), 1u);
  EXPECT_EQ(again.backend().MessageBoxes()[0].text, "Cannot create setup.exe on the A drive");
}

TEST_F(DriverTest, OtherFirstParametersAreNoSwitch) {
  for (const char* first : {"*", "BUILD", "-BUILD", "*BUILDER", "*ABOOTX"}) {
    platform_.arguments = {first};
    HeadlessApp app;
    Make();
    EXPECT_TRUE(form_->OnActivate()) << first;  // waits for the activation
    EXPECT_FALSE(install_->SelfExtract());
    Application().Run();
    EXPECT_EQ(install_->SourceDirectory(), first);
    EXPECT_TRUE(app.backend().MessageBoxes().empty()) << first;
    Application().DestroyComponents();
  }
  platform_.arguments = {"*SelfExtract", "setup.exe", "C:\\Dist"};
  Make();
  EXPECT_TRUE(install_->SelfExtract());
  EXPECT_TRUE(form_->OnActivate());
}

TEST_F(DriverTest, TheSourceDirectoryIsJoinedFromItsParameters) {
  Make([](TInstall& i, TForm&) { i.SetRunAutomatic(false); });
  platform_.arguments = {"C:\\Program", "Files\\Tavrix", "Setup"};
  install_->ReadLoadingParameters();
  EXPECT_EQ(install_->SourceDirectory(), "C:\\Program Files\\Tavrix Setup");

  // Self-extracting: the loading program is the archive.
  install_->SetSelfExtract(true);
  platform_.arguments = {"*SELFEXTRACT", "SETUP.EXE", "A:\\", "Disk", "One"};
  install_->ReadLoadingParameters();
  EXPECT_EQ(install_->SourceDirectory(), "A:\\ Disk One");
  EXPECT_EQ(install_->ArchiveFile(), "\\SETUP.EXE");

  // Without a loading program: the installer's own directory.
  install_->SetUseLoadingProgram(false);
  platform_.arguments = {};
  install_->ReadLoadingParameters();
  EXPECT_EQ(install_->SourceDirectory(), Dir());
}

TEST_F(DriverTest, MissingLoadingParametersFailTheRun) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::string no_name = "Cannot read the name of the loading program. It was not passed from the loading program.";
  const std::string no_dir = "Cannot read the SourceDirectory. It was not passed from the setup.exe program.";
  for (const Case& c : {Case{{}, no_dir}, Case{{"*SELFEXTRACT"}, no_name}, Case{{"*selfextract", "setup.exe"}, no_dir}}) {
    platform_.arguments = c.args;
    HeadlessApp app;
    Make();
    Application().Run();
    ASSERT_EQ(app.backend().MessageBoxes().size(), 1u);
    EXPECT_EQ(app.backend().MessageBoxes()[0].text, c.message);
    EXPECT_FALSE(install_->Running());
    // The bad-install pages came before anything else of the run.
    EXPECT_EQ(Events(), (std::vector<std::string>{"OnShowBadInstall", "Dlg hears BadInstallation",
                                                  "Dlg hears eccBadInstallDialogManager"}));
    record_.clear();
    Application().DestroyComponents();
  }
}

TEST_F(DriverTest, TheFirstActivationCallsTheFormsHandlerThenRunsOnce) {
  std::vector<std::string> order;
  Make([&](TInstall& i, TForm& f) {
    f.SetOnActivate([&](TComponent* sender) {
      order.push_back(std::string("form handler, sender ") + (sender == form_ ? "the form" : "other"));
    });
    i.on_start_install = [&](TComponent*) { order.push_back("run"); };
    i.on_before_terminate_app = [](TInstall*, bool& quit) { quit = false; };
  });
  form_->Show();
  EXPECT_EQ(order, (std::vector<std::string>{"form handler, sender the form", "run"}));
  EXPECT_EQ(form_->WindowState(), wsMaximized);
  EXPECT_EQ(dynamic_cast<HeadlessPeer&>(form_->Peer()).RepaintCount(), 1);
  // The form has its own handler back; later activations run no installation.
  form_->Hide();
  form_->Show();
  EXPECT_EQ(order.back(), "form handler, sender the form");
  EXPECT_EQ(std::count(order.begin(), order.end(), "run"), 1);
}

TEST_F(DriverTest, WithoutAutoMaximizeTheFormKeepsItsState) {
  Make([](TInstall& i, TForm&) { i.SetAutoMaximizeWindow(false); });
  Application().Run();
  EXPECT_EQ(form_->WindowState(), wsNormal);
  EXPECT_EQ(dynamic_cast<HeadlessPeer&>(form_->Peer()).RepaintCount(), 0);
}

TEST_F(DriverTest, DestroyingTheDriverGivesTheFormItsHandlerBack) {
  int own = 0;
  Make([&](TInstall&, TForm& f) { f.SetOnActivate([&](TComponent*) { ++own; }); });
  delete install_;
  form_->Show();
  EXPECT_EQ(own, 1);
  EXPECT_TRUE(record_.empty());
  // A handler the host installed later is left alone.
  Application().DestroyComponents();
  Make();
  form_->SetOnActivate([&](TComponent*) { own += 10; });
  delete install_;
  form_->Show();
  EXPECT_EQ(own, 11);
}

TEST_F(DriverTest, PropertiesStartWithTheirDefaults) {
  Make();
  TInstall& i = *install_;
  EXPECT_TRUE(i.AllowChangeDir());
  EXPECT_FALSE(i.AllowChoice());
  EXPECT_TRUE(i.AutoMaximizeWindow());
  EXPECT_TRUE(i.Description().empty());
  EXPECT_EQ(i.DestDir(), "\\MyApplication");
  EXPECT_EQ(i.DestDirType(), ddProgramFilesDir);
  EXPECT_EQ(i.GroupName(), "Main");
  EXPECT_EQ(i.Information().CompanyName(), "Default Company Name");
  EXPECT_EQ(i.Information().Version(), "1.0");
  EXPECT_TRUE(i.RunAutomatic());
  EXPECT_TRUE(i.UseLoadingProgram());
  EXPECT_EQ(i.ArchiveFile(), "\\files.1");
  EXPECT_EQ(i.ArchiveFileType(), ddLoading);
  EXPECT_EQ(i.InstallTypes(), TInstallTypeSet{itAlways});
  EXPECT_EQ(i.Container(), nullptr);
  EXPECT_EQ(i.ProcessingRank(), 0);

  // Blank presetup lines are dropped; the loading program resets the archive
  // only outside of loading.
  i.SetPresetupFiles({"", "setup.1", " \t", "kblang.txt", "   "});
  EXPECT_EQ(i.PresetupFiles(), (std::vector<std::string>{"setup.1", "kblang.txt"}));
  i.SetArchiveFile("\\other.1");
  i.SetArchiveFileType(ddAbsolute);
  i.SetUseLoadingProgram(false);
  EXPECT_EQ(i.ArchiveFile(), "\\other.1");
  i.SetUseLoadingProgram(true);
  EXPECT_EQ(i.ArchiveFile(), "\\files.1");
  EXPECT_EQ(i.ArchiveFileType(), ddLoading);
  i.SetArchiveFile("\\other.1");
  i.SetLoading(true);
  i.SetUseLoadingProgram(true);
  EXPECT_EQ(i.ArchiveFile(), "\\other.1");
}

// A main form whose handlers a stored form names.
class THostForm : public TForm {
  KIT_COMPONENT_CLASS(THostForm)
 public:
  explicit THostForm(TComponent* owner) : TForm(owner) {
    Handlers().DeclareHandler<TInstallFlagEvent>("KeepFiles", [](TInstall*, bool& f) { f = false; });
    Handlers().DeclareHandler<TNotifyEvent>("Started", [this](TComponent*) { ++started; });
    Handlers().DeclareHandler<TInstallContainerNotifyEvent>("TypeDialog", [](TInstallContainer*) {});
  }
  static const PropertyTable& Properties() {
    static const PropertyTable table = PropertyTable::Make<THostForm, TForm>([](auto&) {});
    return table;
  }
  int started = 0;
};

TEST_F(DriverTest, EveryPublishedPropertyCanBeStored) {
  ClassRegistry classes;
  RegisterDriverClasses(classes);
  classes.Register<THostForm>();
  platform_.arguments = {"C:\\Source"};
  THostForm* form = nullptr;
  Application().CreateForm([&](TComponent* owner) {
    form = dynamic_cast<THostForm*>(FormReader(classes).Read(
        "object Host: THostForm\n"
        "  object Install1: TInstall\n"
        "    AllowChangeDir = False\n    AutoMaximizeWindow = False\n"
        "    Description.Strings = ('one' 'two')\n"
        "    DestDir = 'c:\\Tavwin'\n    DestDirType = ddAbsolute\n"
        "    GroupName = 'Tavrix Program Dosyalar'#253\n"
        "    Information.CompanyName = 'Norvel Ltd. Sti.'\n"
        "    Information.ProductName = 'Tavrix for Windows'\n    Information.Version = '1.1'\n"
        "    PresetupFiles.Strings = ('setup.1' '' 'kblang.txt')\n"
        "    RunAutomatic = False\n    UseLoadingProgram = False\n"
        "    ArchiveFile = '\\setup.exe'\n    ArchiveFileType = ddSystem\n"
        "    InstallTypes = [itFull, itCompact]\n"
        "    OnCleanup = KeepFiles\n    OnStartInstall = started\n    OnShowInstallTypeDlg = TypeDialog\n"
        "  end\n"
        "end\n",
        "host.dfm", owner));
    return form;
  });
  auto* i = dynamic_cast<TInstall*>(form->FindComponent("Install1"));
  ASSERT_NE(i, nullptr);
  EXPECT_FALSE(i->AllowChangeDir());
  EXPECT_FALSE(i->AutoMaximizeWindow());
  EXPECT_EQ(i->Description(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(i->DestDir(), "c:\\Tavwin");
  EXPECT_EQ(i->DestDirType(), ddAbsolute);
  EXPECT_EQ(i->GroupName(), "Tavrix Program Dosyalar\xFD");
  EXPECT_EQ(i->Information().CompanyName(), "Norvel Ltd. Sti.");
  EXPECT_EQ(i->ProductName(), "Tavrix for Windows");
  EXPECT_EQ(i->Information().Version(), "1.1");
  EXPECT_EQ(i->PresetupFiles(), (std::vector<std::string>{"setup.1", "kblang.txt"}));
  EXPECT_FALSE(i->RunAutomatic());
  EXPECT_FALSE(i->UseLoadingProgram());
  EXPECT_EQ(i->ArchiveFile(), "\\setup.exe");  // loading does not reset it
  EXPECT_EQ(i->ArchiveFileType(), ddSystem);
  EXPECT_EQ(i->InstallTypes(), (TInstallTypeSet{itFull, itCompact}));
  EXPECT_EQ(i->CurrentInstallType(), itCompact);
  EXPECT_TRUE(i->OnShowInstallTypeDlg());
  // The named handlers work.
  Touch(Dir() + "\\setup.1");
  i->RunInstallation();
  EXPECT_EQ(form->started, 1);
  EXPECT_TRUE(Exists(Dir() + "\\setup.1"));  // OnCleanup kept it

  // An unknown handler is named with the file.
  Application().DestroyComponents();
  try {
    FormReader(classes).Read("object H: THostForm\n  object I: TInstall\n    OnCleanup = Nothing\n  end\nend\n",
                             "bad.dfm");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("bad.dfm"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("Nothing"), std::string::npos) << e.Message();
  }
}

}  // namespace
}  // namespace kit
