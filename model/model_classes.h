// The installation model's classes that stored forms may name. The
// program's start registers them with RegisterModelClasses(
// ClassRegistry::Global()) before it reads its configuration.
#pragma once

namespace kit {

class ClassRegistry;

void RegisterModelClasses(ClassRegistry& registry);

}  // namespace kit
