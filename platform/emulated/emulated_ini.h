// INI files of the emulated machine, read and written through its file
// system (so sharing, read-only files and full disks apply), with the
// profile routines' rules: sections and keys compared without regard to
// case, a file name without a path lives in the Windows directory, other
// lines and comments kept. A changed file is written beside the old one and
// then put in its place, so a failed write loses nothing.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace kit {

class EmulatedMachine;

class EmulatedIni : public IniFiles {
 public:
  explicit EmulatedIni(EmulatedMachine& machine) : machine_(machine) {}

  std::string Read(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& def) override;
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override;
  bool DeleteKey(const std::string& file, const std::string& section,
                 const std::string& key) override;
  std::vector<std::string> ReadSection(const std::string& file,
                                       const std::string& section) override;
  bool EraseSection(const std::string& file, const std::string& section) override;

  // The Windows path an INI file name stands for.
  std::string PathOf(const std::string& file);

 private:
  bool Load(const std::string& path, std::vector<std::string>* lines, bool* exists);
  bool Store(const std::string& path, const std::vector<std::string>& lines);

  EmulatedMachine& machine_;
};

}  // namespace kit
