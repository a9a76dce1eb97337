// Writes a component tree in the text form format, from the property
// getters: the root and the components it owns, each nested under its parent
// component (when its class has GetParentComponent), in creation order.
// What the writer writes, the reader reads back to the same values.
#pragma once

#include <string>

#include "base/class_registry.h"
#include "base/component.h"

namespace kit {

class FormWriter {
 public:
  explicit FormWriter(const ClassRegistry& classes = ClassRegistry::Global()) : classes_(classes) {}

  // Fails with EWriteError for a component whose class is not registered.
  std::string Write(TComponent* root) const;

 private:
  const ClassRegistry& classes_;
};

}  // namespace kit
