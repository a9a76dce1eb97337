#include "model/parameter_object.h"

namespace kit {

TParameterObject::~TParameterObject() = default;

}  // namespace kit
