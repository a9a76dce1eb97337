// The Windows platform class of the running machine: 0 Win32s, 1 Windows 95
// family, 2 Windows NT other than 3.5x, 3 Windows NT 3.5x, 4 any other.
#pragma once

namespace kit {

namespace platform_class {
constexpr int kWin32s = 0;
constexpr int kWindows95 = 1;
constexpr int kWindowsNT = 2;
constexpr int kWindowsNT35 = 3;
constexpr int kOther = 4;
}  // namespace platform_class

// Of the current platform; raises a plain Exception "Could not get
// information about the current version of Windows" when the version
// cannot be read.
int CurrentPlatformClass();

}  // namespace kit
