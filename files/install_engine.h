// The archive engine shared by every install file of the process. Each
// file's step sets the engine's settings and handlers for itself before it
// starts the engine; they stay set afterwards.
#pragma once

#include "archive/kbln_compress.h"

namespace kit {

// The engine on the current platform's file system, with the message pump
// of the application (TApplication::KeepResponsive), its message boxes and
// the platform's last error. A new engine is made when the current platform
// has changed since the last call.
TKblnCompress& InstallEngine();

// The component whose handlers the engine holds. A step claims the engine
// when it sets its handlers; a component that goes away releases it, which
// clears the handlers if they are still its own.
void ClaimInstallEngineHandlers(const void* owner);
void ReleaseInstallEngineHandlers(const void* owner);

// Frees the shared engine (tests that end a machine's life).
void ResetInstallEngine();

}  // namespace kit
