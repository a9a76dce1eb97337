#include "model/base_helper_component.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/component_list.h"
#include "model/errors.h"
#include "model/testing/machine_test.h"
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


// ---------------------------------------------------------------- resolution

class DestDirTest : public MachineTest {
 protected:
  static void Stored(TInstallContainer& c, TPathSpecifiers type, const std::string& dir) {
    c.SetLoading(true);
    c.SetDestDirType(type);
    c.SetDestDir(dir);
    c.SetLoading(false);
  }
};

TEST_F(DestDirTest, PlainSpecifiersAppendToTheirBaseAndLoseOneBackslash) {
  TInstallContainer plain(&form_);
  plain.SetDestDir("C:\\");
  EXPECT_EQ(plain.GetDestDir(), "C:");
  plain.SetDestDir("C:\\Dir\\\\");
  EXPECT_EQ(plain.GetDestDir(), "C:\\Dir\\");
  plain.SetDestDirType(ddWindows);
  plain.SetDestDir("\\Sub\\");
  EXPECT_EQ(plain.GetDestDir(), WindowsDir() + "\\Sub");
  plain.SetDestDirType(ddSystem);
  plain.SetDestDir("");
  EXPECT_EQ(plain.GetDestDir(), SystemDir());
  plain.SetDestDirType(ddFontDir);
  plain.SetDestDir("\\Extra");
  EXPECT_EQ(plain.GetDestDir(), GetFontDir() + "\\Extra");
  plain.SetDestDirType(ddStartUpMenuDir);
  EXPECT_EQ(plain.GetDestDir(), GetStartUpDir() + "\\Extra");
  // A plain install component has nothing above it to resolve against.
  plain.SetName("Plain");
  EXPECT_EQ(FailureOf([&] { plain.SetDestDirType(ddContainerDestDir); }),
            "That path specifier is not allowed for the DestDir property for Plain");
  Stored(plain, ddMainInstallDir, "\\X");
  EXPECT_EQ(FailureOf([&] { plain.GetDestDir(); }),
            "That path specifier is not allowed for the DestDir property for Plain");
}

TEST_F(DestDirTest, NestedContainersAndTheMainInstallDirectory) {
  TTestDriver driver(&form_, "Install1");
  TTestGroup group(&form_, "Tools");
  TTestFile file(&form_, "Bin");
  TTestFile main(&form_, "Main");
  driver.SetDestDir("c:\\App");
  group.SetContainer(&driver);
  group.SetDestDir("\\Tools");
  file.SetContainer(&group);
  file.SetDestDir("\\Bin\\");
  EXPECT_EQ(group.DestDirType(), ddContainerDestDir);
  EXPECT_EQ(file.GetDestDir(), "c:\\App\\Tools\\Bin");
  main.SetContainer(&group);
  main.SetDestDirType(ddMainInstallDir);
  main.SetDestDir("\\Data");
  EXPECT_EQ(main.GetDestDir(), "c:\\App\\Data");
  // Resolution follows the tree as it is now.
  driver.SetDestDir("d:\\Else\\");
  EXPECT_EQ(file.GetDestDir(), "d:\\Else\\Tools\\Bin");
  group.SetDestDirType(ddWindows);
  EXPECT_EQ(file.GetDestDir(), WindowsDir() + "\\Tools\\Bin");
}

TEST_F(DestDirTest, ResolutionFailuresNameTheComponent) {
  TTestFile file(&form_, "F");
  Stored(file, ddContainerDestDir, "\\Bin");
  EXPECT_EQ(FailureOf([&] { file.GetDestDir(); }),
            "Cannot expand the DestDir of F because the Container is Nil");
  Stored(file, ddMainInstallDir, "\\Bin");
  EXPECT_EQ(FailureOf([&] { file.GetDestDir(); }),
            "Cannot expand the DestDir of F because there is no TInstall component");
  for (TPathSpecifiers type : {ddLoading, ddContainerArchiveFile, ddObjectLink, ddBDEDLLDir}) {
    Stored(file, type, "\\Bin");
    EXPECT_EQ(FailureOf([&] { file.GetDestDir(); }),
              "That path specifier is not allowed for the DestDir property for F")
        << type;
  }
  FakeTranslator translator;
  translator.table["Cannot expand the DestDir of %s because the Container is Nil"] = "%s: yok";
  Stored(file, ddContainerDestDir, "");
  EXPECT_EQ(FailureOf([&] { file.GetDestDir(); }), "F: yok");
}

TEST_F(DestDirTest, BdeDllDirIsRefusedByEverySetter) {
  TInstallContainer plain(&form_);
  TTestDriver driver(&form_, "Install1");
  TTestFile file(&form_, "F");
  file.SetContainer(&driver);
  for (TInstallContainer* c : {static_cast<TInstallContainer*>(&plain),
                               static_cast<TInstallContainer*>(&driver),
                               static_cast<TInstallContainer*>(&file)}) {
    const TPathSpecifiers before = c->DestDirType();
    EXPECT_EQ(FailureOf([&] { c->SetDestDirType(ddBDEDLLDir); }),
              "That path specifier is not allowed for the DestDir property for " + c->Name());
    EXPECT_EQ(c->DestDirType(), before);
  }
}

// The driver is the root of the tree: ddContainerDestDir has nothing to
// resolve against and ddMainInstallDir would name the driver itself. Both
// are refused like any specifier the driver does not take, when set and,
// for a stored configuration, when resolved.
TEST_F(DestDirTest, TheDriverTakesNeitherContainerNorMainInstallDir) {
  TTestDriver driver(&form_, "Install1");
  TTestGroup outer(&form_, "Outer");
  driver.SetDestDir("c:\\App");
  driver.SetContainer(&outer);  // even with a container of its own
  for (TPathSpecifiers type : {ddContainerDestDir, ddMainInstallDir}) {
    driver.SetDestDirType(ddAbsolute);
    EXPECT_EQ(FailureOf([&] { driver.SetDestDirType(type); }),
              "That path specifier is not allowed for the DestDir property for Install1")
        << type;
    EXPECT_EQ(driver.DestDirType(), ddAbsolute);
    Stored(driver, type, "c:\\App");
    EXPECT_EQ(FailureOf([&] { driver.GetDestDir(); }),
              "That path specifier is not allowed for the DestDir property for Install1")
        << type;
  }
  // What hangs below such a driver fails the same way instead of looping.
  TTestFile file(&form_, "F");
  file.SetContainer(&driver);
  file.SetDestDirType(ddMainInstallDir);
  EXPECT_EQ(FailureOf([&] { file.GetDestDir(); }),
            "That path specifier is not allowed for the DestDir property for Install1");
  driver.SetContainer(nullptr);
}

}  // namespace
}  // namespace kit
