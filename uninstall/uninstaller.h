// The removal engine: reads a product's installation log and removes, in
// their fixed order, the database aliases, ActiveX servers, files, INI
// entries, database-engine use and registry entries it records, then the
// directories that became empty, the log key and the program itself.
//
// The log is input: a logged path that is empty, relative, too long or names
// a directory never deletes anything, and a value of the wrong type or that
// cannot be read is skipped like a missing one. Each "Files" and "ActiveX"
// entry leaves the log as soon as it is handled, so a removal that stops
// part way leaves a log of exactly what is still installed (and counters
// already lowered are never lowered twice by the next run).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/exception.h"
#include "platform/platform.h"
#include "uninstall/removal_view.h"

namespace kit {

// A failure that stops the removal (the log key stays).
KIT_DECLARE_EXCEPTION(EUninstallError, Exception);

class Uninstaller {
 public:
  Uninstaller(Platform& platform, RemovalView& view);

  // Start-up with the program's arguments (without its own path). False,
  // after the message, when there is none: Start then stays disabled.
  bool Start(const std::vector<std::string>& arguments);
  const std::string& ProductName() const { return product_; }
  const std::string& LogKey() const { return log_key_; }
  std::string Caption() const;
  // Whether the product's log key exists (the removal itself never asks).
  bool IsLogged();

  // The whole removal: the single steps below in their order, each ticked
  // off on the view. Raises EUninstallError (or another Exception) when a
  // step fails; the remaining steps are then not run. Returns the final
  // message.
  std::string Remove();

  // The single steps, in order (public for tests).
  void RemoveAliases();
  void RemoveActiveX();
  void RemoveFiles();
  void RemoveIniEntries();
  void RemoveBdeUse();
  void RemoveDirectories();
  bool RemoveRegistryEntries();  // false when an entry caused a problem
  std::string RemoveSelf();

  const std::vector<std::string>& Directories() const { return directories_; }
  // The program file removed last; the running program's own by default.
  void SetSelfPath(std::string path) { self_path_ = std::move(path); }

  // 100 * i / (n - 1), halves to even; 0 when n is 1.
  static int ProgressPercent(int index, int count);

 private:
  enum class Decision { kKeep, kRemove };
  Decision SharedFileDecision(const std::string& path, int32_t default_count);
  void RecordDirectory(const std::string& file_path);
  void RemoveIniSection(const std::string& ini, const std::string& entries_key,
                        const std::string& section);
  void UnregisterServer(const std::string& path, const std::string& style);
  // The text of a log value, or false when it is missing, not a string or
  // too long to be a path.
  bool ReadLogText(RegKey& key, const std::string& name, std::string* text);

  Platform& platform_;
  RemovalView& view_;
  std::string product_;
  std::string log_key_;
  std::vector<std::string> directories_;
  std::string self_path_;
};

// A logged path the removal may act on: absolute (drive or UNC) and not too
// long; the blanks around it do not count.
bool IsUsableLoggedPath(const std::string& path);

}  // namespace kit
