// The shell's folder browser.
#include <windows.h>
#include <shlobj.h>

#include "dialogs/pages/open_folder_dialog.h"

namespace kit {

bool TOpenFolderDialog::Browse() {
  char buffer[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = GetActiveWindow();
  info.pidlRoot = nullptr;
  info.pszDisplayName = buffer;
  info.lpszTitle = nullptr;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST items = SHBrowseForFolderA(&info);
  if (items == nullptr) return false;
  const bool ok = SHGetPathFromIDListA(items, buffer) != FALSE;
  CoTaskMemFree(items);
  // A pick that is no file-system folder leaves the path as it was.
  if (!ok) return false;
  path_ = buffer;
  return true;
}

}  // namespace kit
