// Registers the widget classes that stored forms may name.
#pragma once

namespace kit {

class ClassRegistry;

void RegisterUiClasses(ClassRegistry& registry);

}  // namespace kit
