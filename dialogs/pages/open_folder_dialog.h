// TOpenFolderDialog: the folder browser of the change-disk prompt. On
// win32 the shell's folder browser (file-system folders only, the whole
// name space, owned by the active window); natively a headless equivalent
// answered by a script, or cancelled when none is set.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace kit {

class TOpenFolderDialog {
 public:
  // True when the user picked a folder; Path() is then that folder.
  bool Execute();
  const std::string& Path() const { return path_; }

  // What the browser answers instead of a person (tests; natively also the
  // only answer): a folder, or nothing for a cancel. Empty: the real
  // browser on win32, a cancel natively.
  using Script = std::function<std::optional<std::string>()>;
  static void SetScript(Script script);

 private:
  // The platform's own browser.
  bool Browse();
  std::string path_;
};

}  // namespace kit
