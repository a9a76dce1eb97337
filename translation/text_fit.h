// Keeps a translated text whole and readable when it is longer than the text
// the control was laid out for: a label grows to the right as far as its
// parent allows (an auto-sized one) or wraps within its width and grows
// downwards, a button grows to the left (its right edge stays, as buttons
// stand right-aligned). Sizes are estimated from the font's character
// height, as the widget layer does not measure text.
#pragma once

#include <string>

namespace kit {

class TControl;

// The estimated width in pixels of `text` in the control's font.
int EstimatedTextWidth(const TControl& control, const std::string& text);
// Call after the caption changed from `previous`.
void FitTranslatedText(TControl& control, const std::string& previous);

}  // namespace kit
