#include "system/help_file.h"

#include <gtest/gtest.h>

#include "system/system_errors.h"
#include "system/testing/install_machine.h"

namespace kit {
namespace {

using testing::InstallMachine;
using testing::ScopedValue;

TEST(HelpFileTest, HelpFileIsRegisteredUnderItsUpperCaseNameWithItsDirectory) {
  InstallMachine m;
  const std::string name = testing::UniqueName("Tavrix") + ".hlp";
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  ScopedValue cleanup(m.platform(), RegRoot::kLocalMachine, helpfile::kKey, upper);
  RegisterHelpFile("c:\\Tavwin\\Misc", name);
  auto k = m.platform().Reg().Open(RegRoot::kLocalMachine, helpfile::kKey, RegAccess::kRead, false);
  ASSERT_TRUE(k);
  std::vector<std::string> names;
  ASSERT_TRUE(k->ValueNames(&names));
  EXPECT_NE(std::find(names.begin(), names.end(), upper), names.end());
  RegValue v;
  ASSERT_TRUE(k->Query(upper, &v));
  EXPECT_EQ(v.type, regtype::kSz);
  EXPECT_EQ(v.AsString(), "c:\\Tavwin\\Misc");
}

TEST(HelpFileTest, RefusedWriteNamesKeyValueAndDirectory) {
  InstallMachine m;
  FaultPlatform faults(m.platform());
  ScopedPlatform scope(faults);
  faults.RefuseRegistryWrites(helpfile::kKey);
  try {
    RegisterHelpFile("c:\\Tavwin", "Tavrix.cnt");
    FAIL();
  } catch (const EIRCannotWriteValue& e) {
    EXPECT_EQ(e.Message(), "Cannot install into registry. Key: \\SOFTWARE\\Microsoft\\Windows\\Help "
                           "Ident: TAVRIX.CNT Value c:\\Tavwin");
  }
}

}  // namespace
}  // namespace kit
