#include "ui/control.h"

#include <gtest/gtest.h>

#include "base/class_registry.h"
#include "base/exception.h"
#include "base/form_reader.h"
#include "base/form_writer.h"
#include "ui/controls/bit_btn.h"
#include "ui/controls/check_box.h"
#include "ui/controls/edit.h"
#include "ui/controls/image.h"
#include "ui/controls/label.h"
#include "ui/controls/memo.h"
#include "ui/controls/panel.h"
#include "ui/controls/progress_bar.h"
#include "ui/controls/radio_group.h"
#include "ui/controls/speed_button.h"
#include "ui/form.h"
#include "ui/testing/headless_app.h"
#include "ui/testing/test_form.h"
#include "ui/ui_classes.h"

namespace kit {
namespace {

class ControlTest : public ::testing::Test {
 protected:
  ControlTest() { RegisterUiClasses(classes_); }
  std::unique_ptr<TForm> Read(const std::string& text) {
    auto root = FormReader(classes_).Read(text, "test.dfm");
    return std::unique_ptr<TForm>(dynamic_cast<TForm*>(root.release()));
  }
  template <class T>
  T& Find(TForm& form, const std::string& key) {
    T* c = dynamic_cast<T*>(form.FindControl(key));
    if (c == nullptr) throw Exception("no control " + key);
    return *c;
  }
  static HeadlessPeer& PeerOf(TControl& c) { return dynamic_cast<HeadlessPeer&>(*c.PeerIfMade()); }

  testing::HeadlessApp app_;
  ClassRegistry classes_;
};

TEST_F(ControlTest, StoredFormReadsLaysOutShowsAndWritesBackUnchanged) {
  auto form = Read(testing::kTestForm);
  const std::string written = FormWriter(classes_).Write(form.get());
  EXPECT_EQ(FormWriter(classes_).Write(Read(written).get()), written);

  // Aligned panels fill the edges of the 470 by 368 client area.
  auto& left = Find<TPanel>(*form, "LeftPanel");
  auto& bottom = Find<TPanel>(*form, "BottomPanel");
  EXPECT_EQ((std::vector<int>{left.Left(), left.Top(), left.Width(), left.Height()}),
            (std::vector<int>{0, 0, 136, 327}));
  EXPECT_EQ((std::vector<int>{bottom.Left(), bottom.Top(), bottom.Width(), bottom.Height()}),
            (std::vector<int>{0, 327, 470, 41}));
  // Fonts come from the parent unless set; a style set on a label stays its own.
  auto& label = Find<TLabel>(*form, "Label1");
  EXPECT_EQ(label.Font().Name(), "Arial");
  EXPECT_EQ(label.Font().Charset(), 162);
  EXPECT_EQ(label.Font().Style(), fs::kBold);
  EXPECT_EQ(Find<TButton>(*form, "BackBtn").Font().Style(), 0u);
  EXPECT_EQ(Find<TImage>(*form, "ThemeBitmap").Picture().Width(), 2);
  EXPECT_EQ(Find<TMemo>(*form, "Agreement").Text(), "Line one\r\nLine two");

  form->Show();
  HeadlessPeer& peer = PeerOf(label);
  EXPECT_EQ(peer.Look().text, "Tavrix Install Program\xFDna Ho\xFEgeldiniz!");
  EXPECT_EQ(peer.Look().font.Height(), -11);
  EXPECT_EQ(PeerOf(Find<TProgressBar>(*form, "ProgressBar1")).Look().position, 40);
  // Found by caption without its accelerator, too.
  EXPECT_EQ(form->FindControl("Kabul"), form->FindControl("Accept"));
  // Tab order runs through containers by TabOrder.
  std::vector<std::string> order;
  for (TControl* c : form->TabOrderList()) order.push_back(c->Name());
  EXPECT_EQ(order, (std::vector<std::string>{"ProceedBtn", "CancelBtn", "BackBtn", "Accept", "PathEdit",
                                             "Agreement", "NecFiles"}));
}

TEST_F(ControlTest, ModalFormEndsWithThePressedButtonsResultAndKeysPressDefaultAndCancel) {
  auto form = Read(testing::kTestForm);
  int clicks = 0;
  Find<TButton>(*form, "CancelBtn").SetOnClick([&](TComponent*) { ++clicks; });
  app_.backend().on_modal = [&](TForm& f) { PeerOf(Find<TButton>(f, "Vazge\xE7")).Press(); };
  EXPECT_EQ(form->ShowModal(), mr::kCancel);
  EXPECT_EQ(clicks, 1);

  app_.backend().on_modal = [&](TForm& f) { f.HandlePeerEvent(PeerEvent::kDefaultKey); };
  EXPECT_EQ(form->ShowModal(), mr::kOk);
  app_.backend().on_modal = [&](TForm& f) { f.HandlePeerEvent(PeerEvent::kCancelKey); };
  EXPECT_EQ(form->ShowModal(), mr::kCancel);
  EXPECT_EQ(clicks, 2);

  // A disabled default button takes no Enter; the form gets its default answer.
  Find<TButton>(*form, "ProceedBtn").SetEnabled(false);
  app_.backend().on_modal = [&](TForm& f) {
    f.HandlePeerEvent(PeerEvent::kDefaultKey);
    PeerOf(Find<TButton>(f, "ProceedBtn")).Press();
  };
  EXPECT_EQ(form->ShowModal(), mr::kOk);  // the default answer, not a press
  EXPECT_EQ(clicks, 2);
}

TEST_F(ControlTest, UserActsReachTheControlsAndTheirEvents) {
  auto form = Read(testing::kTestForm);
  form->Show();
  auto& box = Find<TCheckBox>(*form, "Accept");
  auto& edit = Find<TEdit>(*form, "PathEdit");
  std::vector<std::string> events;
  box.SetOnClick([&](TComponent*) { events.push_back(box.Checked() ? "checked" : "unchecked"); });
  edit.SetOnChange([&](TComponent*) { events.push_back(edit.Text()); });
  PeerOf(box).Press();
  PeerOf(edit).Type("D:\\TAVWIN");
  PeerOf(box).Press();
  EXPECT_EQ(events, (std::vector<std::string>{"checked", "D:\\TAVWIN", "unchecked"}));
  EXPECT_EQ(PeerOf(box).Look().state, 0);

  box.SetAllowGrayed(true);
  box.Toggle();
  box.Toggle();
  EXPECT_EQ(box.State(), cbGrayed);
  EXPECT_EQ(PeerOf(box).Look().state, 2);

  // Focus follows SetFocus and is refused while hidden.
  edit.SetFocus();
  EXPECT_TRUE(edit.Focused());
  EXPECT_EQ(app_.backend().FocusedPeer(), &PeerOf(edit));
  edit.Hide();
  EXPECT_THROW(edit.SetFocus(), Exception);
}

TEST_F(ControlTest, ProgressBarKeepsItsPositionInRange) {
  TForm form(nullptr);
  TProgressBar bar(&form);
  bar.SetParent(&form);
  form.Show();
  bar.SetPosition(150);
  EXPECT_EQ(bar.Position(), 100);
  bar.SetPosition(-5);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetMax(10);
  bar.SetPosition(7);
  EXPECT_EQ(PeerOf(bar).Look().position, 7);
  EXPECT_EQ(PeerOf(bar).Look().max, 10);
}

TEST_F(ControlTest, RadioGroupAndSpeedButtonsKeepOneChoice) {
  auto form = Read(
      "object F: TForm\n  object G: TRadioGroup\n    Items.Strings = (\n      'Typical'\n      'Custom')\n"
      "    ItemIndex = 1\n  end\n  object S1: TSpeedButton\n    GroupIndex = 1\n    Down = True\n  end\n"
      "  object S2: TSpeedButton\n    GroupIndex = 1\n  end\nend\n");
  form->Show();
  auto& group = Find<TRadioGroup>(*form, "G");
  int clicks = 0;
  group.SetOnClick([&](TComponent*) { ++clicks; });
  PeerOf(*group.FindControl("Typical")).Press();
  EXPECT_EQ(group.ItemIndex(), 0);
  EXPECT_EQ(PeerOf(*group.FindControl("Custom")).Look().state, 0);
  EXPECT_EQ(clicks, 1);
  // The group's own buttons are not written with the form.
  EXPECT_EQ(FormWriter(classes_).Write(form.get()).find("TRadioButton"), std::string::npos);
  PeerOf(Find<TSpeedButton>(*form, "S2")).Press();
  EXPECT_FALSE(Find<TSpeedButton>(*form, "S1").Down());
  EXPECT_TRUE(Find<TSpeedButton>(*form, "S2").Down());
}

TEST_F(ControlTest, BadStoredFormsNameTheFormComponentAndProperty) {
  auto error_of = [&](const std::string& body) -> std::string {
    try {
      Read("object F: TForm\n" + body + "end\n");
    } catch (const std::exception& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(error_of("  object B: TButton\n    Colour = 3\n  end\n"),
            "test.dfm(3,5): unknown property 'Colour' of TButton");
  EXPECT_EQ(error_of("  object B: TButton\n    Default = 'yes'\n  end\n"),
            "test.dfm(3,15): value 'yes' is not valid for property 'Default'");
  EXPECT_EQ(error_of("  object B: TButton\n    object L: TLabel\n    end\n  end\n"),
            "test.dfm(3,12): cannot place L in B: Control L cannot stand on B (TButton), which holds no controls");
  EXPECT_EQ(error_of("  object B: TFrobnicator\n  end\n"), "test.dfm(2,13): unknown class 'TFrobnicator'");
  EXPECT_EQ(error_of("  object I: TImage\n    Picture.Data = {0102}\n  end\n"),
            "test.dfm(3,5): cannot set property 'Picture.Data' of I: The picture data is not a bitmap (.bmp) file");
}

}  // namespace
}  // namespace kit
