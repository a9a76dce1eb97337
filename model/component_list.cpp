#include "model/component_list.h"

#include <algorithm>
#include <unordered_set>

namespace kit {

std::vector<TInstallContainer*>& ComponentList::Mutable() {
  // Created on first use, before any component, and never destroyed, so
  // components of static lifetime may still leave it at exit.
  static auto* list = new std::vector<TInstallContainer*>();
  return *list;
}

namespace {

// Like the list, never destroyed.
std::unordered_set<const TInstallContainer*>& Members() {
  static auto* set = new std::unordered_set<const TInstallContainer*>();
  return *set;
}

std::vector<TInstallContainer*>& MutableWatchers() {
  static auto* list = new std::vector<TInstallContainer*>();
  return *list;
}

void EraseLast(std::vector<TInstallContainer*>& list, TInstallContainer* component) {
  // Components mostly go last created first: look from the end.
  auto it = std::find(list.rbegin(), list.rend(), component);
  if (it != list.rend()) list.erase(std::next(it).base());
}

}  // namespace

const std::vector<TInstallContainer*>& ComponentList::All() { return Mutable(); }

bool ComponentList::Contains(const TInstallContainer* component) { return Members().count(component) != 0; }

const std::vector<TInstallContainer*>& ComponentList::Watchers() { return MutableWatchers(); }

TInstallContainer* ComponentList::Items(int index) {
  const auto& list = All();
  if (index < 0 || index >= static_cast<int>(list.size())) return nullptr;
  return list[static_cast<size_t>(index)];
}

void ComponentList::Add(TInstallContainer* component) {
  Mutable().push_back(component);
  Members().insert(component);
}

void ComponentList::Remove(TInstallContainer* component) {
  if (Members().erase(component) == 0) return;
  EraseLast(Mutable(), component);
  EraseLast(MutableWatchers(), component);
}

void ComponentList::Watch(TInstallContainer* component) {
  auto& list = MutableWatchers();
  if (Contains(component) && std::find(list.begin(), list.end(), component) == list.end()) list.push_back(component);
}

}  // namespace kit
