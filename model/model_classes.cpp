#include "model/model_classes.h"

#include "base/class_registry.h"
#include "model/file_related.h"

namespace kit {

void RegisterModelClasses(ClassRegistry& registry) { registry.Register<TFileRelated>(); }

}  // namespace kit
