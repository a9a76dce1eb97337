// Registers the classes of the install program's stored forms: the widget
// classes, the driver and the main form.
#pragma once

namespace kit {

class ClassRegistry;

void RegisterDriverClasses(ClassRegistry& registry);

}  // namespace kit
