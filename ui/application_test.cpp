#include "ui/application.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/threads.h"
#include "ui/form.h"
#include "ui/message_box.h"
#include "ui/testing/headless_app.h"

namespace kit {
namespace {

using testing::HeadlessApp;

class AppTest : public ::testing::Test {
 protected:
  HeadlessApp app_;
  HeadlessBackend& backend() { return app_.backend(); }
};

TEST_F(AppTest, ExceptionsWithoutHandlerAreShownInABox) {
  Application().SetTitle("Setup");
  try {
    throw Exception("Disk is full");
  } catch (...) {
    Application().HandleException(nullptr);
  }
  // A message that ends in a period or below it gets none added.
  Application().HandleException(nullptr, Exception("Done."));
  Application().HandleException(nullptr, Exception("Stop!"));
  try {
    throw std::runtime_error("plain failure");
  } catch (...) {
    Application().HandleException(nullptr);
  }
  try {
    throw 42;
  } catch (...) {
    Application().HandleException(nullptr);
  }
  const auto& boxes = backend().MessageBoxes();
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[0].text, "Disk is full.");
  EXPECT_EQ(boxes[0].caption, "Setup");
  EXPECT_EQ(boxes[0].flags, mb::kOk | mb::kIconStop);
  EXPECT_EQ(boxes[1].text, "Done.");
  EXPECT_EQ(boxes[2].text, "Stop!");
  EXPECT_EQ(boxes[3].text, "plain failure.");
  EXPECT_EQ(boxes[4].text, "Unknown exception.");
}

TEST_F(AppTest, TheInstalledHandlerGetsEveryExceptionButEAbort) {
  std::vector<std::string> seen;
  TComponent sender(nullptr);
  sender.SetName("Button1");
  Application().SetOnException([&](TComponent* s, const Exception& e) {
    seen.push_back((s ? s->Name() : "none") + ": " + e.Message() + " (" + e.ClassName() + ")");
  });
  try {
    throw EConvertError("bad number");
  } catch (...) {
    Application().HandleException(&sender);
  }
  try {
    Abort();
  } catch (...) {
    Application().HandleException(&sender);
  }
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "Button1: bad number (EConvertError)");
  EXPECT_TRUE(backend().MessageBoxes().empty());

  // A handler that fails has its own failure shown; nothing escapes.
  Application().SetOnException([](TComponent*, const Exception&) { throw Exception("handler broke"); });
  EXPECT_NO_THROW(Application().HandleException(nullptr, Exception("first")));
  ASSERT_EQ(backend().MessageBoxes().size(), 1u);
  EXPECT_EQ(backend().MessageBoxes()[0].text, "handler broke.");
}

TEST_F(AppTest, TheTitleDefaultsToTheProgramName) {
  EXPECT_EQ(Application().Title(), "");  // no platform in this test
  Application().SetTitle("Kur");
  EXPECT_EQ(Application().Title(), "Kur");
}

TEST_F(AppTest, RunShowsTheMainFormAndLoopsUntilTerminated) {
  TForm* form = Application().CreateForm([](TComponent* owner) { return new TForm(owner); });
  ASSERT_EQ(Application().MainForm(), form);
  int activations = 0;
  int idles = 0;
  form->SetOnActivate([&](TComponent* sender) {
    EXPECT_EQ(sender, form);
    ++activations;
  });
  // Two rounds of posted work, then the loop is ended from inside it.
  backend().on_idle = [&] {
    ++idles;
    if (idles == 1) {
      backend().Post([] {});
      return true;
    }
    Application().Terminate();
    return true;
  };
  Application().Run();
  EXPECT_EQ(activations, 1);
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(idles, 2);
  EXPECT_TRUE(Application().Terminated());
}

TEST_F(AppTest, RunEndsWhenNobodyIsThereAndReturnsAtOnceWhenTerminated) {
  TForm* form = Application().CreateForm([](TComponent* owner) { return new TForm(owner); });
  Application().Run();  // nothing to do and nobody to do it: the main form closes
  EXPECT_TRUE(Application().Terminated());

  HeadlessApp again;
  form = Application().CreateForm([](TComponent* owner) { return new TForm(owner); });
  Application().Terminate();
  Application().Run();
  EXPECT_FALSE(form->Visible());
}

TEST_F(AppTest, AnExceptionOfTheActivationIsHandledAndTheLoopGoesOn) {
  TForm* form = Application().CreateForm([](TComponent* owner) { return new TForm(owner); });
  form->SetOnActivate([](TComponent*) { throw Exception("activation failed"); });
  std::vector<std::string> seen;
  Application().SetOnException([&](TComponent* s, const Exception& e) {
    seen.push_back(e.Message());
    EXPECT_EQ(s, form);
  });
  Application().Run();
  EXPECT_EQ(seen, std::vector<std::string>{"activation failed"});
}

TEST_F(AppTest, ProcessMessagesRunsWhatIsWaitingAndNoticesAQuit) {
  int runs = 0;
  backend().Post([&] {
    ++runs;
    backend().Post([&] { ++runs; });  // arrives after this round
  });
  Application().ProcessMessages();
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(Application().Terminated());
  backend().Post([] { Application().Backend().PostQuit(); });
  Application().ProcessMessages();
  EXPECT_EQ(runs, 2);
  EXPECT_TRUE(Application().Terminated());
  EXPECT_EQ(backend().ProcessMessagesCalls(), 2);
}

TEST_F(AppTest, KeepResponsivePumpsOnlyOnceTheIntervalHasPassed) {
  Application().ProcessMessages();
  const int before = backend().ProcessMessagesCalls();
  for (int i = 0; i < 1000; ++i) Application().KeepResponsive();
  const int pumped = backend().ProcessMessagesCalls() - before;
  EXPECT_LE(pumped, 5);  // microseconds of work; a stalled machine may pump a few
  PauseThread(30);
  Application().KeepResponsive();
  EXPECT_EQ(backend().ProcessMessagesCalls() - before, pumped + 1);
}

TEST_F(AppTest, CreateFormDefersStartUpWorkUntilTheFormIsComplete) {
  std::vector<std::string> order;
  TForm* form = Application().CreateForm([&](TComponent* owner) {
    auto* f = new TForm(owner);
    Application().WhenCreated([&, f] {
      order.push_back(Application().MainForm() == f ? "deferred, main form set" : "deferred, no main form");
    });
    order.push_back("constructed");
    return f;
  });
  EXPECT_EQ(order, (std::vector<std::string>{"constructed", "deferred, main form set"}));
  // Outside of form creation the work runs at once; a second form does not
  // become the main form.
  Application().WhenCreated([&] { order.push_back("now"); });
  EXPECT_EQ(order.back(), "now");
  Application().CreateForm([](TComponent* owner) { return new TForm(owner); });
  EXPECT_EQ(Application().MainForm(), form);

  // A form whose creation fails leaves no deferred work and no main form.
  HeadlessApp again;
  bool ran = false;
  EXPECT_THROW(Application().CreateForm([&](TComponent*) -> TForm* {
    Application().WhenCreated([&] { ran = true; });
    throw Exception("broken form");
  }),
               Exception);
  EXPECT_FALSE(ran);
  EXPECT_EQ(Application().MainForm(), nullptr);
}

TEST_F(AppTest, TheScreenCursorReachesTheBackend) {
  Application().SetScreenCursor(crHourGlass);
  EXPECT_EQ(backend().ScreenCursor(), crHourGlass);
  EXPECT_EQ(Application().ScreenCursor(), crHourGlass);
  Application().SetScreenCursor(crDefault);
  EXPECT_EQ(backend().ScreenCursor(), crDefault);
}

TEST_F(AppTest, DestroyingTheMainFormClearsIt) {
  TForm* form = Application().CreateForm([](TComponent* owner) { return new TForm(owner); });
  delete form;
  EXPECT_EQ(Application().MainForm(), nullptr);
  EXPECT_EQ(Application().ComponentCount(), 0);
}

}  // namespace
}  // namespace kit
