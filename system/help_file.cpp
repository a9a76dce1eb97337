#include "system/help_file.h"

#include "base/text.h"
#include "system/registry_routines.h"

namespace kit {

void RegisterHelpFile(const std::string& dest_dir, const std::string& dest_name) {
  WriteRegistryString(rootcode::kLocalMachine, helpfile::kKey, AnsiUpperCase(dest_name), dest_dir);
}

}  // namespace kit
