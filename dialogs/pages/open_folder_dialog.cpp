#include "dialogs/pages/open_folder_dialog.h"

#include <utility>

namespace kit {
namespace {
TOpenFolderDialog::Script& ScriptSlot() {
  static TOpenFolderDialog::Script script;
  return script;
}
}  // namespace

void TOpenFolderDialog::SetScript(Script script) { ScriptSlot() = std::move(script); }

bool TOpenFolderDialog::Execute() {
  if (ScriptSlot()) {
    std::optional<std::string> picked = ScriptSlot()();
    if (!picked) return false;
    path_ = *picked;
    return true;
  }
  return Browse();
}

}  // namespace kit
