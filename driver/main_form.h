// The main form of the install program: it carries the installation's
// components, read from the stored form compiled into the program.
#pragma once

#include <string>

#include "base/property.h"
#include "config/stored_forms.h"
#include "ui/form.h"

namespace kit {

class TForm1 : public TForm {
  KIT_COMPONENT_CLASS(TForm1)

 public:
  explicit TForm1(TComponent* owner);
  static const PropertyTable& Properties();
};

class FileSystem;

// The main form of the program at `exe_path`: the form appended to the
// program's file when there is one (its text kept in *storage), otherwise
// `compiled`. A damaged appended form fails with an Exception naming the
// program and what is wrong.
StoredForm ProgramMainForm(FileSystem& fs, const std::string& exe_path, const StoredForm& compiled,
                           std::string* storage);

}  // namespace kit
