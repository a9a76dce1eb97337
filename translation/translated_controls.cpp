#include "translation/translated_controls.h"

#include "base/class_registry.h"
#include "translation/translate_bit_btn.h"
#include "translation/translate_label.h"

namespace kit {

void RegisterTranslatedControlClasses(ClassRegistry& registry) {
  registry.Register<TTranslateLabel>();
  registry.Register<TTranslateBitBtn>();
}

}  // namespace kit
