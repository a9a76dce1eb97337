// Registers the translator, the translated controls and the installer
// forms' base class, which stored forms may name.
#pragma once

namespace kit {

class ClassRegistry;

void RegisterTranslatedControlClasses(ClassRegistry& registry);

}  // namespace kit
