// Messages of the installation routines: the English format goes through the
// translator first and is then filled with its arguments. A translated format
// whose placeholders do not fit the arguments falls back to the English one,
// so a faulty translation never replaces the error being reported.
#pragma once

#include <initializer_list>
#include <string>

#include "base/exception.h"
#include "base/format.h"
#include "translation/translation.h"

namespace kit {

inline std::string TranslatedFormat(const std::string& english,
                                    std::initializer_list<FormatArg> args) {
  try {
    return Format(TranslateMessage(english), args);
  } catch (const EConvertError&) {
    return Format(english, args);
  }
}

}  // namespace kit
