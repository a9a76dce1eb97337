// The process-wide list of every install component in existence, in
// creation order. Components enter it when they are created and leave it
// when they are destroyed.
#pragma once

#include <cstdint>
#include <vector>

namespace kit {

class TInstallContainer;

class ComponentList {
 public:
  static const std::vector<TInstallContainer*>& All();
  static int Count() { return static_cast<int>(All().size()); }
  // The component at index, or null outside the list.
  static TInstallContainer* Items(int index);
  // Whether the component made as the serial-th still exists (the pointer
  // itself may be to freed memory; it is only compared).
  static bool Alive(const TInstallContainer* component, uint64_t serial);
  // Components told of the end of every other one (a link keeps a pointer to
  // the object it points to), in creation order.
  static const std::vector<TInstallContainer*>& Watchers();

 private:
  friend class TInstallContainer;
  static std::vector<TInstallContainer*>& Mutable();
  static void Add(TInstallContainer* component);
  static void Remove(TInstallContainer* component);
  static void Watch(TInstallContainer* component);
};

}  // namespace kit
