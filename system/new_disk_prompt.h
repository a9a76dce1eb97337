// The prompt of TInstallFile's new-disk handler: shown in a
// message box with an information icon and the buttons OK and Cancel when
// neither the file's OnNewDisk handler nor any container handler or
// change-disk dialog answered the disk change; Cancel sets the engine's
// Abort.
#pragma once

#include <cstdint>
#include <string>

namespace kit {

// The prompt's English key is Turkish text, kept in this code page.
constexpr unsigned kNewDiskPromptCodePage = 1254;

// "Lütfen İzleyen Numaralı Disketi Takın : #%d" in code page 1254, passed
// through the translator and filled with the disk number.
std::string NewDiskPromptText(int32_t disk_number);

}  // namespace kit
