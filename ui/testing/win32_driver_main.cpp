// windriver: drives another program's windows from scripts.
//   windriver list CAPTION [TIMEOUT_MS]      the controls of the window
//   windriver press CAPTION TEXT             press a button or tick a box
//   windriver type CAPTION INDEX TEXT        set the text of the INDEX-th edit (from 0)
//   windriver wait CAPTION TIMEOUT_MS        wait for the window to appear
//   windriver gone CAPTION TIMEOUT_MS        wait for it to go
// Exit code 0 on success, 1 when the window or control is not there, 2 on
// a wrong command line.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/testing/win32_driver.h"

using kit::testing::Win32Driver;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: windriver list|press|type|wait|gone CAPTION [ARGS]\n");
    return 2;
  }
  const std::string cmd = argv[1], caption = argv[2];
  const int timeout = argc > 3 ? std::atoi(argv[3]) : 0;
  if (cmd == "wait") return Win32Driver::FindWindowByCaption(caption, timeout) != nullptr ? 0 : 1;
  if (cmd == "gone") return Win32Driver::WaitGone(caption, timeout) ? 0 : 1;
  HWND top = Win32Driver::FindWindowByCaption(caption, cmd == "list" ? timeout : 2000);
  if (top == nullptr) {
    std::fprintf(stderr, "windriver: no window \"%s\"\n", caption.c_str());
    return 1;
  }
  if (cmd == "list") {
    std::fputs(Win32Driver::Describe(Win32Driver::Controls(top)).c_str(), stdout);
    return 0;
  }
  if (cmd == "press" && argc == 4) {
    if (Win32Driver::Press(top, argv[3])) return 0;
    std::fprintf(stderr, "windriver: no control \"%s\" in \"%s\"\n", argv[3], caption.c_str());
    return 1;
  }
  if (cmd == "type" && argc == 5) {
    int index = std::atoi(argv[3]);
    for (const auto& w : Win32Driver::Controls(top)) {
      if (_stricmp(w.class_name.c_str(), "EDIT") == 0 && index-- == 0)
        return Win32Driver::Type(w.hwnd, argv[4]) ? 0 : 1;
    }
    std::fprintf(stderr, "windriver: no edit %s in \"%s\"\n", argv[3], caption.c_str());
    return 1;
  }
  std::fprintf(stderr, "windriver: wrong command line\n");
  return 2;
}
