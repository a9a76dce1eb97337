#include "base/class_registry.h"

#include <gtest/gtest.h>

#include "base/form_test_classes.h"

namespace kit {
namespace {

using namespace formtest;

TEST(ClassRegistry, FindsClassesIgnoringCaseAndCreatesThemWithTheirOwner) {
  ClassRegistry r;
  RegisterTestClasses(r);
  RegisterTestClasses(r);  // registering again is harmless
  EXPECT_EQ(r.Count(), 5u);
  const ClassInfo* info = r.Find("ttestpanel");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->name, "TTestPanel");
  EXPECT_NE(info->set_parent, nullptr);
  EXPECT_NE(info->get_parent, nullptr);
  EXPECT_EQ(r.Find("TTestNonVisual")->set_parent, nullptr);

  TTestForm owner(nullptr);
  TComponent* made = info->create(&owner);
  EXPECT_STREQ(made->ClassName(), "TTestPanel");
  EXPECT_EQ(made->Owner(), &owner);
  EXPECT_EQ(r.FindFor(made), info);
}

TEST(ClassRegistry, UnknownNameAndNameClashesFail) {
  ClassRegistry r;
  RegisterTestClasses(r);
  try {
    r.Get("TBogus");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "unknown class 'TBogus'");
  }
  ClassInfo clash = *r.Find("TTestPanel");
  clash.create = [](TComponent* o) -> TComponent* { return new TTestControl(o); };
  EXPECT_THROW(r.Register(clash), EListError);
  std::unique_ptr<TComponent> still(r.Find("TTestPanel")->create(nullptr));
  EXPECT_STREQ(still->ClassName(), "TTestPanel");
}

}  // namespace
}  // namespace kit
