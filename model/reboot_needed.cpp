#include "model/reboot_needed.h"

namespace kit {
namespace {

bool g_reboot_needed = false;

}  // namespace

bool RebootNeeded() { return g_reboot_needed; }

void SetRebootNeeded(bool needed) { g_reboot_needed = needed; }

}  // namespace kit
