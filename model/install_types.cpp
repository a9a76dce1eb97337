#include "model/install_types.h"

namespace kit {

const EnumType kInstallTypeType("TInstallType",
                                {"itFull", "itDefault", "itCompact", "itAlways", "itCustom"});

}  // namespace kit
