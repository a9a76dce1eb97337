#include "system/help_file.h"

#include "base/text.h"
#include "model/system_errors.h"
#include "platform/current_platform.h"

namespace kit {
namespace {

// The registry string write under HKEY_LOCAL_MACHINE: creates the key on the
// way and raises EIRCannotWriteValue.
void WriteHelpString(const std::string& key, const std::string& name, const std::string& value) {
  auto k = CurrentPlatform().Reg().Open(RegRoot::kLocalMachine, key, RegAccess::kAll, true);
  if (!k || !k->Set(name, RegValue::String(value))) throw EIRCannotWriteValue(key, name, value);
}

}  // namespace

void RegisterHelpFile(const std::string& dest_dir, const std::string& dest_name) {
  WriteHelpString(helpfile::kKey, AnsiUpperCase(dest_name), dest_dir);
}

}  // namespace kit
