// The loading program shipped as setup.exe: takes the installer and its
// presetup files out of "setup.1" beside it (or out of the part of itself
// that its extraction trailer names) into a fresh temporary directory,
// runs the installer there and waits for it, then removes the directory.
// Its own switches (/SILENT, /VERYSILENT, /LOG=FILE) reach the installer
// through the environment, never among the installer's parameters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/unattended.h"

namespace kit {

class Platform;

class LoadProgram {
 public:
  explicit LoadProgram(Platform& platform) : platform_(platform) {}
  // Reads the switches from the program's arguments; raises Exception
  // naming an unknown switch, or a log file that is not an absolute path
  // or cannot be written.
  void ReadSwitches();
  const UnattendedOptions& Options() const { return options_; }
  // The installer's exit code; raises Exception with a message for the user.
  uint32_t Run();

 private:
  void FindArchive();
  void MakeTempDir();
  std::string Extract();
  void RemoveTempDir();

  Platform& platform_;
  std::string exe_, exe_dir_;  // exe_dir_ without a trailing backslash
  std::string archive_;
  int32_t offset_ = 0;
  bool self_extracting_ = false;
  std::string temp_dir_;
  UnattendedOptions options_;
};

}  // namespace kit
