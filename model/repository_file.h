// What an object repository entry needs of an install file: where the file
// is installed. TInstallFile implements it with GetDestDir and DestName;
// components named by an entry's IconFile or Ancestor must implement it.
#pragma once

#include <string>

namespace kit {

class RepositoryFile {
 public:
  virtual ~RepositoryFile() = default;
  // The resolved destination directory (GetDestDir).
  virtual std::string InstalledDir() const = 0;
  // The file name at the destination (DestName).
  virtual std::string InstalledName() const = 0;
};

}  // namespace kit
