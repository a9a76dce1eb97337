#include "model/base_helper_component.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/component_list.h"
#include "model/errors.h"
#include "model/testing/test_components.h"
#include "translation/testing/fake_translator.h"

namespace kit {
namespace {

using namespace kit::testing;

std::string Names(const TInstallContainer& c) {
  std::string out;
  for (int i = 0; i < c.HelperCount(); ++i) out += (i ? " " : "") + c.Helpers(i)->Name();
  return out;
}

class HelperTest : public ::testing::Test {
 protected:
  TComponent form{nullptr};
};

TEST_F(HelperTest, SettingContainerMovesBetweenListsAndResetsTheDestination) {
  auto* a = new TTestGroup(&form, "A");
  auto* b = new TTestGroup(&form, "B");
  auto* f = new TTestFile(&form, "F");
  f->SetDestDirType(ddWindows);
  f->SetDestDir("\\Sub");
  EXPECT_TRUE(f->AllowedDestDirTypes().Contains(ddContainerDestDir));
  EXPECT_TRUE(f->AllowedDestDirTypes().Contains(ddMainInstallDir));
  EXPECT_FALSE(f->AllowedDestDirTypes().Contains(ddLoading));

  f->SetContainer(a);
  EXPECT_EQ(f->Container(), a);
  EXPECT_TRUE(f->ContainerAssigned());
  EXPECT_EQ(f->DestDirType(), ddContainerDestDir);
  EXPECT_EQ(f->DestDir(), "");
  f->SetDestDir("\\Bin");
  f->SetContainer(b);
  EXPECT_EQ(a->HelperCount(), 0);
  EXPECT_EQ(Names(*b), "F");
  f->SetContainer(nullptr);
  EXPECT_EQ(b->HelperCount(), 0);
  EXPECT_EQ(f->DestDirType(), ddAbsolute);
  EXPECT_EQ(f->DestDir(), "");
}

TEST_F(HelperTest, AssigningTheSameContainerOnlyMarksItAssigned) {
  auto* g = new TTestGroup(&form, "G");
  TTestFile f(&form, "F");
  EXPECT_FALSE(f.ContainerAssigned());
  f.SetContainer(nullptr);
  EXPECT_TRUE(f.ContainerAssigned());
  f.SetContainer(g);
  f.SetDestDir("\\Kept");
  f.SetContainer(g);
  EXPECT_EQ(f.DestDir(), "\\Kept");
  EXPECT_EQ(g->HelperCount(), 1);
}

TEST_F(HelperTest, WhileLoadingTheDestinationIsLeftAsStored) {
  auto* g = new TTestGroup(&form, "G");
  TTestFile f(&form, "F");
  f.SetLoading(true);
  f.SetDestDirType(ddLoading);  // not checked while loading
  f.SetDestDir("\\Stored");
  f.SetContainer(g);
  EXPECT_EQ(f.DestDirType(), ddLoading);
  EXPECT_EQ(f.DestDir(), "\\Stored");
}

TEST_F(HelperTest, CircularContainersAreRefusedAndNothingChanges) {
  auto* root = new TTestGroup(&form, "Root");
  auto* a = new TTestGroup(&form, "A");
  auto* b = new TTestGroup(&form, "B");
  auto* c = new TTestGroup(&form, "C");
  a->SetContainer(root);
  b->SetContainer(a);
  c->SetContainer(b);

  try {
    a->SetContainer(a);
    FAIL();
  } catch (const EAIICCircularInstallContainer& e) {
    EXPECT_EQ(e.Message(), "Circular reference");
  }
  try {
    a->SetContainer(b);
    FAIL();
  } catch (const EAIICCircularInstallContainer& e) {
    EXPECT_EQ(e.Message(), "Circular reference: Tried to add: A to B");
  }
  // Further up the chain too.
  EXPECT_THROW(a->SetContainer(c), EAIICCircularInstallContainer);
  EXPECT_THROW(root->SetContainer(c), EAIICCircularInstallContainer);
  EXPECT_EQ(a->Container(), root);
  EXPECT_EQ(Names(*root), "A");
  EXPECT_EQ(Names(*a), "B");
  EXPECT_EQ(Names(*b), "C");
  EXPECT_EQ(c->HelperCount(), 0);
  EXPECT_EQ(a->DestDirType(), ddContainerDestDir);
}

TEST_F(HelperTest, CircularMessageIsTranslatedOnlyInItsFormattedForm) {
  FakeTranslator tr;
  tr.table["Circular reference"] = "Döngüsel referans";
  tr.table["Circular reference: Tried to add: %s to %s"] = "Döngü: %s, %s içine eklenemez";
  auto* a = new TTestGroup(&form, "A");
  auto* b = new TTestGroup(&form, "B");
  b->SetContainer(a);
  try {
    a->SetContainer(b);
    FAIL();
  } catch (const EAIICCircularInstallContainer& e) {
    EXPECT_EQ(e.Message(), "Döngü: A, B içine eklenemez");
  }
  try {
    a->AddHelper(a);
    FAIL();
  } catch (const EAIICCircularInstallContainer& e) {
    EXPECT_EQ(e.Message(), "Circular reference");
  }
}

TEST_F(HelperTest, DestroyedHelperLeavesItsContainersList) {
  auto* g = new TTestGroup(&form, "G");
  auto* a = new TTestFile(&form, "a");
  auto* b = new TTestFile(&form, "b");
  auto* c = new TTestFile(&form, "c");
  for (auto* f : {a, b, c}) f->SetContainer(g);
  delete b;
  EXPECT_EQ(Names(*g), "a c");
  EXPECT_EQ(c->Order(), 1);  // renumbered
}

TEST_F(HelperTest, DestroyedContainerLeavesItsHelpersDetached) {
  auto* g = new TTestGroup(&form, "G");
  auto* sub = new TTestGroup(&form, "Sub");
  auto* link = new TTestLink(&form, "Link");
  sub->SetContainer(g);
  link->SetContainer(g);
  delete g;
  EXPECT_EQ(link->Container(), nullptr);
  EXPECT_EQ(link->DestDirType(), ddAbsolute);
  EXPECT_EQ(sub->Container(), nullptr);
  EXPECT_EQ(form.ComponentCount(), 2);
  // They can join another container afterwards.
  link->SetContainer(sub);
  EXPECT_EQ(Names(*sub), "Link");
}

TEST_F(HelperTest, DestroyingAMiddleContainerKeepsTheRestOfTheTree) {
  auto* root = new TTestGroup(&form, "Root");
  auto* mid = new TTestGroup(&form, "Mid");
  auto* leaf = new TTestFile(&form, "Leaf");
  auto* sibling = new TTestFile(&form, "Sibling");
  mid->SetContainer(root);
  sibling->SetContainer(root);
  leaf->SetContainer(mid);
  delete mid;
  EXPECT_EQ(Names(*root), "Sibling");
  EXPECT_EQ(leaf->Container(), nullptr);
  EXPECT_FALSE(root->ContainsHelper(leaf));
}

TEST(HelperLifetime, FreeingTheOwnerFreesTheWholeTreeInAnyOrder) {
  const int before = ComponentList::Count();
  {
    TComponent form(nullptr);
    // Containers created after their helpers, so they are freed first.
    auto* f = new TTestFile(&form, "F");
    auto* g = new TTestGroup(&form, "G");
    auto* root = new TTestDriver(&form, "Install1");
    g->SetContainer(root);
    f->SetContainer(g);
    EXPECT_EQ(Driver(), root);
  }
  EXPECT_EQ(ComponentList::Count(), before);
  EXPECT_EQ(Driver(), nullptr);
}

TEST_F(HelperTest, DestDirTypeNeedsItsContainerOrDriver) {
  TTestFile f(&form, "F");
  try {
    f.SetDestDirType(ddContainerDestDir);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot set the DestDir property of F because the Container property is Nil");
  }
  try {
    f.SetDestDirType(ddMainInstallDir);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot set the DestDir property of F because there is no Install component");
  }
  try {
    f.SetDestDirType(ddObjectLink);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "That path specifier is not allowed for the DestDir property for F");
  }
  EXPECT_EQ(f.DestDirType(), ddAbsolute);

  TTestDriver driver(&form, "Install1");
  f.SetDestDirType(ddMainInstallDir);
  EXPECT_EQ(f.DestDirType(), ddMainInstallDir);
  f.SetContainer(&driver);
  f.SetDestDirType(ddSystem);
  f.SetDestDirType(ddContainerDestDir);
  EXPECT_EQ(f.DestDirType(), ddContainerDestDir);
}

TEST_F(HelperTest, DestDirTypeMessagesAreTranslatedBeforeFilling) {
  FakeTranslator tr;
  tr.table["Cannot set the DestDir property of %s because the Container property is Nil"] =
      "%s: Container yok";
  TTestFile f(&form, "F");
  try {
    f.SetDestDirType(ddContainerDestDir);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "F: Container yok");
  }
}

// ---------------------------------------------------------------- design state

class DesignTest : public HelperTest {
 protected:
  void SetUp() override {
    driver = new TTestDriver(&form, "Install1");
    form.SetDesigning(true);
  }
  TTestDriver* driver = nullptr;
};

TEST_F(DesignTest, NewComponentAttachesToTheDriver) {
  auto* f = new TTestFile(&form, "F");
  EXPECT_TRUE(f->IsDesigning());
  EXPECT_TRUE(f->AutoAttached());
  EXPECT_FALSE(f->ContainerAssigned());
  EXPECT_EQ(f->Container(), driver);
  EXPECT_EQ(driver->HelperCount(), 1);
  EXPECT_EQ(f->DestDirType(), ddContainerDestDir);
}

TEST_F(DesignTest, LoadedDetachesWhatTheConfigurationNeverPlaced) {
  auto* g = new TTestGroup(&form, "G");
  auto* placed = new TTestFile(&form, "Placed");
  auto* unplaced = new TTestFile(&form, "Unplaced");
  for (auto* c : {placed, unplaced}) c->SetLoading(true);
  placed->SetContainer(g);
  placed->Loaded();
  unplaced->Loaded();
  EXPECT_EQ(placed->Container(), g);
  EXPECT_FALSE(placed->AutoAttached());
  EXPECT_EQ(unplaced->Container(), nullptr);
  EXPECT_FALSE(unplaced->AutoAttached());
  EXPECT_EQ(Names(*driver), "G");
}

TEST_F(DesignTest, KeepsTheDriverWhenTheConfigurationNamesIt) {
  auto* f = new TTestFile(&form, "F");
  f->SetLoading(true);
  f->SetContainer(driver);
  f->Loaded();
  EXPECT_EQ(f->Container(), driver);
  EXPECT_EQ(driver->HelperCount(), 1);
}

TEST_F(HelperTest, AtRunTimeComponentsStartWithoutContainer) {
  TTestDriver driver(&form, "Install1");
  TTestFile f(&form, "F");
  EXPECT_FALSE(f.AutoAttached());
  EXPECT_EQ(f.Container(), nullptr);
  EXPECT_EQ(driver.HelperCount(), 0);
}

}  // namespace
}  // namespace kit
