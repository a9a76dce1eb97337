// Message boxes: one call with a text, a caption and the MessageBox flags,
// answered with the identifier of the button chosen. The numbers are those
// of the Win32 API on both backends.
#pragma once

#include <cstdint>
#include <string>

namespace kit {

namespace mb {
// Buttons (the low four bits).
constexpr uint32_t kOk = 0x0;
constexpr uint32_t kOkCancel = 0x1;
constexpr uint32_t kAbortRetryIgnore = 0x2;
constexpr uint32_t kYesNoCancel = 0x3;
constexpr uint32_t kYesNo = 0x4;
constexpr uint32_t kRetryCancel = 0x5;
constexpr uint32_t kButtonMask = 0xF;
// Icons.
constexpr uint32_t kIconStop = 0x10;
constexpr uint32_t kIconQuestion = 0x20;
constexpr uint32_t kIconExclamation = 0x30;
constexpr uint32_t kIconInformation = 0x40;
constexpr uint32_t kIconMask = 0xF0;
// The button that is the default answer (the first when none is given).
constexpr uint32_t kDefButton1 = 0x000;
constexpr uint32_t kDefButton2 = 0x100;
constexpr uint32_t kDefButton3 = 0x200;
constexpr uint32_t kDefButtonMask = 0xF00;
constexpr uint32_t kApplModal = 0x0000;
constexpr uint32_t kTaskModal = 0x2000;
}  // namespace mb

// Button identifiers a message box answers with.
namespace id {
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kAbort = 3;
constexpr int kRetry = 4;
constexpr int kIgnore = 5;
constexpr int kYes = 6;
constexpr int kNo = 7;
}  // namespace id

// Shows a message box through the application's widget backend and returns
// the button chosen. In an unattended run no box is shown and the default
// button is the answer; with a diagnostic log open, each box and its
// answer are logged.
int ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags);

// The buttons of a flag combination, in the order they are shown.
int MessageBoxButtons(uint32_t flags, int* ids);  // ids: room for 3
// The answer a box gives when nobody chooses: its default button.
int DefaultMessageBoxAnswer(uint32_t flags);
// The button's caption ("OK", "Cancel", ...).
const char* MessageBoxButtonName(int id);

}  // namespace kit
