// Set when a file could only be scheduled for replacement at the next start
// of Windows; the driver reboots at the end of the run when it is set.
#pragma once

namespace kit {

bool RebootNeeded();
void SetRebootNeeded(bool needed);

}  // namespace kit
