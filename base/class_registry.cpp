#include "base/class_registry.h"

#include "base/ident.h"

namespace kit {

ClassRegistry& ClassRegistry::Global() {
  static ClassRegistry registry;
  return registry;
}

void ClassRegistry::Register(const ClassInfo& info) {
  if (info.name.empty() || info.create == nullptr || info.properties == nullptr)
    throw EListError("cannot register a class without name, constructor or properties");
  std::string key = UpperIdent(info.name);
  auto it = index_.find(key);
  if (it != index_.end()) {
    if (it->second->create == info.create) return;
    throw EListError("a different class is already registered as '" + info.name + "'");
  }
  classes_.push_back(std::make_unique<ClassInfo>(info));
  index_.emplace(std::move(key), classes_.back().get());
}

const ClassInfo* ClassRegistry::Find(std::string_view name) const {
  auto it = index_.find(UpperIdent(name));
  return it == index_.end() ? nullptr : it->second;
}

const ClassInfo& ClassRegistry::Get(std::string_view name) const {
  const ClassInfo* info = Find(name);
  if (info == nullptr) throw EClassNotFound("unknown class '" + std::string(name) + "'");
  return *info;
}

const ClassInfo* ClassRegistry::FindFor(const TComponent* component) const {
  return component == nullptr ? nullptr : Find(component->ClassName());
}

}  // namespace kit
