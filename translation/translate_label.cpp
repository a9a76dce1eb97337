#include "translation/translate_label.h"

namespace kit {

const PropertyTable& TTranslateLabel::Properties() {
  static const PropertyTable table = PropertyTable::Make<TTranslateLabel, TLabel>([](auto& p) {
    p.Int("GLID", &TTranslateLabel::SetGLID, &TTranslateLabel::GLID);
  });
  return table;
}

TTranslateLabel::TTranslateLabel(TComponent* owner) : TLabel(owner) {}

}  // namespace kit
