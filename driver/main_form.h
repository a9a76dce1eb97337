// The main form of the install program: it carries the installation's
// components, read from the stored form compiled into the program.
#pragma once

#include "base/property.h"
#include "ui/form.h"

namespace kit {

class TForm1 : public TForm {
  KIT_COMPONENT_CLASS(TForm1)

 public:
  explicit TForm1(TComponent* owner);
  static const PropertyTable& Properties();
};

}  // namespace kit
