// Registers the translated controls that stored forms may name.
#pragma once

namespace kit {

class ClassRegistry;

void RegisterTranslatedControlClasses(ClassRegistry& registry);

}  // namespace kit
