// Registers the backdrop and the turned 3D label for stored forms.
#pragma once

namespace kit {

class ClassRegistry;

void RegisterBackdropControls(ClassRegistry& registry);

}  // namespace kit
