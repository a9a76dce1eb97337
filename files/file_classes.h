// Registers the classes of file groups and install files for stored forms.
#pragma once

namespace kit {

class ClassRegistry;

void RegisterFileClasses(ClassRegistry& registry);

}  // namespace kit
