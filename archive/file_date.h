// File dates of archive members: the header keeps a day count, the file
// system a DOS date and time. Unlike the plain runtime conversions these never
// fail: a DOS value with impossible fields is read with each field held to its
// range, and a day count outside the DOS years 1980..2107 (or not a number) is
// written as the nearest end of that range, so an odd date never stops an
// extraction.
#pragma once

#include <cstdint>

namespace kit {

double DosToFileDate(uint32_t dos);
uint32_t FileDateToDos(double file_date);

}  // namespace kit
