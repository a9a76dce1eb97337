// A small INI document kept in a host file: the machine's own settings
// (machine.ini) and the outcomes a test sets (outcomes.ini). Sections and
// keys are compared without regard to case and keep their order; saving is
// atomic (temporary file, then rename).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kit::emu {

class HostIni {
 public:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
  };

  // A missing file loads as empty; false (with a message naming the file and
  // line) only when it cannot be read or a line is malformed.
  bool Load(const std::string& host_file, std::string* error);
  bool Save(const std::string& host_file, std::string* error) const;

  std::optional<std::string> Get(const std::string& section, const std::string& key) const;
  std::string Get(const std::string& section, const std::string& key,
                  const std::string& def) const;
  void Set(const std::string& section, const std::string& key, const std::string& value);
  void Remove(const std::string& section, const std::string& key);
  const Section* Find(const std::string& section) const;
  const std::vector<Section>& Sections() const { return sections_; }

 private:
  std::vector<Section> sections_;
};

// Writes `data` to `host_file` through a temporary file and a rename.
bool WriteFileAtomic(const std::string& host_file, const std::string& data, std::string* error);
// The same, with the data and the rename flushed to the disk before it returns.
bool WriteFileDurable(const std::string& host_file, const std::string& data, std::string* error);
// Reads a whole host file; false when it cannot be opened.
bool ReadHostFile(const std::string& host_file, std::string* data);

}  // namespace kit::emu
