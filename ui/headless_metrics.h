// How the headless backend measures text and resolves system colours: a
// fixed, font-size driven model so that sizes are the same on every machine.
// A character is about 6/10 of the font's pixel height wide (one more when
// bold), a line 13/10 of it high.
#pragma once

#include <string>

#include "ui/font.h"
#include "ui/paint_surface.h"

namespace kit {

// The size of the text (lines split at LF, a CR before it ignored). With
// wrap_width > 0 lines are broken between words to fit that width where
// they can.
TextSize HeadlessTextSize(const TFont& font, const std::string& text, int wrap_width = 0);

// The RGB value (0x00BBGGRR) of a colour; system colours as a classic
// Windows scheme shows them.
TColor HeadlessRgb(TColor color);

}  // namespace kit
