// The classes that stored forms may name. A subsystem registers its
// component classes explicitly, from one RegisterClasses(ClassRegistry&)
// function called at program start (no static registrar objects: a static
// library would drop them). Names are compared without regard to case.
//
//   void RegisterModelClasses(ClassRegistry& r) {
//     r.Register<TInstallFile>();
//     r.Register<TInstallFileGroup>();
//   }
//
// Register<T> needs T(TComponent* owner), T::StaticClassName() and
// PropertiesOf<T>(). When T has SetParentComponent(TComponent*) the reader
// calls it with the enclosing object; when it has GetParentComponent() the
// writer nests the component under that one.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/component.h"
#include "base/exception.h"
#include "base/property.h"

namespace kit {

KIT_DECLARE_EXCEPTION(EClassNotFound, Exception);

struct ClassInfo {
  std::string name;
  TComponent* (*create)(TComponent* owner) = nullptr;
  const PropertyTable* properties = nullptr;
  void (*set_parent)(TComponent* child, TComponent* parent) = nullptr;  // optional
  TComponent* (*get_parent)(TComponent* component) = nullptr;           // optional
};

class ClassRegistry {
 public:
  ClassRegistry() = default;
  ClassRegistry(const ClassRegistry&) = delete;
  ClassRegistry& operator=(const ClassRegistry&) = delete;

  // The registry of the program.
  static ClassRegistry& Global();

  template <class T>
  void Register();
  // Registering the same class again is harmless; another class under a
  // name already taken fails with EListError.
  void Register(const ClassInfo& info);

  const ClassInfo* Find(std::string_view name) const;
  // As Find; an unknown name fails with EClassNotFound "unknown class 'X'".
  const ClassInfo& Get(std::string_view name) const;
  // The registered class of a component (by its ClassName()), or null.
  const ClassInfo* FindFor(const TComponent* component) const;
  std::size_t Count() const { return classes_.size(); }

 private:
  std::vector<std::unique_ptr<ClassInfo>> classes_;
  std::unordered_map<std::string, const ClassInfo*> index_;  // upper-case name
};

template <class T>
void ClassRegistry::Register() {
  static_assert(std::is_base_of_v<TComponent, T>, "only components can be registered");
  ClassInfo info;
  info.name = T::StaticClassName();
  info.create = [](TComponent* owner) -> TComponent* { return new T(owner); };
  info.properties = &PropertiesOf<T>();
  if constexpr (requires(T* t, TComponent* p) { t->SetParentComponent(p); })
    info.set_parent = [](TComponent* child, TComponent* parent) {
      if (T* t = dynamic_cast<T*>(child)) t->SetParentComponent(parent);
    };
  if constexpr (requires(T* t) { { t->GetParentComponent() } -> std::convertible_to<TComponent*>; })
    info.get_parent = [](TComponent* c) -> TComponent* {
      T* t = dynamic_cast<T*>(c);
      return t != nullptr ? t->GetParentComponent() : nullptr;
    };
  Register(info);
}

}  // namespace kit
