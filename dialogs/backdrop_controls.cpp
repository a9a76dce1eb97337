#include "dialogs/backdrop_controls.h"

#include "base/class_registry.h"
#include "dialogs/backdrop.h"
#include "dialogs/rotate_3d_label.h"

namespace kit {

void RegisterBackdropControls(ClassRegistry& registry) {
  registry.Register<TBackdrop>();
  registry.Register<TRotate3DLabel>();
}

}  // namespace kit
