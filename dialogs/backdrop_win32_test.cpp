// The backdrop and the turned label as real windows, read back from the
// screen under the window system.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "dialogs/backdrop.h"
#include "dialogs/backdrop_controls.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/testing/win32_driver.h"
#include "ui/testing/window_capture.h"
#include "ui/ui_classes.h"
#include "ui/win32_backend.h"

namespace kit {
namespace {

constexpr const char kMainForm[] = R"(object Form1: TForm
  Left = 20
  Top = 20
  BorderStyle = bsSingle
  ClientWidth = 576
  ClientHeight = 400
  Caption = 'Tavrix for Windows'
  object Backdrop1: TBackdrop
    Direction = bdDown
  end
  object Title: TRotate3DLabel
    Left = 8
    Top = 8
    Width = 420
    Height = 60
    Caption = 'Tavrix for Windows Ver 1.1'
    Font.Charset = TURKISH_CHARSET
    Font.Color = clRed
    Font.Height = -27
    Font.Name = 'Arial'
    Font.Style = [fsBold]
    LabelStyle.AStyle3D = A3dResit
    LabelStyle.AShadeLTSet = False
    LabelStyle.AHShadeOffSet = -2
    LabelStyle.AVShadeOffSet = 2
  end
  object Turned: TRotate3DLabel
    Left = 440
    Top = 100
    Width = 100
    Height = 260
    Caption = 'Kurulum'
    Font.Color = clYellow
    Font.Height = -24
    LabelStyle.Angle = 90
    LabelStyle.AStyle3D = A3dShadowed
  end
end
)";

class BackdropWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Initialize(std::make_unique<Win32Backend>());
    RegisterUiClasses(classes_);
    RegisterBackdropControls(classes_);
    form_ = dynamic_cast<TForm*>(FormReader(classes_).Read(kMainForm, "main.dfm", &Application()));
    form_->Show();
    Settle();
    top_ = dynamic_cast<Win32Peer&>(form_->Peer()).Handle();
  }
  void TearDown() override { Application().DestroyComponents(); }
  void Settle() {
    for (int i = 0; i < 5; ++i) {
      Application().ProcessMessages();
      Sleep(20);
    }
  }
  int Count(const testing::WindowCapture& shot, int left, int top, int right, int bottom, uint32_t colour) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += shot.At(x, y) == colour;
    return n;
  }

  ClassRegistry classes_;
  TForm* form_ = nullptr;
  HWND top_ = nullptr;
};

TEST_F(BackdropWindowTest, GradientAndShadedCaptionsShowOnTheScreen) {
  const testing::WindowCapture shot = testing::CaptureWindow(top_);
  testing::KeepScreenshot(shot, "backdrop-and-3d-label");
  ASSERT_EQ(shot.width, 576);
  ASSERT_EQ(shot.height, 400);
  // Black at the top to blue at the bottom; row 9 is band 6 (blue 6).
  EXPECT_EQ(shot.At(560, 0), 0x000000u);
  EXPECT_EQ(shot.At(560, 399), 0xFF0000u);
  EXPECT_EQ(shot.At(560, 9), 0x060000u);
  // Inside the caption's control but beside the text the gradient shows.
  EXPECT_EQ(shot.At(9, 9), 0x060000u);
  // The red caption with its white and grey shades.
  EXPECT_GT(Count(shot, 8, 8, 428, 68, 0x0000FF), 100);
  EXPECT_GT(Count(shot, 8, 8, 428, 68, 0xFFFFFF), 10);
  EXPECT_GT(Count(shot, 8, 8, 428, 68, 0x808080), 10);
  // The turned caption: taller than wide, with its grey shadow.
  int top = 400, bottom = 0, left = 576, right = 0;
  for (int y = 100; y < 360; ++y)
    for (int x = 440; x < 540; ++x)
      if (shot.At(x, y) == 0x00FFFF) top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x),
                                      right = std::max(right, x);
  ASSERT_LT(top, bottom);
  EXPECT_GT(bottom - top, 2 * (right - left));
  EXPECT_GT(Count(shot, 440, 100, 540, 360, 0x808080), 10);

  // The captions are windows holding their text, for tools that read windows.
  bool found = false;
  for (const auto& w : testing::Win32Driver::Controls(top_)) found |= w.text == "Tavrix for Windows Ver 1.1";
  EXPECT_TRUE(found);
}

TEST_F(BackdropWindowTest, ChangedDirectionRepaintsBeneathTheCaptionToo) {
  dynamic_cast<TBackdrop*>(form_->FindControl("Backdrop1"))->SetDirection(bdUp);
  Settle();
  const testing::WindowCapture shot = testing::CaptureWindow(top_);
  ASSERT_EQ(shot.width, 576);
  EXPECT_EQ(shot.At(560, 0), 0xFF0000u);
  EXPECT_EQ(shot.At(560, 9), 0xF90000u);  // blue 255 - 6
  EXPECT_EQ(shot.At(9, 9), 0xF90000u);
}

}  // namespace
}  // namespace kit
