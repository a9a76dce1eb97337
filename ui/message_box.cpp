#include "ui/message_box.h"

#include "base/setup_log.h"
#include "base/unattended.h"
#include "ui/application.h"

namespace kit {

int ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
  // Unattended, nobody answers: the box's default button is taken unseen.
  const bool unattended = Unattended::Active();
  const int answer =
      unattended ? DefaultMessageBoxAnswer(flags) : Application().Backend().AskMessageBox(text, caption, flags);
  if (SetupLog::Active())
    SetupLog::Write("message", (caption.empty() ? std::string() : "[" + caption + "] ") + text + " -> " +
                                   MessageBoxButtonName(answer) + (unattended ? " (default)" : ""));
  return answer;
}

int MessageBoxButtons(uint32_t flags, int* ids) {
  switch (flags & mb::kButtonMask) {
    case mb::kOkCancel:
      ids[0] = id::kOk, ids[1] = id::kCancel;
      return 2;
    case mb::kAbortRetryIgnore:
      ids[0] = id::kAbort, ids[1] = id::kRetry, ids[2] = id::kIgnore;
      return 3;
    case mb::kYesNoCancel:
      ids[0] = id::kYes, ids[1] = id::kNo, ids[2] = id::kCancel;
      return 3;
    case mb::kYesNo:
      ids[0] = id::kYes, ids[1] = id::kNo;
      return 2;
    case mb::kRetryCancel:
      ids[0] = id::kRetry, ids[1] = id::kCancel;
      return 2;
    default:
      ids[0] = id::kOk;
      return 1;
  }
}

int DefaultMessageBoxAnswer(uint32_t flags) {
  int ids[3];
  const int n = MessageBoxButtons(flags, ids);
  const int wanted = static_cast<int>((flags & mb::kDefButtonMask) >> 8);
  // A default button beyond the last one falls back to the first, as Windows does.
  return ids[wanted < n ? wanted : 0];
}

const char* MessageBoxButtonName(int button) {
  switch (button) {
    case id::kOk: return "OK";
    case id::kCancel: return "Cancel";
    case id::kAbort: return "Abort";
    case id::kRetry: return "Retry";
    case id::kIgnore: return "Ignore";
    case id::kYes: return "Yes";
    case id::kNo: return "No";
    default: return "?";
  }
}

}  // namespace kit
