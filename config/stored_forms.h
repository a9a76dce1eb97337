// The stored forms of the shipped configuration, compiled into the program
// (a resource on win32, an embedded byte array natively).
#pragma once

#include <string>
#include <string_view>

namespace kit {

struct StoredForm {
  std::string_view text;  // in the Windows code page
  std::string name;       // for error messages ("main_form.dfm")
};

// The main form TForm1 with the installation's components.
StoredForm MainFormStored();

}  // namespace kit
