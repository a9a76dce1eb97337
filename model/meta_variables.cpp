#include "model/meta_variables.h"

#include <cctype>

#include "base/codepage.h"
#include "model/base_helper_component.h"
#include "model/errors.h"
#include "model/install_driver.h"
#include "model/system_folders.h"

namespace kit {
namespace {

using Reason = EAICannotExpandContainerDirMV::Reason;

std::string ContainerDir(const TInstallContainer* component) {
  if (component == nullptr) throw EAICannotExpandContainerDirMV(Reason::kComponentNilForC);
  const auto* helper = dynamic_cast<const TBaseHelperComponent*>(component);
  if (helper == nullptr || helper->Container() == nullptr)
    throw EAICannotExpandContainerDirMV(Reason::kContainerNil);
  return helper->Container()->GetDestDir();
}

// The value of one meta-variable; false for a letter that names none.
bool Value(char letter, const TInstallContainer* component, std::string* value) {
  switch (std::tolower(static_cast<unsigned char>(letter))) {
    case 'a':
      if (component == nullptr) throw EAICannotExpandContainerDirMV(Reason::kComponentNilForA);
      *value = component->GetDestDir();
      return true;
    case 'b': *value = GetProgramMenuDir(); return true;
    case 'c': *value = ContainerDir(component); return true;
    case 'd': *value = GetDesktopDir(); return true;
    case 'f': *value = GetCommonFilesDir(); return true;
    case 'i': {
      InstallDriver* driver = Driver();
      if (driver == nullptr) throw EAICannotExpandInstallDirMV();
      *value = driver->DriverComponent().GetDestDir();
      return true;
    }
    case 'm': *value = GetStartMenuDir(); return true;
    case 'p': *value = GetProgramFilesDir(); return true;
    case 's': *value = SystemDir(); return true;
    case 'w': *value = WindowsDir(); return true;
    default: return false;
  }
}

}  // namespace

std::string ExpandMetaVariables(const std::string& text, const TInstallContainer* component) {
  const unsigned cp = AnsiCodePage();
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (++i >= text.size()) break;  // a "%" at the end
    if (text[i] == '%') {
      out += '%';
      continue;
    }
    std::string value;
    if (Value(text[i], component, &value)) {
      out += value;
    } else if (IsDBCSLeadByte(cp, static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      ++i;  // the dropped character is a double-byte one: both of its bytes go
    }
  }
  return out;
}

}  // namespace kit
