#include "model/parameter_list.h"

#include <cstddef>

namespace kit {

TParameterObject* TParameterList::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)];
}

}  // namespace kit
