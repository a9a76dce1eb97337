// A class of install component, passed where a call names a class (Comp,
// CompCount, FreeHelpersOfClass) and kept by the error of a bad Comp call.
// It matches instances of the class and of every class descended from it.
#pragma once

#include <string>

namespace kit {

class TComponent;

class ComponentClass {
 public:
  template <class T>
  static ComponentClass Of() {
    return ComponentClass(T::StaticClassName(), [](const TComponent* c) {
      return dynamic_cast<const T*>(c) != nullptr;
    });
  }

  const std::string& Name() const { return name_; }
  bool Matches(const TComponent* c) const { return c != nullptr && matches_(c); }
  bool operator==(const ComponentClass& other) const { return name_ == other.name_; }

 private:
  using Matcher = bool (*)(const TComponent*);
  ComponentClass(std::string name, Matcher matches) : name_(std::move(name)), matches_(matches) {}

  std::string name_;
  Matcher matches_;
};

}  // namespace kit
