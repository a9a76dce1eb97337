// Running a native (host) program that lies inside an emulated machine, as
// that machine's process: KIT_MACHINE names the machine directory and
// KIT_EXE_PATH the program's Windows path.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kit::emu {

// Splits a command line as the runtime's ParamStr does: blanks separate,
// double quotes group (and are removed), no escapes. Element 0 is the program.
std::vector<std::string> SplitCommandLine(const std::string& command_line);

// True when the host file is an ELF executable.
bool IsElfFile(const std::string& host_path);

// Starts the program and waits for it; while it runs `pump` (if any) is
// called every few milliseconds. *exit_code is its exit status (128 + the
// signal number when a signal ended it). False with *error when it cannot
// start.
bool RunNative(const std::string& host_program, const std::string& machine_dir,
               const std::string& exe_windows_path, const std::vector<std::string>& args,
               const std::function<void()>& pump, int* exit_code, std::string* error);

}  // namespace kit::emu
