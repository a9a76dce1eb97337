#include "driver/driver_seams.h"

namespace kit {

TemporaryShellLink::~TemporaryShellLink() = default;

DriverSeams& Seams() {
  static DriverSeams seams;
  return seams;
}

}  // namespace kit
