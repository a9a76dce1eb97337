#include "translation/text_fit.h"

#include <algorithm>
#include <cstdlib>

#include "ui/control_parent.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"

namespace kit {
namespace {

constexpr int kButtonPadding = 16;

int CharHeight(const TControl& control) { return std::max(8, std::abs(control.Font().Height())); }

}  // namespace

int EstimatedTextWidth(const TControl& control, const std::string& text) {
  // An average letter is a little over half the character height wide;
  // the accelerator mark takes no room.
  const int letters = static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return c != '&'; }));
  return (letters * CharHeight(control) * 6 + 9) / 10;
}

void FitTranslatedText(TControl& control, const std::string& previous) {
  const std::string& text = control.Caption();
  if (text.size() <= previous.size()) return;
  const int needed = EstimatedTextWidth(control, text);
  if (auto* label = dynamic_cast<TLabel*>(&control)) {
    if (needed <= label->Width()) return;
    if (label->AutoSize() && !label->WordWrap()) {
      // Grows to the right as far as its parent allows, then wraps there.
      const TControlParent* parent = label->Parent();
      const int room = parent ? parent->ClientWidth() - label->Left() : needed;
      label->SetWidth(std::max(label->Width(), std::min(needed, room)));
      if (needed <= label->Width()) return;
    }
    label->SetWordWrap(true);
    const int line_height = CharHeight(control) + CharHeight(control) / 4 + 1;
    const int lines = (needed + label->Width() - 1) / std::max(1, label->Width());
    label->SetHeight(std::max(label->Height(), lines * line_height));
  } else if (auto* button = dynamic_cast<TButton*>(&control)) {
    const int width = needed + kButtonPadding;
    if (width <= button->Width()) return;
    button->SetBounds(button->Left() + button->Width() - width, button->Top(), width, button->Height());
  }
}

}  // namespace kit
