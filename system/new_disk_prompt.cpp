#include "system/new_disk_prompt.h"

#include "system/translated_format.h"

namespace kit {

std::string NewDiskPromptText(int32_t disk_number) {
  // "Lütfen İzleyen Numaralı Disketi Takın : #%d", code page 1254.
  static const char kPrompt[] = "L\xFC" "tfen \xDDzleyen Numaral\xFD Disketi Tak\xFDn : #%d";
  return TranslatedFormat(kPrompt, {static_cast<int64_t>(disk_number)});
}

}  // namespace kit
