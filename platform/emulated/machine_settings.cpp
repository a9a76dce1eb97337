#include "platform/emulated/machine_settings.h"

#include <cstdio>
#include <cstdlib>

#include "platform/emulated/host_ini.h"
#include "platform/emulated/win_path.h"

namespace kit {

namespace {

struct Preset {
  const char* name;
  uint32_t major, minor, build, platform_id;
  const char* csd;
  const char* windows;
  const char* system;
  const char* temp;
};

const Preset kPresets[] = {
    {"win32s", 3, 10, 0, platformid::kWin32s, "", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM",
     "C:\\WINDOWS\\TEMP"},
    {"95", 4, 0, 950, platformid::kWindows, "", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM",
     "C:\\WINDOWS\\TEMP"},
    {"98", 4, 10, 1998, platformid::kWindows, "", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM",
     "C:\\WINDOWS\\TEMP"},
    {"nt351", 3, 51, 1057, platformid::kNT, "Service Pack 5", "C:\\WINNT",
     "C:\\WINNT\\SYSTEM32", "C:\\TEMP"},
    {"nt4", 4, 0, 1381, platformid::kNT, "Service Pack 6", "C:\\WINNT", "C:\\WINNT\\SYSTEM32",
     "C:\\TEMP"},
    {"2000", 5, 0, 2195, platformid::kNT, "Service Pack 4", "C:\\WINNT", "C:\\WINNT\\SYSTEM32",
     "C:\\WINNT\\TEMP"},
    {"xp", 5, 1, 2600, platformid::kNT, "Service Pack 3", "C:\\WINDOWS",
     "C:\\WINDOWS\\SYSTEM32", "C:\\WINDOWS\\TEMP"},
};

bool ParseUint(const std::string& s, int base, uint64_t* out) {
  if (s.empty()) return false;
  char* end = nullptr;
  unsigned long long v = std::strtoull(s.c_str(), &end, base);
  if (*end != 0) return false;
  *out = v;
  return true;
}

}  // namespace

bool MachineSettings::ForVersion(const std::string& name, MachineSettings* out) {
  for (const auto& p : kPresets) {
    if (!emu::EqualNoCase(name, p.name)) continue;
    MachineSettings s;
    s.version.major = p.major;
    s.version.minor = p.minor;
    s.version.build = p.build;
    s.version.platform_id = p.platform_id;
    s.version.csd = p.csd;
    s.windows_dir = p.windows;
    s.system_dir = p.system;
    s.temp_dir = p.temp;
    s.drives = {{'A', 1457664}, {'C', 2147483648ull}};
    *out = s;
    return true;
  }
  return false;
}

MachineSettings MachineSettings::Default() {
  MachineSettings s;
  ForVersion("xp", &s);
  return s;
}

void MachineSettings::SetCodePage(uint32_t ansi) {
  ansi_code_page = ansi;
  switch (ansi) {
    case 874: oem_code_page = 874; break;
    case 932: case 936: case 949: case 950: oem_code_page = ansi; break;
    case 1250: oem_code_page = 852; break;
    case 1251: oem_code_page = 866; break;
    case 1252: oem_code_page = (language == 0x0409) ? 437 : 850; break;
    case 1253: oem_code_page = 737; break;
    case 1254: oem_code_page = 857; break;
    case 1255: oem_code_page = 862; break;
    case 1256: oem_code_page = 720; break;
    case 1257: oem_code_page = 775; break;
    default: oem_code_page = 437; break;
  }
}

const DriveSetting* MachineSettings::Drive(char letter) const {
  letter = emu::UpperChar(letter);
  for (const auto& d : drives)
    if (d.letter == letter) return &d;
  return nullptr;
}

void MachineSettings::Store(emu::HostIni* ini) const {
  ini->Set("Version", "Major", std::to_string(version.major));
  ini->Set("Version", "Minor", std::to_string(version.minor));
  ini->Set("Version", "Build", std::to_string(version.build));
  ini->Set("Version", "PlatformId", std::to_string(version.platform_id));
  ini->Set("Version", "CSD", version.csd);
  char lang[8];
  std::snprintf(lang, sizeof lang, "%04X", language);
  ini->Set("Locale", "Language", lang);
  ini->Set("Locale", "AnsiCodePage", std::to_string(ansi_code_page));
  ini->Set("Locale", "OemCodePage", std::to_string(oem_code_page));
  ini->Set("Directories", "Windows", windows_dir);
  ini->Set("Directories", "System", system_dir);
  ini->Set("Directories", "Temp", temp_dir);
  for (const auto& d : drives) ini->Set("Drives", std::string(1, d.letter), std::to_string(d.capacity));
}

bool MachineSettings::Parse(const emu::HostIni& ini, MachineSettings* out, std::string* error) {
  MachineSettings s;
  auto num = [&](const char* section, const char* key, int base, uint64_t max,
                 uint64_t* v) -> bool {
    auto text = ini.Get(section, key);
    if (!text) {
      *error = std::string("machine.ini: [") + section + "] " + key + " is missing";
      return false;
    }
    if (!ParseUint(*text, base, v) || *v > max) {
      *error = std::string("machine.ini: [") + section + "] " + key + "=" + *text +
               " is not a valid number";
      return false;
    }
    return true;
  };
  uint64_t v;
  if (!num("Version", "Major", 10, 0xFFFFFFFF, &v)) return false;
  s.version.major = static_cast<uint32_t>(v);
  if (!num("Version", "Minor", 10, 0xFFFFFFFF, &v)) return false;
  s.version.minor = static_cast<uint32_t>(v);
  if (!num("Version", "Build", 10, 0xFFFFFFFF, &v)) return false;
  s.version.build = static_cast<uint32_t>(v);
  if (!num("Version", "PlatformId", 10, 0xFFFFFFFF, &v)) return false;
  s.version.platform_id = static_cast<uint32_t>(v);
  s.version.csd = ini.Get("Version", "CSD", "");
  if (!num("Locale", "Language", 16, 0xFFFF, &v)) return false;
  s.language = static_cast<uint16_t>(v);
  if (!num("Locale", "AnsiCodePage", 10, 65535, &v)) return false;
  s.ansi_code_page = static_cast<uint32_t>(v);
  if (!num("Locale", "OemCodePage", 10, 65535, &v)) return false;
  s.oem_code_page = static_cast<uint32_t>(v);
  for (const char* key : {"Windows", "System", "Temp"}) {
    auto text = ini.Get("Directories", key);
    emu::WinPath p;
    if (!text || text->size() < 3 || emu::ParseWinPath(*text, "C:\\", &p) != 0 ||
        (*text)[1] != ':') {
      *error = std::string("machine.ini: [Directories] ") + key +
               " must be an absolute Windows path";
      return false;
    }
    std::string dir = p.Text();
    if (std::string(key) == "Windows") s.windows_dir = dir;
    else if (std::string(key) == "System") s.system_dir = dir;
    else s.temp_dir = dir;
  }
  if (const auto* drives = ini.Find("Drives")) {
    for (const auto& [k, val] : drives->entries) {
      char letter = k.size() == 1 ? emu::UpperChar(k[0]) : 0;
      uint64_t cap;
      if (letter < 'A' || letter > 'Z' || !ParseUint(val, 10, &cap)) {
        *error = "machine.ini: [Drives] " + k + "=" + val +
                 " must be a drive letter and a capacity in bytes";
        return false;
      }
      s.drives.push_back({letter, cap});
    }
  }
  if (!s.Drive('C')) {
    *error = "machine.ini: [Drives] has no drive C";
    return false;
  }
  *out = s;
  return true;
}

}  // namespace kit
