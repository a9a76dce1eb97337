// Unattended runs: the mode the loading program hands to the installer
// through the environment (never through the installer's own parameters),
// the answers taken in place of a person, and the outcome the program
// returns as its exit code.
#pragma once

#include <string>
#include <vector>

namespace kit {

enum class UnattendedMode { kOff, kSilent, kVerySilent };

namespace unattended {
// "silent" or "verysilent"; anything else (or nothing) is an attended run.
inline constexpr const char* kModeVariable = "KOBBELIN_SETUP_MODE";
// The diagnostic log's path; may be given without the silent mode.
inline constexpr const char* kLogVariable = "KOBBELIN_SETUP_LOG";
// The uninstaller's answer to the shared-file question: "remove" removes
// shared files no program uses any more; anything else keeps them.
inline constexpr const char* kSharedVariable = "KOBBELIN_SETUP_SHARED";
// An unattended run that leaves work for the restart keeps its mode and log
// here (values "Mode" and "Log") for the run after it ("*ABOOT"), which the
// Startup link starts without the environment. Written only by unattended
// runs; removed by that run.
inline constexpr const char* kRestartKey = "\\SOFTWARE\\KOBBELINUNATTENDED";
}  // namespace unattended

// Exit codes of an unattended run (the Windows Installer's, known to
// deployment tools).
namespace exitcode {
constexpr int kGood = 0;
constexpr int kCancelled = 1602;
constexpr int kFailed = 1603;
constexpr int kRebootNeeded = 3010;
}  // namespace exitcode

// The switches of the loading program and the uninstaller.
struct UnattendedOptions {
  UnattendedMode mode = UnattendedMode::kOff;
  std::string log_file;
  bool remove_shared = false;
};

class Registry;

class Unattended {
 public:
  static UnattendedMode Mode() { return mode_; }
  static void SetMode(UnattendedMode mode) { mode_ = mode; }
  static bool Active() { return mode_ != UnattendedMode::kOff; }
  static bool RemoveShared() { return remove_shared_; }
  static void SetRemoveShared(bool v) { remove_shared_ = v; }

  // Takes the leading switches /SILENT, /VERYSILENT, /LOG=FILE and
  // /REMOVESHARED (any case) off `args`. Raises Exception naming an unknown
  // switch or a /LOG without a file when `strict`; otherwise stops at the
  // first argument that is not one of them.
  static UnattendedOptions TakeSwitches(std::vector<std::string>* args, bool strict);

  // The process environment: read by the installer and the uninstaller,
  // set by the loading program for the installer it starts. Setting clears
  // the variables of an attended run, so nothing is inherited from outside.
  static UnattendedOptions ReadEnvironment();
  static void WriteEnvironment(const UnattendedOptions& options);

  // The restart key (HKEY_LOCAL_MACHINE): kept for the run after the
  // restart, read by it when its environment names no mode, and removed.
  // Keeping raises Exception naming the key when it cannot be written.
  static void KeepForRestart(Registry& reg, const UnattendedOptions& options);
  static UnattendedOptions ReadRestart(Registry& reg);
  static void ForgetRestart(Registry& reg);

  // The outcome of the run, the first one recorded wins; kGood when none.
  static void RecordOutcome(int exit_code, const std::string& message);
  static int ExitCode() { return exit_code_; }
  static bool OutcomeRecorded() { return recorded_; }
  // Back to an attended run with no outcome (tests).
  static void Reset();

 private:
  static UnattendedMode mode_;
  static bool remove_shared_;
  static int exit_code_;
  static bool recorded_;
};

const char* UnattendedModeName(UnattendedMode mode);

}  // namespace kit
