// The user's language as the emulated machine reports it. On win32 the
// shipped tables' window test checks it under three locales.
#include "translation/user_language.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/current_platform.h"
#include "platform/emulated/emulated_machine.h"
#include "translation/translator_component.h"

namespace kit {
namespace {

std::string Named(std::optional<TKblnLanguage> language) {
  return language ? KblnLanguageType().NameOf(*language) : "none";
}

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

}  // namespace
}  // namespace kit
