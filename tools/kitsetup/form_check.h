// Checks a stored main form before it is built into an installer, without
// making its components: every class known to the registry, every property
// (dotted parts and collection items too) known to its class, identifiers of
// enumerations, sets and booleans valid, the root a form, one TInstall. It
// also gathers the source file of every install file. Problems name the
// place, the component and the property.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/class_registry.h"

namespace kit::tools {

struct SourceFile {
  std::string component;
  std::string path;  // IncludeFromDir\FileName as the form gives it
};

class FormCheck {
 public:
  explicit FormCheck(const ClassRegistry& classes) : classes_(classes) {}

  // Every problem found; empty when the form is good.
  std::vector<std::string> Check(std::string_view text, const std::string& file_name);
  const std::vector<SourceFile>& Sources() const { return sources_; }

 private:
  const ClassRegistry& classes_;
  std::vector<SourceFile> sources_;
};

}  // namespace kit::tools
