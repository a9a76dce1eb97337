// Without a script nobody is there to pick a folder: the browser is
// cancelled.
#include "dialogs/pages/open_folder_dialog.h"

namespace kit {

bool TOpenFolderDialog::Browse() { return false; }

}  // namespace kit
