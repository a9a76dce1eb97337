#include "translation/user_language.h"

#include "platform/current_platform.h"
#include "translation/language_set.h"

namespace kit {

uint16_t UserDefaultLangId() {
  return HasCurrentPlatform() ? CurrentPlatform().System().UserDefaultLanguage() : 0;
}

std::optional<TKblnLanguage> GetUserLanguage() { return LanguageOfLangId(UserDefaultLangId()); }

}  // namespace kit
