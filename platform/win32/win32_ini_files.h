// INI files through the profile functions of kernel32.
#pragma once

#include "platform/platform.h"

namespace kit {

class Win32IniFiles : public IniFiles {
 public:
  // Failures leave their error code in *last_error.
  explicit Win32IniFiles(uint32_t* last_error) : err_(last_error) {}
  std::string Read(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& def) override;
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override;
  bool DeleteKey(const std::string& file, const std::string& section,
                 const std::string& key) override;
  std::vector<std::string> ReadSection(const std::string& file,
                                       const std::string& section) override;
  bool EraseSection(const std::string& file, const std::string& section) override;

 private:
  uint32_t* err_;
};

}  // namespace kit
