#include "base/property.h"

#include <gtest/gtest.h>

#include "base/form_test_classes.h"

namespace kit {
namespace {

using namespace formtest;

TEST(PropertyTable, LookupIgnoresCaseAndWalksUpToTheBaseClass) {
  TTestPanel panel(nullptr);
  const PropertyTable& table = PropertiesOf<TTestPanel>();
  void* obj = table.Cast(&panel);
  ASSERT_NE(obj, nullptr);

  void* at = obj;
  const PropInfo* own = table.Find("bevelwidth", &at);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->name, "BevelWidth");
  own->set_int(at, 7);
  EXPECT_EQ(panel.BevelWidth(), 7);

  at = obj;
  const PropInfo* inherited = table.Find("LEFT", &at);  // TTestControl's
  ASSERT_NE(inherited, nullptr);
  inherited->set_int(at, -12);
  EXPECT_EQ(panel.Left(), -12);

  at = obj;
  const PropInfo* tag = table.Find("Tag", &at);  // TComponent's
  ASSERT_NE(tag, nullptr);
  tag->set_int(at, 5);
  EXPECT_EQ(panel.Tag(), 5);

  at = obj;
  EXPECT_EQ(table.Find("Nothing", &at), nullptr);
  // A base class does not see what a descendant adds.
  TTestControl control(nullptr);
  at = PropertiesOf<TTestControl>().Cast(&control);
  EXPECT_EQ(PropertiesOf<TTestControl>().Find("BevelWidth", &at), nullptr);
  EXPECT_EQ(PropertiesOf<TTestControl>().Cast(&panel) != nullptr, true);
  TTestNonVisual other(nullptr);
  EXPECT_EQ(PropertiesOf<TTestPanel>().Cast(&other), nullptr);
}

TEST(PropertyTable, ForEachListsBaseClassPropertiesFirst) {
  TTestPanel panel(nullptr);
  std::vector<std::string> names;
  PropertiesOf<TTestPanel>().ForEach(PropertiesOf<TTestPanel>().Cast(&panel),
                                     [&](const PropInfo& p, void*) { names.push_back(p.name); });
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names.front(), "Tag");
  EXPECT_EQ(names[1], "Left");
  EXPECT_EQ(names.back(), "BevelWidth");
}

TEST(PropertyTable, DeclaringANameTwiceIsRefused) {
  try {
    PropertyTable::Make<TTestPicture>([](auto& p) {
      p.Binary("Data", &TTestPicture::SetData, &TTestPicture::Data);
      p.Binary("DATA", &TTestPicture::SetData, &TTestPicture::Data);
    });
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "property DATA of TTestPicture is declared twice");
  }
}

TEST(PropertyTable, IntegerRangeDefaultsToTheValueType) {
  void* dummy = nullptr;
  const PropInfo* style = PropertiesOf<TTestFont>().Find("Style", &dummy);
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(style->max, 8);  // an 8-bit set holds members 0..7
  const PropInfo* size = PropertiesOf<TTestFont>().Find("Size", &dummy);
  EXPECT_EQ(size->min, 1);
  EXPECT_EQ(size->max, 1000);
  const PropInfo* big = PropertiesOf<TTestNonVisual>().Find("Big", &dummy);
  EXPECT_EQ(big->max, INT64_MAX);
}

TEST(EnumType, FindsIdentifiersAndNames) {
  std::int64_t v = -1;
  EXPECT_TRUE(kAlign.Find("ALCLIENT", &v));
  EXPECT_EQ(v, 3);
  EXPECT_FALSE(kAlign.Find("alLeft", &v));
  EXPECT_STREQ(kColors.NameOf(0xFF), "clRed");
  EXPECT_EQ(kColors.NameOf(12), nullptr);
}

}  // namespace
}  // namespace kit
