// Who follows a change of the target language: the dialog components and
// the installer forms alive. The translator tells them all, the components
// first, then the forms, each group in the order it joined.
#pragma once

#include "translation/language.h"

namespace kit {

class LanguageFollower {
 public:
  virtual ~LanguageFollower() = default;
  virtual void LanguageChanged(TKblnLanguage language) = 0;
};

enum class FollowerKind { kComponent, kForm };

// A follower joins while it lives and leaves before it dies; joining twice
// is harmless.
void FollowLanguage(LanguageFollower* follower, FollowerKind kind);
void UnfollowLanguage(LanguageFollower* follower);
int LanguageFollowerCount();

// Tells every follower; one that leaves (or is freed) during the round is
// not told afterwards.
void NotifyLanguageChanged(TKblnLanguage language);

}  // namespace kit
