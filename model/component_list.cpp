#include "model/component_list.h"

#include <algorithm>

#include "model/install_container.h"

namespace kit {

std::vector<TInstallContainer*>& ComponentList::Mutable() {
  // Created on first use, before any component, and never destroyed, so
  // components of static lifetime may still leave it at exit.
  static auto* list = new std::vector<TInstallContainer*>();
  return *list;
}

namespace {

// Like the list, never destroyed.
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

// The list is in creation order, so in order of serials.
bool ComponentList::Alive(const TInstallContainer* component, uint64_t serial) {
  const auto& list = All();
  auto it = std::lower_bound(list.begin(), list.end(), serial,
                             [](const TInstallContainer* c, uint64_t s) { return c->Serial() < s; });
  return it != list.end() && *it == component;
}

const std::vector<TInstallContainer*>& ComponentList::Watchers() { return MutableWatchers(); }

TInstallContainer* ComponentList::Items(int index) {
  const auto& list = All();
  if (index < 0 || index >= static_cast<int>(list.size())) return nullptr;
  return list[static_cast<size_t>(index)];
}

void ComponentList::Add(TInstallContainer* component) { Mutable().push_back(component); }

void ComponentList::Remove(TInstallContainer* component) {
  EraseLast(Mutable(), component);
  EraseLast(MutableWatchers(), component);
}

void ComponentList::Watch(TInstallContainer* component) {
  auto& list = MutableWatchers();
  if (std::find(list.begin(), list.end(), component) == list.end()) list.push_back(component);
}

}  // namespace kit
