#include "config/stored_forms.h"

#include "config/main_form_dfm.h"

namespace kit {

StoredForm MainFormStored() {
  return {std::string_view(reinterpret_cast<const char*>(kMainFormDfm), sizeof kMainFormDfm), "main_form.dfm"};
}

}  // namespace kit
