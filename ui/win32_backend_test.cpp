// The win32 backend with real windows (under Wine in the test runs).
#include "ui/win32_backend.h"

#include <gtest/gtest.h>

#include <atomic>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace kit {
namespace {

class Win32BackendTest : public ::testing::Test {
 protected:
  void SetUp() override { Application().Initialize(std::make_unique<Win32Backend>()); }
  void TearDown() override {
    Application().DestroyComponents();
    // A quit request left by Terminate would end the next test's boxes.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
};

HWND HandleOf(TForm& form) { return dynamic_cast<Win32Peer&>(form.Peer()).Handle(); }

TEST_F(Win32BackendTest, AFormIsARealWindowThatHearsItsActivation) {
  TForm* form = Application().CreateForm([](TComponent* o) { return new TForm(o); });
  int activations = 0;
  form->SetOnActivate([&](TComponent* sender) {
    EXPECT_EQ(sender, form);
    ++activations;
  });
  form->SetCaption("Tavrix for Windows");
  form->SetBounds(0, 0, 576, 400);
  HWND hwnd = HandleOf(*form);
  ASSERT_TRUE(IsWindow(hwnd));
  char text[64] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  EXPECT_STREQ(text, "Tavrix for Windows");
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.right - r.left, 576);
  EXPECT_FALSE(IsWindowVisible(hwnd));

  form->Show();
  Application().ProcessMessages();
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_GE(activations, 1);
  EXPECT_TRUE(form->Active());
  form->SetWindowState(wsMaximized);
  form->Repaint();
  EXPECT_TRUE(IsZoomed(hwnd));
  form->Hide();
  EXPECT_FALSE(IsWindowVisible(hwnd));
  delete form;
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Win32BackendTest, TheLoopRunsUntilTheMainFormIsClosed) {
  TForm* form = Application().CreateForm([](TComponent* o) { return new TForm(o); });
  TForm* other = Application().CreateForm([](TComponent* o) { return new TForm(o); });
  other->Show();
  // A close message to another form only hides it.
  PostMessageA(HandleOf(*other), WM_CLOSE, 0, 0);
  Application().ProcessMessages();
  EXPECT_FALSE(other->Visible());
  EXPECT_FALSE(Application().Terminated());

  int activations = 0;
  form->SetOnActivate([&](TComponent*) {
    if (++activations == 1) PostMessageA(HandleOf(*form), WM_CLOSE, 0, 0);
  });
  Application().Run();
  EXPECT_TRUE(Application().Terminated());
  EXPECT_GE(activations, 1);
}

TEST_F(Win32BackendTest, AnExceptionInAHandlerDoesNotUnwindThroughTheSystem) {
  TForm* form = Application().CreateForm([](TComponent* o) { return new TForm(o); });
  std::string seen;
  Application().SetOnException([&](TComponent*, const Exception& e) { seen = e.Message(); });
  form->SetOnActivate([](TComponent*) { throw Exception("failed inside WM_ACTIVATE"); });
  form->Show();
  EXPECT_EQ(seen, "failed inside WM_ACTIVATE");
}

TEST_F(Win32BackendTest, MessageBoxesAreRealAndGiveTheButtonChosen) {
  // A second thread answers the box (the programs' own threads are plain
  // Windows threads, as here).
  struct Clicker {
    static DWORD WINAPI Run(LPVOID stop) {
      while (!*static_cast<std::atomic<bool>*>(stop)) {
        HWND box = FindWindowA(nullptr, "Kit box test");
        if (box != nullptr) {
          PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
          return 0;
        }
        Sleep(20);
      }
      return 0;
    }
  };
  std::atomic<bool> stop{false};
  HANDLE clicker = CreateThread(nullptr, 0, Clicker::Run, &stop, 0, nullptr);
  ASSERT_NE(clicker, nullptr);
  const int answer = ShowMessageBox("Replace the file?", "Kit box test", mb::kYesNo | mb::kIconQuestion);
  stop = true;
  WaitForSingleObject(clicker, INFINITE);
  CloseHandle(clicker);
  EXPECT_EQ(answer, id::kNo);
}

TEST_F(Win32BackendTest, TheScreenCursorWinsOverTheFormsOwn) {
  EXPECT_EQ(Win32Backend::CursorHandle(crHourGlass), LoadCursorA(nullptr, IDC_WAIT));
  EXPECT_EQ(Win32Backend::CursorHandle(crDefault), LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(Win32Backend::CursorHandle(crSizeWE), LoadCursorA(nullptr, IDC_SIZEWE));
  TForm form(nullptr);
  form.Show();
  HWND hwnd = HandleOf(form);
  const LPARAM client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  form.SetCursor(crIBeam);
  SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), client);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_IBEAM));
  Application().SetScreenCursor(crHourGlass);
  SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), client);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
  Application().SetScreenCursor(crDefault);
  SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), client);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_IBEAM));
}

}  // namespace
}  // namespace kit
