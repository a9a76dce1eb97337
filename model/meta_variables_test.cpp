#include "model/meta_variables.h"

#include <gtest/gtest.h>

#include "model/errors.h"
#include "model/system_folders.h"
#include "model/testing/machine_test.h"
#include "model/testing/test_components.h"
#include "translation/testing/fake_translator.h"

namespace kit {
namespace {

using namespace kit::testing;

class MetaVariablesTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    driver_ = std::make_unique<TTestDriver>(&form_, "Install1");
    group_ = std::make_unique<TTestGroup>(&form_, "Group");
    link_ = std::make_unique<TTestLink>(&form_, "Link");
    driver_->SetDestDir("C:\\Tavwin");
    group_->SetContainer(driver_.get());
    group_->SetDestDir("\\Tools");
    link_->SetContainer(group_.get());
    link_->SetDestDir("\\Links\\");
  }
  void TearDown() override {
    link_.reset();
    group_.reset();
    driver_.reset();
    MachineTest::TearDown();
  }
  std::unique_ptr<TTestDriver> driver_;
  std::unique_ptr<TTestGroup> group_;
  std::unique_ptr<TTestLink> link_;
};

TEST_F(MetaVariablesTest, PercentSignsAndUnknownLetters) {
  EXPECT_EQ(ExpandMetaVariables("%i\\bin\\%%x", link_.get()), "C:\\Tavwin\\bin\\%x");
  EXPECT_EQ(ExpandMetaVariables("100%", link_.get()), "100");
  EXPECT_EQ(ExpandMetaVariables("%q", link_.get()), "");
  EXPECT_EQ(ExpandMetaVariables("a%qb%%%%c%", nullptr), "ab%%c");
  EXPECT_EQ(ExpandMetaVariables("", nullptr), "");
  EXPECT_EQ(ExpandMetaVariables("/s %1 \"x\"", nullptr), "/s  \"x\"");
}

TEST_F(MetaVariablesTest, EveryLetterInEitherCase) {
  const std::pair<char, std::string> values[] = {
      {'a', "C:\\Tavwin\\Tools\\Links"}, {'b', GetProgramMenuDir()},
      {'c', "C:\\Tavwin\\Tools"},        {'d', GetDesktopDir()},
      {'f', GetCommonFilesDir()},        {'i', "C:\\Tavwin"},
      {'m', GetStartMenuDir()},          {'p', GetProgramFilesDir()},
      {'s', SystemDir()},                {'w', WindowsDir()}};
  for (const auto& [letter, value] : values) {
    const char lower[] = {'<', '%', letter, '>', 0};
    const char upper[] = {'<', '%', static_cast<char>(letter - 32), '>', 0};
    EXPECT_EQ(ExpandMetaVariables(lower, link_.get()), "<" + value + ">") << letter;
    EXPECT_EQ(ExpandMetaVariables(upper, link_.get()), "<" + value + ">") << letter;
  }
}

TEST_F(MetaVariablesTest, MissingComponentContainerOrDriver) {
  using Reason = EAICannotExpandContainerDirMV::Reason;
  auto reason = [](const std::string& text, const TInstallContainer* c) {
    try {
      ExpandMetaVariables(text, c);
    } catch (const EAICannotExpandContainerDirMV& e) {
      return e.WhatFailed();
    }
    ADD_FAILURE() << "no error for " << text;
    return Reason::kContainerNil;
  };
  EXPECT_EQ(reason("%a", nullptr), Reason::kComponentNilForA);
  EXPECT_EQ(reason("%C", nullptr), Reason::kComponentNilForC);
  EXPECT_EQ(reason("%c", driver_.get()), Reason::kContainerNil);
  TInstallContainer plain(&form_);
  EXPECT_EQ(reason("%c", &plain), Reason::kContainerNil);
  // Letters that need nothing work without a component.
  EXPECT_EQ(ExpandMetaVariables("%w", nullptr), WindowsDir());

  driver_.reset();
  EXPECT_THROW(ExpandMetaVariables("%i", link_.get()), EAICannotExpandInstallDirMV);
  FakeTranslator translator;
  translator.table["Cannot expand the %i meta variable because there is no TInstall component"] =
      "%i yok";
  try {
    ExpandMetaVariables("x%I", nullptr);
    FAIL() << "no error";
  } catch (const EAICannotExpandInstallDirMV& e) {
    EXPECT_EQ(e.Message(), "%i yok");
  }
}

}  // namespace
}  // namespace kit
