#include "translation/language_followers.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace kit {
namespace {

std::vector<std::pair<LanguageFollower*, FollowerKind>>& Followers() {
  static std::vector<std::pair<LanguageFollower*, FollowerKind>> followers;
  return followers;
}

bool Following(LanguageFollower* follower) {
  const auto& all = Followers();
  return std::any_of(all.begin(), all.end(), [&](const auto& f) { return f.first == follower; });
}

}  // namespace

void FollowLanguage(LanguageFollower* follower, FollowerKind kind) {
  if (follower != nullptr && !Following(follower)) Followers().emplace_back(follower, kind);
}

void UnfollowLanguage(LanguageFollower* follower) {
  auto& all = Followers();
  all.erase(std::remove_if(all.begin(), all.end(), [&](const auto& f) { return f.first == follower; }),
            all.end());
}

int LanguageFollowerCount() { return static_cast<int>(Followers().size()); }

void NotifyLanguageChanged(TKblnLanguage language) {
  for (FollowerKind kind : {FollowerKind::kComponent, FollowerKind::kForm}) {
    std::vector<LanguageFollower*> round;
    for (const auto& f : Followers()) {
      if (f.second == kind) round.push_back(f.first);
    }
    for (LanguageFollower* follower : round) {
      if (Following(follower)) follower->LanguageChanged(language);
    }
  }
}

}  // namespace kit
