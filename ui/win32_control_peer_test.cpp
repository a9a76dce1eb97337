// The controls as real windows (under Wine in the test runs), seen and
// driven through the window system as another program would.
#include "ui/win32_control_peer.h"

#include <gtest/gtest.h>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "base/form_writer.h"
#include "ui/application.h"
#include "ui/controls/check_box.h"
#include "ui/controls/image.h"
#include "ui/controls/label.h"
#include "ui/controls/list_box.h"
#include "ui/controls/tab_control.h"
#include "ui/controls/progress_bar.h"
#include "ui/form.h"
#include "ui/testing/test_form.h"
#include "ui/testing/win32_driver.h"
#include "ui/testing/window_capture.h"
#include "ui/ui_classes.h"
#include "ui/win32_backend.h"

namespace kit {
namespace {

using testing::Win32Driver;
using testing::WindowInfo;

class Win32ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Initialize(std::make_unique<Win32Backend>());
    RegisterUiClasses(classes_);
    form_ = dynamic_cast<TForm*>(FormReader(classes_).Read(testing::kTestForm, "test.dfm", &Application()));
    form_->Show();
    Application().ProcessMessages();
    top_ = dynamic_cast<Win32Peer&>(form_->Peer()).Handle();
  }
  void TearDown() override { Application().DestroyComponents(); }

  const WindowInfo* Info(const std::vector<WindowInfo>& all, const std::string& text) {
    for (const auto& w : all)
      if (w.text == text) return &w;
    return nullptr;
  }
  void Key(WPARAM vk) {
    HWND focus = GetFocus();
    PostMessageA(focus != nullptr ? focus : top_, WM_KEYDOWN, vk, 1);
    PostMessageA(focus != nullptr ? focus : top_, WM_KEYUP, vk, 0xC0000001);
  }

  ClassRegistry classes_;
  TForm* form_ = nullptr;
  HWND top_ = nullptr;
};

TEST_F(Win32ControlTest, TheWindowTreeMatchesTheComponentTree) {
  const auto all = Win32Driver::Controls(top_);
  const std::string tree = Win32Driver::Describe(all);
  RECT client;
  GetClientRect(top_, &client);
  EXPECT_EQ(client.right, 470);
  EXPECT_EQ(client.bottom, 368);

  const WindowInfo* proceed = Info(all, "\xDDleri");
  ASSERT_NE(proceed, nullptr) << tree;
  EXPECT_EQ(proceed->class_name, "Button");
  EXPECT_EQ(GetWindowLongA(proceed->hwnd, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  // Inside the bottom panel (top 327), at 230,8 of it.
  EXPECT_EQ(proceed->bounds.left, 230);
  EXPECT_EQ(proceed->bounds.top, 335);
  EXPECT_EQ(proceed->depth, 2);
  const WindowInfo* label = Info(all, "Tavrix Install Program\xFDna Ho\xFEgeldiniz!");
  ASSERT_NE(label, nullptr) << tree;
  EXPECT_EQ(label->class_name, "Static");
  // The label's font: bold Arial with the Turkish character set.
  LOGFONTA lf{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(label->hwnd, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  EXPECT_EQ(lf.lfCharSet, 162);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  const WindowInfo* edit = Info(all, "C:\\TAVWIN");
  ASSERT_NE(edit, nullptr) << tree;
  EXPECT_EQ(edit->class_name, "Edit");
  EXPECT_TRUE(GetWindowLongA(edit->hwnd, GWL_STYLE) & ES_READONLY);
  const WindowInfo* box = Info(all, "&Kabul");
  ASSERT_NE(box, nullptr) << tree;
  EXPECT_EQ(box->checked, 0);
  bool found_bar = false;
  for (const auto& w : all)
    if (w.position >= 0) found_bar = w.position == 40 && w.class_name == "msctls_progress32";
  EXPECT_TRUE(found_bar) << tree;

  // Disabling and ticking show in the real windows.
  form_->FindControl("BackBtn")->SetEnabled(false);
  Win32Driver::Press(top_, "Kabul");
  Application().ProcessMessages();
  EXPECT_TRUE(dynamic_cast<TCheckBox*>(form_->FindControl("Accept"))->Checked());
  const auto after = Win32Driver::Controls(top_);
  EXPECT_FALSE(Info(after, "Geri")->enabled);
  EXPECT_EQ(Info(after, "&Kabul")->checked, 1);
  // Typing reaches the edit's Text; a moved bar reports its position back.
  Win32Driver::Type(edit->hwnd, "D:\\KUR");
  EXPECT_EQ(form_->FindControl("PathEdit")->Text(), "D:\\KUR");
  dynamic_cast<TProgressBar*>(form_->FindControl("ProgressBar1"))->SetPosition(75);
  for (const auto& w : Win32Driver::Controls(top_))
    if (w.position >= 0) {
      EXPECT_EQ(w.position, 75);
    }
}

TEST_F(Win32ControlTest, TabFollowsTheTabOrderAndEnterAndEscEndTheModalLoop) {
  form_->FindControl("ProceedBtn")->SetFocus();
  Application().ProcessMessages();
  std::vector<std::string> seen;
  for (int i = 0; i < 4; ++i) {
    Key(VK_TAB);
    Application().ProcessMessages();
    seen.push_back(Win32Driver::Controls(top_).empty() ? "" : [&] {
      char t[64] = {};
      GetWindowTextA(GetFocus(), t, sizeof t);
      return std::string(t);
    }());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"Vazge\xE7", "Geri", "&Kabul", "C:\\TAVWIN"}));

  // Focus in the edit: Enter presses the default button.
  Key(VK_RETURN);
  EXPECT_EQ(form_->ShowModal(), mr::kOk);
  form_->Show();
  form_->FindControl("PathEdit")->SetFocus();
  Key(VK_ESCAPE);
  EXPECT_EQ(form_->ShowModal(), mr::kCancel);
}

TEST_F(Win32ControlTest, TheFormWritesBackAfterShowing) {
  const std::string before = FormWriter(classes_).Write(form_);
  auto again = FormReader(classes_).Read(before, "again.dfm");
  EXPECT_EQ(FormWriter(classes_).Write(again.get()), before);
}

TEST_F(Win32ControlTest, ListBoxShowsItsItemsAndTakesAClickedChoice) {
  HWND list = nullptr;
  for (const auto& w : Win32Driver::Controls(top_))
    if (w.class_name == "ListBox") list = w.hwnd;
  ASSERT_NE(list, nullptr) << Win32Driver::Describe(Win32Driver::Controls(top_));
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
  char item[32] = {};
  SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, "setup.1");
  auto* box = dynamic_cast<TListBox*>(form_->FindControl("NecFiles"));
  int clicks = 0;
  box->SetOnClick([&](TComponent*) { ++clicks; });
  // A mouse click on the second item, as the user makes it.
  RECT r;
  SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  Application().ProcessMessages();
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  box->SetItemIndex(0);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
}

TEST_F(Win32ControlTest, AutoSizedLabelTakesItsTextsSizeInItsFont) {
  auto* label = new TLabel(form_);
  label->SetParent(form_);
  label->SetBounds(150, 310, 10, 10);
  label->Font().SetHeight(-16);
  label->SetCaption("Kuruluyor: setup.1");
  HWND hwnd = nullptr;
  for (const auto& w : Win32Driver::Controls(top_))
    if (w.text == "Kuruluyor: setup.1") hwnd = w.hwnd;
  ASSERT_NE(hwnd, nullptr);
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, "Kuruluyor: setup.1", 18, &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.right - r.left, size.cx);
  EXPECT_EQ(r.bottom - r.top, size.cy);
  EXPECT_EQ(label->Width(), size.cx);
}

TEST_F(Win32ControlTest, ImageShowsABitmapResourceAndTheFormIsKeptAsAScreenshot) {
  auto* image = new TImage(form_);
  image->SetParent(form_);
  image->SetBounds(380, 50, 16, 8);
  image->Picture().LoadFromResourceName("KITTESTBMP");
  form_->Repaint();
  Application().ProcessMessages();
  const testing::WindowCapture shot = testing::CaptureWindow(top_);
  ASSERT_EQ(shot.width, 470);
  // The resource: red on the left half, green on the right.
  EXPECT_EQ(shot.At(382, 52), 0x0000FFu);
  EXPECT_EQ(shot.At(393, 52), 0x00FF00u);
  testing::KeepScreenshot(shot, "test-form");
}

TEST_F(Win32ControlTest, ClickOnATabChoosesIt) {
  auto* tabs = new TTabControl(form_);
  tabs->SetParent(form_);
  tabs->SetBounds(150, 200, 300, 60);
  tabs->Tabs().SetLines({"Bir", "Iki"});
  int changes = 0;
  tabs->SetOnChange([&](TComponent*) { ++changes; });
  HWND hwnd = dynamic_cast<Win32ControlPeer&>(*tabs->PeerIfMade()).Handle();
  SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(4, 12));  // on the first tab
  SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(290, 12));  // beyond the last one
  EXPECT_EQ(tabs->TabIndex(), 0);
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace kit
