// setup.exe: the loading program of a distribution.
#include <cstdio>
#include <memory>
#include <string>

#include "base/exception.h"
#include "base/setup_log.h"
#include "base/unattended.h"
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
  kit::LoadProgram loader(*platform);
  try {
    loader.ReadSwitches();
  } catch (const kit::Exception& e) {
    Report(e.Message());
    return kit::exitcode::kFailed;
  }
  const bool unattended = loader.Options().mode != kit::UnattendedMode::kOff;
  try {
    return static_cast<int>(loader.Run());
  } catch (const kit::Exception& e) {
    error = e.Message();
  } catch (const std::exception& e) {
    error = e.what();
  }
  // In an unattended run the failure goes to the log, not to a window.
  if (!kit::SetupLog::Active() && !loader.Options().log_file.empty())
    kit::SetupLog::Open(platform->Files(), loader.Options().log_file, nullptr);
  kit::LogStep("error", error);
  if (!unattended) Report(error);
#ifndef _WIN32
  else std::fprintf(stderr, "setup: %s\n", error.c_str());
#endif
  return unattended ? kit::exitcode::kFailed : 1;
}
