#include "ui/form.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "ui/application.h"
#include "ui/controls/button.h"
#include "ui/data_module.h"
#include "ui/testing/headless_app.h"
#include "ui/ui_classes.h"

namespace kit {
namespace {

using testing::HeadlessApp;

HeadlessPeer& PeerOf(TForm& form) { return dynamic_cast<HeadlessPeer&>(form.Peer()); }

class FormTest : public ::testing::Test {
 protected:
  HeadlessApp app_;
  HeadlessBackend& backend() { return app_.backend(); }
};

TEST_F(FormTest, StateReachesTheWindowAlsoWhenSetBeforeItExists) {
  TForm form(nullptr);
  form.SetCaption("Tavrix for Windows");
  form.SetBounds(10, 20, 576, 400);
  form.SetCursor(crHourGlass);
  EXPECT_FALSE(form.HasPeer());
  HeadlessPeer& peer = PeerOf(form);
  EXPECT_EQ(peer.Text(), "Tavrix for Windows");
  EXPECT_EQ(peer.Width(), 576);
  EXPECT_EQ(peer.Height(), 400);
  EXPECT_EQ(peer.Cursor(), crHourGlass);
  form.SetWindowState(wsMaximized);
  form.Repaint();
  form.SetCaption("Kur");
  EXPECT_EQ(peer.WindowState(), wsMaximized);
  EXPECT_EQ(peer.RepaintCount(), 1);
  EXPECT_EQ(peer.Text(), "Kur");
}

TEST_F(FormTest, ShowingActivatesAndHidingGivesActivationBack) {
  TForm first(nullptr), second(nullptr);
  std::vector<std::string> events;
  first.SetOnActivate([&](TComponent*) { events.push_back("first"); });
  second.SetOnActivate([&](TComponent*) { events.push_back("second"); });
  first.Show();
  first.Show();  // already shown: no new activation
  EXPECT_TRUE(first.Active());
  second.Show();
  EXPECT_FALSE(first.Active());
  EXPECT_TRUE(second.Active());
  second.Hide();
  EXPECT_TRUE(first.Active());
  backend().Activate(&PeerOf(first));  // already active: nothing
  EXPECT_EQ(events, (std::vector<std::string>{"first", "second", "first"}));
}

TEST_F(FormTest, AnActivationHandlerMayReplaceItself) {
  TForm form(nullptr);
  std::vector<std::string> events;
  form.SetOnActivate([&](TComponent* sender) {
    auto* f = static_cast<TForm*>(sender);
    f->SetOnActivate([&](TComponent*) { events.push_back("replacement"); });
    events.push_back("original, still whole");
  });
  form.Show();
  form.Hide();
  form.Show();
  EXPECT_EQ(events, (std::vector<std::string>{"original, still whole", "replacement"}));
}

TEST_F(FormTest, ClosingTheMainFormEndsTheApplicationOthersHide) {
  TForm* main = Application().CreateForm([](TComponent* o) { return new TForm(o); });
  TForm* other = Application().CreateForm([](TComponent* o) { return new TForm(o); });
  other->Show();
  other->HandlePeerEvent(PeerEvent::kCloseRequest);
  EXPECT_FALSE(other->Visible());
  EXPECT_FALSE(Application().Terminated());
  main->Close();
  EXPECT_TRUE(Application().Terminated());
}

TEST_F(FormTest, ModalLoopsAreAnsweredByTheScriptOrByTheDefault) {
  TForm dialog(nullptr);
  backend().on_modal = [](TForm& f) { f.SetModalResult(mr::kYes); };
  EXPECT_EQ(dialog.ShowModal(), mr::kYes);
  EXPECT_FALSE(dialog.Visible());

  // An answer that arrives as a message of the loop.
  backend().on_modal = [&](TForm& f) { backend().Post([&f] { f.SetModalResult(mr::kRetry); }); };
  EXPECT_EQ(dialog.ShowModal(), mr::kRetry);

  // Closing a modal form cancels it.
  backend().on_modal = [](TForm& f) { f.Close(); };
  EXPECT_EQ(dialog.ShowModal(), mr::kCancel);
  EXPECT_FALSE(Application().Terminated());

  backend().on_modal = nullptr;
  EXPECT_EQ(dialog.ShowModal(), mr::kOk);  // nobody answers: the default answer

  // Terminating the application ends the modal loop with a cancel.
  backend().on_modal = [](TForm&) { Application().Terminate(); };
  EXPECT_EQ(dialog.ShowModal(), mr::kCancel);
}

TEST_F(FormTest, AnUnansweredModalLoopPressesItsVisibleEnabledDefaultButton) {
  TForm dialog(nullptr);
  auto* hidden = new TButton(&dialog);
  hidden->SetParent(&dialog);
  hidden->SetDefault(true);
  hidden->SetModalResult(mr::kAbort);
  hidden->SetVisible(false);
  auto* next = new TButton(&dialog);
  next->SetParent(&dialog);
  next->SetDefault(true);
  int presses = 0;
  // Two pages on, the button finishes the dialog, as a wizard's Next does.
  next->SetOnClick([&](TComponent*) {
    if (++presses == 3) dialog.SetModalResult(mr::kYes);
  });
  EXPECT_EQ(dialog.ShowModal(), mr::kYes);
  EXPECT_EQ(presses, 3);

  // A button that leads nowhere is pressed a bounded number of times.
  presses = 0;
  next->SetOnClick([&](TComponent*) { ++presses; });
  EXPECT_EQ(dialog.ShowModal(), mr::kOk);
  EXPECT_EQ(presses, 64);

  // A disabled default button is not pressed: the default answer.
  presses = 0;
  next->SetEnabled(false);
  EXPECT_EQ(dialog.ShowModal(), mr::kOk);
  EXPECT_EQ(presses, 0);
}

// A component that looks at its owner while it is destroyed.
class TWatcher : public TComponent {
 public:
  explicit TWatcher(TComponent* owner, std::string* seen) : TComponent(owner), seen_(seen) {}
  ~TWatcher() override {
    auto* form = dynamic_cast<TForm*>(Owner());
    *seen_ = form != nullptr && form->Destroying() ? "form whole and destroying" : "no form";
  }

 private:
  std::string* seen_;
};

TEST_F(FormTest, OwnedComponentsGoWhileTheFormIsStillWhole) {
  std::string seen;
  auto* form = new TForm(nullptr);
  new TWatcher(form, &seen);
  delete form;
  EXPECT_EQ(seen, "form whole and destroying");
}

class TFormWithHandlers : public TForm {
  KIT_COMPONENT_CLASS(TFormWithHandlers)
 public:
  explicit TFormWithHandlers(TComponent* owner) : TForm(owner) {
    Handlers().DeclareHandler<TNotifyEvent>("FormActivate", [this](TComponent*) { ++activations; });
    Handlers().DeclareHandler<std::function<void(int)>>("OtherKind", [](int) {});
  }
  static const PropertyTable& Properties() {
    static const PropertyTable table = PropertyTable::Make<TFormWithHandlers, TForm>([](auto&) {});
    return table;
  }
  int activations = 0;
};

TEST_F(FormTest, StoredFormsSetPropertiesAndBindHandlersByName) {
  ClassRegistry classes;
  RegisterUiClasses(classes);
  classes.Register<TFormWithHandlers>();
  FormReader reader(classes);
  auto root = reader.Read(
      "object Form1: TFormWithHandlers\n"
      "  Caption = 'Tavrix for Windows'\n"
      "  Width = 576\n  Height = 400\n"
      "  WindowState = wsMaximized\n"
      "  Cursor = crHourGlass\n"
      "  OnActivate = formactivate\n"
      "end\n",
      "main.dfm");
  auto* form = dynamic_cast<TFormWithHandlers*>(root.get());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Caption(), "Tavrix for Windows");
  EXPECT_EQ(form->Width(), 576);
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_EQ(form->Cursor(), crHourGlass);
  EXPECT_EQ(form->OnActivateName(), "formactivate");
  form->Show();
  EXPECT_EQ(form->activations, 1);

  // A handler that is missing, or of another kind, is named in the error.
  for (const char* name : {"NoSuchHandler", "OtherKind"}) {
    try {
      reader.Read(std::string("object Form1: TFormWithHandlers\n  OnActivate = ") + name + "\nend\n",
                  "bad.dfm");
      ADD_FAILURE() << name;
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find(name), std::string::npos) << e.Message();
      EXPECT_NE(e.Message().find("bad.dfm"), std::string::npos) << e.Message();
    }
  }
}

TEST_F(FormTest, AStoredVisibleFormIsShownOnceCreated) {
  ClassRegistry classes;
  RegisterUiClasses(classes);
  Application().CreateForm([](TComponent* o) { return new TForm(o); });  // the main form
  FormReader reader(classes);
  TForm* shown_during_load = nullptr;
  TForm* form = Application().CreateForm([&](TComponent* owner) {
    auto* f = dynamic_cast<TForm*>(
        reader.Read("object Dialog: TForm\n  Visible = True\nend\n", "dialog.dfm", owner));
    if (f->Visible()) shown_during_load = f;
    return f;
  });
  EXPECT_EQ(shown_during_load, nullptr);
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(form->Active());
}

TEST_F(FormTest, DataModulesCarryHandlersForTheirComponents) {
  TDataModule module(nullptr);
  module.Handlers().DeclareHandler<TNotifyEvent>("Go", [](TComponent*) {});
  TComponent child(&module);
  const HandlerTable* table = HandlersOf(&child);
  ASSERT_EQ(table, &module.Handlers());
  EXPECT_NE(table->FindHandler<TNotifyEvent>("GO"), nullptr);
  child.Owner()->RemoveComponent(&child);
}

}  // namespace

// The terminal reads UTF-8: a page is printed from its font's code page.
TEST(HeadlessPrintTest, APageReachesTheTerminalInUtf8) {
  Application().Initialize(std::make_unique<HeadlessBackend>(HeadlessBackend::Console::kPrint));
  {
    TForm page(nullptr);
    page.Font().SetCharset(162);
    page.SetCaption("Install Tamamland\xFD");
    auto* next = new TButton(&page);
    next->SetParent(&page);
    next->SetCaption("\xDDleri");
    next->SetDefault(true);
    ::testing::internal::CaptureStderr();
    page.ShowModal();
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("[Install Tamamland\xC4\xB1]"), std::string::npos) << printed;
    EXPECT_NE(printed.find("1) \xC4\xB0leri (default)"), std::string::npos) << printed;
  }
  Application().DestroyComponents();
}

}  // namespace kit
