#include "base/unattended.h"

#include <cstdlib>

#include "base/exception.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "platform/platform.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kit {

UnattendedMode Unattended::mode_ = UnattendedMode::kOff;
bool Unattended::remove_shared_ = false;
int Unattended::exit_code_ = exitcode::kGood;
bool Unattended::recorded_ = false;

namespace {

std::string GetVariable(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? std::string(v) : std::string();
}

void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
  // The process block for the programs started from here, the runtime's
  // copy for getenv in this one ("NAME=" removes it; the runtime copies the
  // text).
  SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
  _putenv((std::string(name) + "=" + value).c_str());
#else
  if (value.empty())
    unsetenv(name);
  else
    setenv(name, value.c_str(), 1);
#endif
}

}  // namespace

const char* UnattendedModeName(UnattendedMode mode) {
  switch (mode) {
    case UnattendedMode::kSilent: return "silent";
    case UnattendedMode::kVerySilent: return "verysilent";
    case UnattendedMode::kOff: break;
  }
  return "";
}

UnattendedOptions Unattended::TakeSwitches(std::vector<std::string>* args, bool strict) {
  UnattendedOptions o;
  size_t i = 0;
  for (; i < args->size(); ++i) {
    const std::string& a = (*args)[i];
    const std::string upper = UpperCase(a);
    if (upper == "/SILENT" || upper == "-SILENT") {
      if (o.mode == UnattendedMode::kOff) o.mode = UnattendedMode::kSilent;
    } else if (upper == "/VERYSILENT" || upper == "-VERYSILENT") {
      o.mode = UnattendedMode::kVerySilent;
    } else if (upper == "/REMOVESHARED" || upper == "-REMOVESHARED") {
      o.remove_shared = true;
    } else if (upper.rfind("/LOG", 0) == 0 || upper.rfind("-LOG", 0) == 0) {
      if (upper.size() < 6 || upper[4] != '=') {
        if (!strict) break;
        throw Exception("The switch " + a + " needs a file name: /LOG=FILE");
      }
      o.log_file = a.substr(5);
    } else if (strict && !a.empty() && (a[0] == '/' || a[0] == '-')) {
      throw Exception("Unknown switch " + a +
                      ". The switches are /SILENT, /VERYSILENT and /LOG=FILE");
    } else {
      break;
    }
  }
  args->erase(args->begin(), args->begin() + static_cast<std::ptrdiff_t>(i));
  return o;
}

UnattendedOptions Unattended::ReadEnvironment() {
  UnattendedOptions o;
  const std::string mode = LowerCase(GetVariable(unattended::kModeVariable));
  if (mode == "silent") o.mode = UnattendedMode::kSilent;
  if (mode == "verysilent") o.mode = UnattendedMode::kVerySilent;
  o.log_file = GetVariable(unattended::kLogVariable);
  o.remove_shared = LowerCase(GetVariable(unattended::kSharedVariable)) == "remove";
  return o;
}

void Unattended::WriteEnvironment(const UnattendedOptions& options) {
  SetVariable(unattended::kModeVariable, UnattendedModeName(options.mode));
  SetVariable(unattended::kLogVariable, options.log_file);
  SetVariable(unattended::kSharedVariable, options.remove_shared ? "remove" : "");
}

void Unattended::KeepForRestart(Registry& reg, const UnattendedOptions& options) {
  auto key = reg.Open(RegRoot::kLocalMachine, unattended::kRestartKey, RegAccess::kAll, true);
  const std::vector<std::pair<std::string, RegValue>> values = {
      {"Mode", RegValue::String(UnattendedModeName(options.mode))},
      {"Log", RegValue::String(options.log_file)}};
  if (!key || key->SetValues(values) != values.size())
    throw Exception(std::string("Cannot write the registry key HKEY_LOCAL_MACHINE") + unattended::kRestartKey +
                    " that keeps the unattended mode for the run after the restart");
}

UnattendedOptions Unattended::ReadRestart(Registry& reg) {
  UnattendedOptions o;
  auto key = reg.Open(RegRoot::kLocalMachine, unattended::kRestartKey, RegAccess::kRead, false);
  if (!key) return o;
  RegValue value;
  if (key->Query("Mode", &value)) {
    const std::string mode = LowerCase(value.AsString().value_or(""));
    if (mode == "silent") o.mode = UnattendedMode::kSilent;
    if (mode == "verysilent") o.mode = UnattendedMode::kVerySilent;
  }
  if (o.mode != UnattendedMode::kOff && key->Query("Log", &value)) o.log_file = value.AsString().value_or("");
  return o;
}

void Unattended::ForgetRestart(Registry& reg) { reg.DeleteKeyTree(RegRoot::kLocalMachine, unattended::kRestartKey); }

void Unattended::RecordOutcome(int exit_code, const std::string& message) {
  if (recorded_) return;
  recorded_ = true;
  exit_code_ = exit_code;
  LogStep("outcome", std::to_string(exit_code) + (message.empty() ? "" : " " + message));
}

void Unattended::Reset() {
  mode_ = UnattendedMode::kOff;
  remove_shared_ = false;
  exit_code_ = exitcode::kGood;
  recorded_ = false;
}

}  // namespace kit
