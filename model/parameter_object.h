// Base of every object that can travel with an information event (install
// components, disk parameters, file status records, lists of them), so that
// a receiver can tell what it was given.
#pragma once

namespace kit {

class TParameterObject {
 public:
  virtual ~TParameterObject();
};

}  // namespace kit
