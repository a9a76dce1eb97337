// The stored pages as the installer shows them: captions, sizes, the texts
// and GLIDs of their controls, the registries' order and the frame.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/base_form_container.h"
#include "dialogs/page_registry.h"
#include "dialogs/pages/bad_install_form.h"
#include "dialogs/pages/change_disk_form.h"
#include "dialogs/pages/copy_file_form.h"
#include "dialogs/pages/good_install_form.h"
#include "dialogs/pages/license_form.h"
#include "dialogs/pages/select_kbln_dir.h"
#include "dialogs/pages/welcome_form.h"
#include "dialogs/pages/wizard_test_support.h"
#include "translation/translate_bit_btn.h"
#include "translation/translate_label.h"
#include "ui/controls/image.h"
#include "ui/controls/memo.h"
#include "ui/testing/headless_app.h"

namespace kit {
namespace {

using testing::Tr;

// "Name=text #GLID" for each control named.
std::vector<std::string> Texts(TForm& form, const std::vector<const char*>& names) {
  std::vector<std::string> out;
  for (const char* name : names) {
    TComponent* c = form.FindComponent(name);
    int glid = -99;
    if (auto* l = dynamic_cast<TTranslateLabel*>(c)) glid = l->GLID();
    if (auto* b = dynamic_cast<TTranslateBitBtn*>(c)) glid = b->GLID();
    auto* control = dynamic_cast<TControl*>(c);
    out.push_back(std::string(name) + "=" + (control ? control->Text() : "?") + " #" + std::to_string(glid));
  }
  return out;
}

class PagesTest : public ::testing::Test {
 protected:
  testing::HeadlessApp app_;
};

TEST_F(PagesTest, WizardPagesHaveTheirLayoutTextsAndGLIDs) {
  TWelcomeForm welcome(nullptr);
  EXPECT_EQ(welcome.Caption(), "Tavrix for Windows");
  EXPECT_EQ(welcome.ClientWidth(), 470);
  EXPECT_EQ(welcome.ClientHeight(), 368);
  EXPECT_EQ(welcome.FormStyle(), fsStayOnTop);
  EXPECT_EQ(welcome.Font().Name(), "Arial");
  EXPECT_EQ(welcome.Font().Charset(), 162);
  EXPECT_EQ(welcome.Order(), 10);
  EXPECT_EQ(Texts(welcome, {"BackBtn", "ProceedBtn", "CancelBtn", "Label1", "Label3", "Label6"}),
            (std::vector<std::string>{
                "BackBtn=Geri #4", Tr("ProceedBtn=İleri #5"), Tr("CancelBtn=Vazgeç #6"),
                Tr("Label1=Tavrix Install Programına Hoşgeldiniz! #10"),
                Tr("Label3=Yükleme İşlemine Devam Etmek İçin İleri Butonuna Tıklayın. #12"), "Label6= #0"}));
  EXPECT_EQ(welcome.FindControl("Label2")->Text(),
            Tr("Tavrix'ın Yüklenmesi Sırasında Bir Sorunla Karşılaşmamanız İçin, Çalışan Tüm Windows "
               "Uygulamalarını Kapatmanızı ve Tavrix Yükleme Programını Tekrar Çalıştırmanızı Öneririz!"));
  EXPECT_EQ(dynamic_cast<TImage*>(welcome.FindControl("ThemeBitmap"))->Picture().ResourceName(), "INSTALLTHEME1");
  EXPECT_EQ(welcome.FindControl("LeftPanel")->Width(), 136);
  EXPECT_EQ(welcome.FindControl("BottomPanel")->Height(), 43);
  const TControl* image = welcome.FindControl("Image1");
  EXPECT_EQ(image->Width() * 100 + image->Height(), 3232);

  TLicenseForm licence(nullptr);
  EXPECT_EQ(licence.Caption(), "Software license agreement");
  EXPECT_EQ(licence.Order(), 20);
  EXPECT_EQ(Texts(licence, {"Label1"}),
            std::vector<std::string>{Tr("Label1=Lütfen Aşağıdaki Lisans Anlaşmasını Okuyun! #2")});
  auto* agreement = dynamic_cast<TRichEdit*>(licence.FindControl("Agreement"));
  ASSERT_NE(agreement, nullptr);
  EXPECT_TRUE(agreement->ReadOnly());
  EXPECT_NE(agreement->Text().find("TAVRIX FOR WINDOWS 1.1"), std::string::npos);

  TGoodInstallForm good(nullptr);
  EXPECT_EQ(good.Caption(), Tr("Install Tamamlandı"));
  EXPECT_EQ(Texts(good, {"FinishBtn", "ProceedBtn", "TranslateLabel3", "TranslateLabel5", "TranslateLabel4"}),
            (std::vector<std::string>{"FinishBtn=Devam #72", "ProceedBtn=Next > #5",
                                      Tr("TranslateLabel3=Tavrix Dosyalarının Yükleme İşlemi Tamamlandı! #38"),
                                      Tr("TranslateLabel5=Tavrix Programı, Doğru Şekilde Çalışabilmesi İçin #38"),
                                      Tr("TranslateLabel4=Sisteminizde Bazı Ayarlamalar Yapacak. #38")}));
  TBadInstallForm bad(nullptr);
  EXPECT_EQ(Texts(bad, {"FinishBtn", "TranslateLabel2"}),
            (std::vector<std::string>{"FinishBtn=Bitir #72", "TranslateLabel2= #60"}));
}

TEST_F(PagesTest, CopyAndChangeDiskFormsHaveTheirLayoutAndTexts) {
  TCopyFileForm copy(nullptr);
  EXPECT_EQ(copy.Caption(), Tr("Tavrix Yükleme İşlemi Devam Ediyor"));
  EXPECT_EQ(copy.ClientWidth() * 1000 + copy.ClientHeight(), 466119);
  EXPECT_EQ(copy.BorderIcons(), 0u);
  EXPECT_EQ(Texts(copy, {"lblCopyFileHeader", "lblCopyingFile", "Label1", "Label2", "CancelBtn"}),
            (std::vector<std::string>{Tr("lblCopyFileHeader=Yüklenen Dosya #14"), "lblCopyingFile=--- #0",
                                      Tr("Label1=Yüklenen Dosya #15"), Tr("Label2=Yükleme İşlemi #16"),
                                      Tr("CancelBtn=Vazgeç #6")}));

  TChangeDiskForm disk(nullptr);
  EXPECT_EQ(disk.Caption(), "Tavrix for Windows");
  EXPECT_EQ(disk.ClientWidth() * 1000 + disk.ClientHeight(), 413151);
  EXPECT_EQ(Texts(disk, {"InstallBtn", "BrowseBtn", "Label4"}),
            (std::vector<std::string>{"InstallBtn=Devam #49", Tr("BrowseBtn=&Gözat... #48"), "Label4=Dizin: #47"}));
  EXPECT_EQ(disk.FindControl("Label2")->Text(),
            Tr("Eğer Install Dosyası Default Dizinde Bulunamıyorsa, Gözat Butonu İle Dosyanın Bulunduğu "
               "Dizini Gösterin."));

  TSelectKblnDir select(nullptr);
  EXPECT_EQ(select.ClientWidth() * 1000 + select.ClientHeight(), 399150);
  EXPECT_EQ(select.BorderIcons(), 8u);  // help only
  EXPECT_EQ(select.Font().Size(), 8);
  EXPECT_EQ(select.Font().Charset(), 0);
  EXPECT_EQ(select.FindControl("Label4")->Text(),
            " Please enter the directory in the edit box below. You may browse your computer by clicking on "
            "the button to the right.");
  EXPECT_FALSE(select.FindControl("Label3")->Visible());
  for (const char* list : {"NecFiles", "MissingFiles"}) EXPECT_FALSE(select.FindControl(list)->Visible()) << list;
}

TEST_F(PagesTest, RegistriesHoldThePagesInTheirOrderAndCheckIndexes) {
  RegisterInstallerPages();
  RegisterInstallerPages();  // once only
  std::vector<std::string> names;
  for (const auto& e : BIFList()) names.push_back(e->ClassName());
  EXPECT_EQ(names, (std::vector<std::string>{"TBadInstallForm", "TGoodInstallForm", "TWelcomeForm", "TLicenseForm"}));
  ASSERT_EQ(DCFList().size(), 1u);
  EXPECT_EQ(DCFList()[0]->ClassName(), "TCopyFileForm");
  ASSERT_EQ(BCDFList().size(), 1u);
  EXPECT_EQ(BIFEntry(3).ClassName(), "TLicenseForm");
  try {
    BIFEntry(4);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "4 is an invalid index in the BIFList");
  }
  EXPECT_THROW(BIFEntry(-1), Exception);
}

TEST_F(PagesTest, TheFrameHasItsSizeAndPagesFindTheFirstManagerOfTheirType) {
  testing::WizardSetup setup;
  TBaseFormContainer frame(nullptr);
  EXPECT_EQ(frame.Width() * 1000 + frame.Height(), 478395);
  EXPECT_EQ(frame.BorderIcons(), 0u);
  try {
    frame.FillPages();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "The current dialog manager is not defined");
  }
  // Each page found the first manager of its type on the driver.
  TWelcomeForm welcome(nullptr);
  EXPECT_EQ(welcome.DM(), setup.managers[dmBeforeInstall].get());
  TCopyFileForm copy(nullptr);
  EXPECT_EQ(copy.DM(), setup.managers[dmDuringCopyFiles].get());
  // Nothing registered for dmReboot: its wizard shows nothing.
  setup.Raise("ShutDownDialog");
  EXPECT_EQ(app_.backend().MessageBoxes().size(), 0u);
}

}  // namespace
}  // namespace kit
