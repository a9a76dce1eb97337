// A list of parameter objects sent together with one event (for a disk
// change: the install file and its disk parameter). It does not own them.
#pragma once

#include <initializer_list>
#include <vector>

#include "model/parameter_object.h"

namespace kit {

class TParameterList : public TParameterObject {
 public:
  TParameterList() = default;
  TParameterList(std::initializer_list<TParameterObject*> items) : items_(items) {}

  int Count() const { return static_cast<int>(items_.size()); }
  // The entry at index, or null outside the list.
  TParameterObject* Items(int index) const;
  void Add(TParameterObject* item) { items_.push_back(item); }

 private:
  std::vector<TParameterObject*> items_;
};

}  // namespace kit
