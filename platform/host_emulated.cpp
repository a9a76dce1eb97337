// OpenHostPlatform for native programs: the emulated machine named by
// KIT_MACHINE, as the process KIT_EXE_PATH names.
#include <cstdlib>

#include "platform/emulated/emulated_machine.h"
#include "platform/host.h"

namespace kit {

std::unique_ptr<Platform> OpenHostPlatform(int argc, char** argv, std::string* error) {
  const char* dir = std::getenv("KIT_MACHINE");
  if (!dir || !*dir) {
    *error = "KIT_MACHINE is not set: it must name the directory of an emulated machine "
             "(start the program with `kitvm run DIR PROGRAM`)";
    return nullptr;
  }
  std::string why;
  auto machine = EmulatedMachine::Open(dir, &why);
  if (!machine) {
    *error = "KIT_MACHINE=" + std::string(dir) + ": " + why;
    return nullptr;
  }
  const char* exe = std::getenv("KIT_EXE_PATH");
  std::string exe_path;
  if (exe && *exe) {
    exe_path = exe;
  } else {
    // Without a path inside the machine the program stands in the Windows folder.
    std::string name = argc > 0 && argv[0] ? argv[0] : "PROGRAM.EXE";
    name = name.substr(name.find_last_of('/') + 1);
    exe_path = machine->Settings().windows_dir + "\\" + name;
  }
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  machine->SetProcess(exe_path, args);
  return machine;
}

}  // namespace kit
