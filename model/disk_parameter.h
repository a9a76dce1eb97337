// The disk asked for by a disk change: created by the install file for each
// change, handed to the handlers and dialogs, which may change Path.
#pragma once

#include <cstdint>
#include <string>

#include "model/parameter_object.h"

namespace kit {

class TDiskParameter : public TParameterObject {
 public:
  TDiskParameter() = default;
  TDiskParameter(int32_t disk_number, std::string path)
      : disk_number_(disk_number), path_(std::move(path)) {}

  int32_t DiskNumber() const { return disk_number_; }
  void SetDiskNumber(int32_t n) { disk_number_ = n; }
  // The directory where that disk's archive volume is expected.
  const std::string& Path() const { return path_; }
  void SetPath(std::string path) { path_ = std::move(path); }

 private:
  int32_t disk_number_ = 0;
  std::string path_;
};

}  // namespace kit
