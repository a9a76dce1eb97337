// A bitmap button whose caption the translator takes by GLID, as for
// TTranslateLabel.
#pragma once

#include <cstdint>

#include "ui/controls/bit_btn.h"

namespace kit {

class TTranslateBitBtn : public TBitBtn {
  KIT_COMPONENT_CLASS(TTranslateBitBtn)

 public:
  explicit TTranslateBitBtn(TComponent* owner);
  static const PropertyTable& Properties();

  int32_t GLID() const { return glid_; }
  void SetGLID(int32_t glid) { glid_ = glid; }

 private:
  int32_t glid_ = 0;
};

}  // namespace kit
