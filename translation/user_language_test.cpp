// The user's language as the machine reports it: natively the emulated
// machine's setting, on win32 the real one (under Wine it follows LANG; the
// suite runs this test once per locale with the expected language named in
// KIT_EXPECT_USER_LANGUAGE).
#include "translation/user_language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/current_platform.h"
#include "translation/translation.h"
#include "translation/translator_component.h"

#ifdef _WIN32
#include "platform/testing/test_machine.h"
#else
#include <unistd.h>

#include <filesystem>

#include "platform/emulated/emulated_machine.h"
#endif

namespace kit {
namespace {

std::string Named(std::optional<TKblnLanguage> language) {
  return language ? KblnLanguageType().NameOf(*language) : "none";
}

#ifdef _WIN32

TEST(UserLanguageTest, FollowsTheSystemLocale) {
  auto machine = testing::NewTestMachine();
  ScopedPlatform scoped(machine->platform());
  const char* expected = std::getenv("KIT_EXPECT_USER_LANGUAGE");
  if (expected == nullptr) GTEST_SKIP() << "run with KIT_EXPECT_USER_LANGUAGE";
  EXPECT_EQ(Named(GetUserLanguage()), expected)
      << std::hex << machine->platform().System().UserDefaultLanguage();

  // The default target is the user's language.
  TTranslator translator(nullptr);
  translator.Language(klEnglish).Strings().Add("5;Next >");
  translator.Language(klGerman).Strings().Add("5;Weiter >");
  const std::string want = std::string(expected) == "klGerman" ? "Weiter >" : "Next >";
  EXPECT_EQ(TranslateMessage("Next >"), want);
}

#else

TEST(UserLanguageTest, FollowsTheEmulatedMachine) {
  EXPECT_EQ(Named(GetUserLanguage()), "none") << "no platform";
  const std::string dir = (std::filesystem::temp_directory_path() /
                           ("kit-lang-" + std::to_string(::getpid()))).string();
  for (auto [lang_id, expected] : {std::pair<uint16_t, const char*>{0x0419, "klRussian"},
                                   {0x0407, "klGerman"},
                                   {0x0416, "none"},
                                   {0x041F, "none"}}) {
    std::filesystem::remove_all(dir);
    MachineSettings settings = MachineSettings::Default();
    settings.language = lang_id;
    std::string error;
    auto machine = EmulatedMachine::Create(dir, settings, &error);
    ASSERT_NE(machine, nullptr) << error;
    ScopedPlatform scoped(*machine);
    EXPECT_EQ(Named(GetUserLanguage()), expected) << lang_id;
  }
  std::filesystem::remove_all(dir);
}

#endif

}  // namespace
}  // namespace kit
