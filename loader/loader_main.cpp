// setup.exe: the loading program of a distribution.
#include <cstdio>
#include <memory>
#include <string>

#include "base/exception.h"
#include "loader/load_program.h"
#include "platform/host.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

void Report(const std::string& text) {
#ifdef _WIN32
  MessageBoxA(nullptr, text.c_str(), "Setup", MB_OK | MB_ICONSTOP);
#else
  std::fprintf(stderr, "setup: %s\n", text.c_str());
#endif
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  std::unique_ptr<kit::Platform> platform = kit::OpenHostPlatform(argc, argv, &error);
  if (!platform) {
    Report(error);
    return 2;
  }
  try {
    return static_cast<int>(kit::LoadProgram(*platform).Run());
  } catch (const kit::Exception& e) {
    Report(e.Message());
  } catch (const std::exception& e) {
    Report(e.what());
  }
  return 1;
}
