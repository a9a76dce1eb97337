// The language of the user's system settings (klUser), from the primary
// language of GetUserDefaultLangID on the current platform: on win32 the
// real one, natively the emulated machine's.
#pragma once

#include <cstdint>
#include <optional>

#include "translation/language.h"

namespace kit {

// The platform's user language identifier; 0 (no language) without a platform.
uint16_t UserDefaultLangId();
// None for a language without a table (Portuguese, Turkish, ...).
std::optional<TKblnLanguage> GetUserLanguage();

}  // namespace kit
