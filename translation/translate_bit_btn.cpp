#include "translation/translate_bit_btn.h"

namespace kit {

const PropertyTable& TTranslateBitBtn::Properties() {
  static const PropertyTable table = PropertyTable::Make<TTranslateBitBtn, TBitBtn>([](auto& p) {
    p.Int("GLID", &TTranslateBitBtn::SetGLID, &TTranslateBitBtn::GLID);
  });
  return table;
}

TTranslateBitBtn::TTranslateBitBtn(TComponent* owner) : TBitBtn(owner) {}

}  // namespace kit
