// A label whose text the translator takes by GLID: above 0 from the target
// table by that number, 0 by its own text, below 0 never.
#pragma once

#include <cstdint>

#include "ui/controls/label.h"

namespace kit {

class TTranslateLabel : public TLabel {
  KIT_COMPONENT_CLASS(TTranslateLabel)

 public:
  explicit TTranslateLabel(TComponent* owner);
  static const PropertyTable& Properties();

  int32_t GLID() const { return glid_; }
  void SetGLID(int32_t glid) { glid_ = glid; }

 private:
  int32_t glid_ = 0;
};

}  // namespace kit
