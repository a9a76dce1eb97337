// One progress report of an install file: created by the file's status
// handler for each report of the archive engine, passed up through its
// containers, each of which replaces the totals by its own share.
#pragma once

#include <cstdint>
#include <string>

#include "archive/archive_types.h"
#include "model/parameter_object.h"

namespace kit {

class TFileStatusParameter : public TParameterObject {
 public:
  int32_t BytesProcessed = 0;   // bytes of the current file done
  int32_t FilePercentDone = 0;  // 0..100
  std::string FileName;         // the install file's FileName
  TlzhFileStats FileStats;      // the engine's record for this report
  int32_t TotalBytesProcessed = 0;
  int32_t TotalPercentDone = 0;
};

}  // namespace kit
