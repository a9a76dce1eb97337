// The languages of the installer's texts. The ordinal is a language's
// identity everywhere (stored configuration, tables, fonts).
#pragma once

namespace kit {

enum TKblnLanguage {
  klCzech = 0,
  klEnglish = 1,
  klFrench = 2,
  klGerman = 3,
  klGreek = 4,
  klHebrew = 5,
  klItalian = 6,
  klJapanese = 7,
  klKorean = 8,
  klPortugese = 9,
  klRussian = 10,
  klSpanish = 11,
  klUser = 12,  // the language of the user's system settings
};

}  // namespace kit
