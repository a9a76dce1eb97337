// A label whose text the translator takes by GLID: above 0 from the target
// table by that number, 0 by its own text, below 0 never.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/controls/label.h"

namespace kit {

class TTranslateLabel : public TLabel {
  KIT_COMPONENT_CLASS(TTranslateLabel)

 public:
  explicit TTranslateLabel(TComponent* owner);
  static const PropertyTable& Properties();

  int32_t GLID() const { return glid_; }
  void SetGLID(int32_t glid) { glid_ = glid; }

  // The text the form gave it, kept when it is first translated by GLID: a
  // later language without this GLID shows it again.
  const std::string& FormText() {
    if (!form_text_) form_text_ = Caption();
    return *form_text_;
  }

 private:
  int32_t glid_ = 0;
  std::optional<std::string> form_text_;
};

}  // namespace kit
