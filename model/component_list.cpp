#include "model/component_list.h"

#include <algorithm>

namespace kit {

std::vector<TInstallContainer*>& ComponentList::Mutable() {
  // Created on first use, before any component, and never destroyed, so
  // components of static lifetime may still leave it at exit.
  static auto* list = new std::vector<TInstallContainer*>();
  return *list;
}

const std::vector<TInstallContainer*>& ComponentList::All() { return Mutable(); }

TInstallContainer* ComponentList::Items(int index) {
  const auto& list = All();
  if (index < 0 || index >= static_cast<int>(list.size())) return nullptr;
  return list[static_cast<size_t>(index)];
}

void ComponentList::Add(TInstallContainer* component) { Mutable().push_back(component); }

void ComponentList::Remove(TInstallContainer* component) {
  auto& list = Mutable();
  list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

}  // namespace kit
