#include "translation/translated_controls.h"

#include "base/class_registry.h"
#include "translation/translate_bit_btn.h"
#include "translation/translate_label.h"
#include "translation/base_kobbelin_form.h"
#include "translation/translator_component.h"

namespace kit {

void RegisterTranslatedControlClasses(ClassRegistry& registry) {
  registry.Register<TTranslateLabel>();
  registry.Register<TTranslateBitBtn>();
  registry.Register<TTranslator>();
  registry.Register<TBaseKobbelinForm>();
}

}  // namespace kit
