// The settings of one emulated machine, kept in its machine.ini:
//
//   [Version]      Major, Minor, Build, PlatformId, CSD
//   [Locale]       Language (hex, "0409"), AnsiCodePage, OemCodePage
//   [Directories]  Windows, System, Temp (Windows paths)
//   [Drives]       one entry per drive letter: its capacity in bytes
//                  ("C=2147483648"); a drive whose folder drives/<letter>
//                  is missing has no medium (a floppy drive without disk)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kit::emu {
class HostIni;
}

namespace kit {

struct DriveSetting {
  char letter = 'C';
  uint64_t capacity = 0;
};

struct MachineSettings {
  OsVersion version;
  uint16_t language = 0x0409;
  uint32_t ansi_code_page = 1252;
  uint32_t oem_code_page = 437;
  std::string windows_dir;
  std::string system_dir;
  std::string temp_dir;
  std::vector<DriveSetting> drives;

  // A machine of the named Windows version: "95", "98", "nt351", "nt4",
  // "2000", "xp", "win32s". False for an unknown name.
  static bool ForVersion(const std::string& name, MachineSettings* out);
  // The default machine (Windows XP, US English, code page 1252).
  static MachineSettings Default();
  // Sets the ANSI code page and the OEM code page that goes with it.
  void SetCodePage(uint32_t ansi);

  const DriveSetting* Drive(char letter) const;
  bool IsWindowsFamily() const { return version.platform_id == platformid::kWindows; }
  bool IsNT() const { return version.platform_id == platformid::kNT; }

  void Store(emu::HostIni* ini) const;
  // False with a message naming the bad entry.
  static bool Parse(const emu::HostIni& ini, MachineSettings* out, std::string* error);
};

}  // namespace kit
