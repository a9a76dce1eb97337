#include "model/install_container.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "model/base_helper_component.h"
#include "model/component_list.h"
#include "model/disk_parameter.h"
#include "model/errors.h"
#include "model/parameter_list.h"
#include "model/testing/test_components.h"

namespace kit {
namespace {

using namespace kit::testing;

std::string Names(const TInstallContainer& c) {
  std::string out;
  for (int i = 0; i < c.HelperCount(); ++i) out += (i ? " " : "") + c.Helpers(i)->Name();
  return out;
}

std::vector<int> Orders(const TInstallContainer& c) {
  std::vector<int> out;
  for (int i = 0; i < c.HelperCount(); ++i) out.push_back(c.Helpers(i)->Order());
  return out;
}

class TreeTest : public ::testing::Test {
 protected:
  template <class T>
  T* Make(const std::string& name, TInstallContainer* container, int order = -1) {
    auto* c = new T(&form, name, &record);
    c->SetOrder(order);  // outside of loading: ignored until it has a container
    if (container != nullptr) {
      // Give the stored order first, as the configuration would.
      c->SetLoading(true);
      c->SetOrder(order);
      c->SetLoading(false);
      c->SetContainer(container);
    }
    return c;
  }
  TComponent form{nullptr};
  Record record;
};

// ---------------------------------------------------------------- helper order

TEST_F(TreeTest, HelpersGroupByRankWhateverTheirOrder) {
  auto* g = Make<TTestGroup>("G", nullptr);
  Make<TTestFile>("file", g, 0);
  Make<TTestGroup>("sub", g, 7);
  Make<TRecordingDialog>("dlg", g, 0);
  Make<TTestLink>("link", g, 0);
  Make<TTestLinkGroup>("folder", g, 3);
  EXPECT_EQ(Names(*g), "sub file folder link dlg");
  EXPECT_EQ(Orders(*g), (std::vector<int>{0, 0, 0, 0, 0}));
}

TEST_F(TreeTest, WithinARankEqualOrderGoesBeforeAndMinusOneGoesLast) {
  auto* g = Make<TTestGroup>("G", nullptr);
  Make<TTestFile>("a", g, 0);
  Make<TTestFile>("b", g, 0);
  Make<TTestFile>("c", g, 0);
  EXPECT_EQ(Names(*g), "c b a");
  EXPECT_EQ(Orders(*g), (std::vector<int>{0, 1, 2}));

  auto* h = Make<TTestGroup>("H", nullptr);
  Make<TTestFile>("five", h, 5);
  Make<TTestFile>("zero", h, 0);
  Make<TTestFile>("none", h, -1);
  EXPECT_EQ(Names(*h), "zero five none");
  EXPECT_EQ(Orders(*h), (std::vector<int>{0, 1, 2}));
}

TEST_F(TreeTest, SettingOrderMovesTheHelperAndRenumbers) {
  auto* g = Make<TTestGroup>("G", nullptr);
  Make<TTestFile>("a", g);
  Make<TTestFile>("b", g);
  auto* c = Make<TTestFile>("c", g);
  Make<TTestLink>("link", g);
  EXPECT_EQ(Names(*g), "a b c link");
  c->SetOrder(1);
  EXPECT_EQ(Names(*g), "a c b link");
  EXPECT_EQ(Orders(*g), (std::vector<int>{0, 1, 2, 0}));
  c->SetOrder(0);
  EXPECT_EQ(Names(*g), "c a b link");
  // A value past the end puts it last, and is replaced by its position.
  c->SetOrder(99);
  EXPECT_EQ(Names(*g), "a b c link");
  EXPECT_EQ(c->Order(), 2);
}

TEST_F(TreeTest, OrderWithoutContainerChangesNothingOutsideLoading) {
  TTestFile f(&form, "f");
  f.SetOrder(4);
  EXPECT_EQ(f.Order(), -1);
  f.SetLoading(true);
  f.SetOrder(4);
  EXPECT_EQ(f.Order(), 4);
}

TEST_F(TreeTest, WhileLoadingStoredOrdersPlaceHelpersAndAreKept) {
  // Groups stored with orders 9 down to 0, files interleaved.
  auto* root = new TTestDriver(&form, "Install1");
  root->SetLoading(true);
  std::vector<TBaseHelperComponent*> loaded;
  for (int i = 1; i <= 4; ++i) {
    auto* g = new TTestGroup(&form, "FileGroup" + std::to_string(i));
    auto* f = new TTestFile(&form, "File" + std::to_string(i));
    for (TBaseHelperComponent* c : {static_cast<TBaseHelperComponent*>(g),
                                    static_cast<TBaseHelperComponent*>(f)}) {
      c->SetLoading(true);
      c->SetOrder(c == g ? 10 - i : 2 * i);  // groups 9,8,7,6; files 2,4,6,8
      c->SetContainer(root);
      loaded.push_back(c);
    }
  }
  EXPECT_EQ(Names(*root),
            "FileGroup4 FileGroup3 FileGroup2 FileGroup1 File1 File2 File3 File4");
  EXPECT_EQ(Orders(*root), (std::vector<int>{6, 7, 8, 9, 2, 4, 6, 8}));
  root->Loaded();
  for (auto* c : loaded) c->Loaded();
  // The end of loading renumbers nothing.
  EXPECT_EQ(Orders(*root), (std::vector<int>{6, 7, 8, 9, 2, 4, 6, 8}));
  // The first change afterwards does.
  root->Helpers(7)->SetOrder(0);
  EXPECT_EQ(Names(*root),
            "FileGroup4 FileGroup3 FileGroup2 FileGroup1 File4 File1 File2 File3");
  EXPECT_EQ(Orders(*root), (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3}));
}

TEST_F(TreeTest, InstallBdeGoesFirstWhateverItsRankAndOrder) {
  auto* g = Make<TTestGroup>("G", nullptr);
  Make<TTestGroup>("sub", g, 0);
  Make<TTestFile>("file", g, 0);
  Make<TInstallBDE>("bde", g, 5);
  EXPECT_EQ(Names(*g), "bde sub file");
}

// ---------------------------------------------------------------- queries

TEST_F(TreeTest, CompCountsInstancesOfTheClassAndItsDescendants) {
  auto* g = Make<TTestGroup>("G", nullptr);
  auto* link = Make<TTestLink>("link", g);
  auto* file = Make<TTestFile>("file", g);
  EXPECT_EQ(g->Comp<TTestFile>(0), file);
  EXPECT_EQ(g->CompCount<TTestFile>(), 1);
  EXPECT_EQ(g->CompCount<TTestHelper>(), 2);
  EXPECT_EQ(g->Comp<TTestHelper>(1), link);
  try {
    g->Comp<TTestFile>(1);
    FAIL() << "no second file";
  } catch (const EAIICBadCompCall& e) {
    EXPECT_EQ(e.Index(), 1);
    EXPECT_EQ(e.ClassAsked().Name(), "TTestFile");
  }
  EXPECT_THROW(g->Comp<TTestFile>(-1), EAIICBadCompCall);
}

TEST_F(TreeTest, HelpersOutsideTheListNameContainerAndIndex) {
  auto* g = Make<TTestGroup>("Group7", nullptr);
  Make<TTestFile>("file", g);
  try {
    g->Helpers(1);
    FAIL();
  } catch (const EAI&) {
    FAIL() << "a plain Exception is expected";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.ClassName(), "Exception");
    EXPECT_EQ(e.Message(),
              "Tried to reference a helper component in the following component: Group7. The "
              "following index was used: 1");
  }
  EXPECT_THROW(g->Helpers(-1), Exception);
  EXPECT_EQ(g->HelperCount(), 1);
}

TEST_F(TreeTest, ContainsHelperSearchesTheWholeSubtree) {
  auto* root = Make<TTestGroup>("root", nullptr);
  auto* a = Make<TTestGroup>("a", root);
  auto* b = Make<TTestGroup>("b", a);
  auto* f = Make<TTestFile>("f", b);
  auto* other = Make<TTestFile>("other", nullptr);
  EXPECT_TRUE(root->ContainsHelper(a));
  EXPECT_TRUE(root->ContainsHelper(f));
  EXPECT_TRUE(a->ContainsHelper(f));
  EXPECT_FALSE(f->ContainsHelper(root));
  EXPECT_FALSE(root->ContainsHelper(other));
  EXPECT_FALSE(root->ContainsHelper(root));
  EXPECT_FALSE(root->ContainsHelper(nullptr));
}

TEST_F(TreeTest, AddingNoneIsRefused) {
  auto* g = Make<TTestGroup>("G", nullptr);
  try {
    g->AddHelper(nullptr);
    FAIL();
  } catch (const EAIICAddingNilHelperComponent& e) {
    EXPECT_EQ(e.Container(), g);
  }
  EXPECT_EQ(g->HelperCount(), 0);
}

TEST_F(TreeTest, AddingTheSameHelperTwiceKeepsOneEntry) {
  auto* g = Make<TTestGroup>("G", nullptr);
  auto* f = Make<TTestFile>("f", g);
  Make<TTestFile>("h", g);
  g->AddHelper(f);
  EXPECT_EQ(g->HelperCount(), 2);
}

// ---------------------------------------------------------------- freeing

TEST_F(TreeTest, FreeHelpersFreesTheWholeSubtree) {
  auto* root = Make<TTestGroup>("root", nullptr);
  auto* a = Make<TTestGroup>("a", root);
  Make<TTestFile>("a1", a);
  Make<TTestFile>("a2", a);
  Make<TTestFile>("r1", root);
  const int before = ComponentList::Count();
  root->FreeHelpers();
  EXPECT_EQ(root->HelperCount(), 0);
  EXPECT_EQ(ComponentList::Count(), before - 4);
  EXPECT_EQ(form.ComponentCount(), 1);
}

TEST_F(TreeTest, FreeHelpersOfClassFreesOnlyThatClass) {
  auto* g = Make<TTestGroup>("G", nullptr);
  Make<TTestFile>("f1", g);
  Make<TTestLink>("link", g);
  Make<TInstallBDE>("bde", g);  // not a TTestFile
  Make<TTestFile>("f2", g);
  g->FreeHelpersOfClass(ComponentClass::Of<TTestFile>());
  EXPECT_EQ(Names(*g), "bde link");
  g->FreeHelpersOfClass(ComponentClass::Of<TTestHelper>());
  EXPECT_EQ(g->HelperCount(), 0);
}

// ---------------------------------------------------------------- install types

TEST_F(TreeTest, CurrentInstallTypeReachesEveryComponent) {
  auto* root = Make<TTestGroup>("root", nullptr);
  auto* a = Make<TTestGroup>("a", root);
  auto* f = Make<TTestFile>("f", a);
  auto* loose = Make<TTestFile>("loose", nullptr);
  root->SetCurrentInstallType(itCompact);
  EXPECT_EQ(root->CurrentInstallType(), itCompact);
  EXPECT_EQ(a->CurrentInstallType(), itCompact);
  EXPECT_EQ(f->CurrentInstallType(), itCompact);
  EXPECT_EQ(loose->CurrentInstallType(), itAlways);
}

// ---------------------------------------------------------------- processing

class ProcessTest : public TreeTest {
 protected:
  void SetUp() override {
    driver = new TTestDriver(&form, "Install1", &record);
    group = Make<TTestGroup>("Group", driver);
    file = Make<TTestFile>("File", group);
    Make<TRecordingDialog>("Dlg", driver);
    for (TInstallContainer* c : {static_cast<TInstallContainer*>(driver),
                                 static_cast<TInstallContainer*>(group),
                                 static_cast<TInstallContainer*>(file)}) {
      c->SetOnBeforeProcess([this](TInstallContainer* x) { record.push_back("before " + x->Name()); });
      c->SetOnShowInstallTypeDlg([this](TInstallContainer* x) { record.push_back("type " + x->Name()); });
      c->SetOnAfterProcess([this](TInstallContainer* x) { record.push_back("after " + x->Name()); });
    }
  }
  TTestDriver* driver = nullptr;
  TTestGroup* group = nullptr;
  TTestFile* file = nullptr;
  const std::string key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrix";
};

TEST_F(ProcessTest, ProcessRunsTheTreeWithEventsAndLogEntries) {
  driver->Process();
  EXPECT_EQ(record, (Record{
                        "before Install1", "Dlg hears eccBeforeProcess from Install1",
                        "type Install1", "Dlg hears InstallTypeDialog from Install1",
                        "work Install1",
                        "before Group", "type Group", "work Group",
                        "before File", "type File", "work File", "log File " + key, "after File",
                        "log Group " + key, "after Group",
                        "after Install1", "Dlg hears eccAfterProcess from Install1"}));
  EXPECT_TRUE(driver->Processed());
  EXPECT_TRUE(file->Processed());
}

TEST_F(ProcessTest, WithoutDriverNothingIsLogged) {
  group->SetContainer(nullptr);
  delete driver;
  record.clear();
  group->Process();
  EXPECT_EQ(record, (Record{"before Group", "type Group", "work Group", "before File",
                            "type File", "work File", "after File", "after Group"}));
}

TEST_F(ProcessTest, ExcludedComponentRaisesOnlyTheBeforeEvents) {
  driver->SetInclude(false);
  driver->Process();
  EXPECT_EQ(record, (Record{"before Install1", "Dlg hears eccBeforeProcess from Install1"}));
  EXPECT_FALSE(driver->Processed());
  EXPECT_FALSE(group->Processed());
}

TEST_F(ProcessTest, HelpersWithoutAutoProcessAreNotProcessed) {
  group->SetAutoProcess(false);
  driver->Process();
  EXPECT_FALSE(group->Processed());
  EXPECT_FALSE(file->Processed());
  EXPECT_TRUE(driver->Processed());
}

TEST_F(ProcessTest, InstallTypeFilter) {
  struct Case {
    TInstallType current;
    TInstallTypeSet types;
    bool processed;
  };
  const Case cases[] = {
      {itCompact, {itFull}, false},
      {itCompact, {itFull, itAlways}, true},
      {itCompact, {itCompact}, true},
      {itFull, {itDefault, itCompact}, false},
      {itFull, {}, false},
      {itCustom, {itFull}, true},
      {itCustom, {}, true},
      {itAlways, {itFull}, true},
  };
  for (const Case& c : cases) {
    record.clear();
    file->SetProcessed(false);
    file->SetInstallTypes(c.types);
    file->SetCurrentInstallType(c.current);
    file->Process();
    EXPECT_EQ(file->Processed(), c.processed) << c.current << " " << c.types.Bits();
    if (c.processed) {
      EXPECT_EQ(record.back(), "after File");
    } else {
      // Skipped after the install-type dialog: no work, no log, no after-events.
      EXPECT_EQ(record, (Record{"before File", "type File"}));
    }
  }
}

TEST_F(ProcessTest, AbortEndsOnlyTheComponentThatRaisedIt) {
  auto* second = Make<TTestFile>("Second", group);
  file->work = [] { throw EAbort(); };
  driver->Process();
  const Record expected_tail = {
      "before File", "type File", "work File",      // aborted: no log, no after
      "work Second", "log Second " + key,
      "log Group " + key, "after Group",
      "after Install1", "Dlg hears eccAfterProcess from Install1"};
  ASSERT_GE(record.size(), expected_tail.size());
  EXPECT_EQ(Record(record.end() - static_cast<long>(expected_tail.size()), record.end()),
            expected_tail);
  EXPECT_TRUE(second->Processed());
  EXPECT_TRUE(group->Processed());
}

TEST_F(ProcessTest, AbortInABeforeHandlerSkipsTheComponent) {
  file->SetOnBeforeProcess([](TInstallContainer*) { throw EAbort(); });
  driver->Process();
  EXPECT_FALSE(file->Processed());
  EXPECT_TRUE(group->Processed());
  EXPECT_EQ(record.back(), "Dlg hears eccAfterProcess from Install1");
}

TEST_F(ProcessTest, OtherErrorsClimbToTheCaller) {
  auto* second = Make<TTestFile>("Second", group);
  file->work = [] { throw EAIUserAbort(); };
  EXPECT_THROW(driver->Process(), EAIUserAbort);
  EXPECT_FALSE(second->Processed());
  EXPECT_EQ(record.back(), "work File");
  file->work = [] { throw std::runtime_error("disk"); };
  EXPECT_THROW(driver->Process(), std::runtime_error);
}

// ---------------------------------------------------------------- information

TEST_F(ProcessTest, DispatchReachesOnlyDialogHelpersOfThatComponent) {
  Make<TRecordingDialog>("Dlg2", driver);
  auto* group_dlg = Make<TRecordingDialog>("GroupDlg", group);
  TDiskParameter disk(2, "A:");
  TParameterList list{file, &disk};
  TParameterObject* heard = nullptr;
  group_dlg->on_event = [&](const std::string&) { heard = &list; };
  record.clear();
  driver->NotifyDialogs(driver, "GoodInstallation", nullptr);
  group->NotifyDialogs(group, "ChangeDisk", &list);
  file->NotifyDialogs(file, "CopyingFile", nullptr);  // no dialog helpers: nobody
  EXPECT_EQ(record, (Record{"Dlg hears GoodInstallation from Install1",
                            "Dlg2 hears GoodInstallation from Install1",
                            "GroupDlg hears ChangeDisk from Group"}));
  EXPECT_EQ(heard, &list);
  EXPECT_EQ(dynamic_cast<TInstallContainer*>(list.Items(0)), file);
  EXPECT_EQ(dynamic_cast<TDiskParameter*>(list.Items(1))->Path(), "A:");
  EXPECT_EQ(list.Items(2), nullptr);
}

TEST_F(ProcessTest, DispatchSurvivesADialogRemovingItself) {
  auto* dlg2 = Make<TRecordingDialog>("Dlg2", driver);
  auto* dlg1 = driver->Comp<TRecordingDialog>(0);
  dlg1->on_event = [&](const std::string&) { dlg1->SetContainer(nullptr); };
  record.clear();
  driver->NotifyDialogs(driver, "eccStartingUp", nullptr);
  EXPECT_EQ(record, (Record{"Dlg hears eccStartingUp from Install1",
                            "Dlg2 hears eccStartingUp from Install1"}));
  EXPECT_EQ(driver->CompCount<TRecordingDialog>(), 1);
  EXPECT_EQ(driver->Comp<TRecordingDialog>(0), dlg2);
}

TEST_F(ProcessTest, InformationControlIsSilentInTheBaseClasses) {
  record.clear();
  group->DoInformationEventControl(file, "eieCopyingFile", nullptr);
  EXPECT_TRUE(record.empty());
}

// ---------------------------------------------------------------- global list

TEST_F(TreeTest, GlobalListKeepsEveryComponentInCreationOrder) {
  const int before = ComponentList::Count();
  auto* a = new TTestFile(&form, "a");
  auto b = std::make_unique<TInstallContainer>(nullptr);
  auto* c = new TTestGroup(&form, "c");
  ASSERT_EQ(ComponentList::Count(), before + 3);
  EXPECT_EQ(ComponentList::Items(before), a);
  EXPECT_EQ(ComponentList::Items(before + 1), b.get());
  EXPECT_EQ(ComponentList::Items(before + 2), c);
  EXPECT_EQ(ComponentList::Items(before + 3), nullptr);
  delete a;
  EXPECT_EQ(ComponentList::Items(before), b.get());
  b.reset();
  EXPECT_EQ(ComponentList::Items(before), c);
}

TEST_F(TreeTest, BaseContainerAcceptsOnlyTheBaseSpecifiers) {
  TInstallContainer c(&form);
  c.SetName("Plain");
  c.SetDestDirType(ddFontDir);
  EXPECT_EQ(c.DestDirType(), ddFontDir);
  try {
    c.SetDestDirType(ddContainerDestDir);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "That path specifier is not allowed for the DestDir property for Plain");
  }
  EXPECT_EQ(c.DestDirType(), ddFontDir);
  c.SetLoading(true);
  c.SetDestDirType(ddLoading);  // stored without checks while loading
  EXPECT_EQ(c.DestDirType(), ddLoading);
}

}  // namespace
}  // namespace kit
