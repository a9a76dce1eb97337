// The registry of the emulated machine: a tree per persisted root, kept in
// registry.reg (REGEDIT4) and rewritten atomically after every change. The
// file is read again whenever another process has replaced it.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/emulated/regedit4.h"
#include "platform/platform.h"

namespace kit {

class EmulatedMachine;

class EmulatedRegistry : public Registry {
 public:
  explicit EmulatedRegistry(EmulatedMachine& machine);

  // Reads registry.reg; a malformed file fails with the file, line and
  // what is wrong.
  bool Load(std::string* error);
  // Writes the whole registry now.
  bool Save(std::string* error);

  std::unique_ptr<RegKey> Open(RegRoot root, const std::string& path, RegAccess access,
                               bool create) override;

  // The REGEDIT4 text of everything, or of one key by its full name.
  bool Export(const std::string& key, std::string* text, std::string* error);

  // Used by the key handles.
  struct Location {
    emu::RegNode* base = nullptr;           // null: the root does not exist here
    std::vector<std::string> parts;    // below base
    bool read_only = false;
  };
  uint32_t Locate(RegRoot root, const std::string& path, Location* out);
  emu::RegNode* Find(const Location& loc);
  bool Changed();  // saves after a change; false (kWriteFault) when it cannot
  bool Refresh();  // re-reads the file when another process replaced it
  EmulatedMachine& machine() { return machine_; }

 private:
  std::string File() const;

  EmulatedMachine& machine_;
  emu::RegTrees trees_;
  emu::RegNode dyn_data_{"HKEY_DYN_DATA", {}, {}};
  // Identity of the file as last read or written.
  ino_t ino_ = 0;
  off_t size_ = -1;
  long mtime_ns_ = 0;
  time_t mtime_ = 0;
  void Remember();
};

}  // namespace kit
