// Install types: the kinds of installation a user can choose, and the set
// of them in which a component is processed.
#pragma once

#include "base/property.h"
#include "model/enum_set.h"

namespace kit {

enum TInstallType { itFull = 0, itDefault = 1, itCompact = 2, itAlways = 3, itCustom = 4 };

using TInstallTypeSet = TEnumSet<TInstallType>;

// The identifiers of the stored configuration.
extern const EnumType kInstallTypeType;

}  // namespace kit
