// The registry tree of the emulated machine and its REGEDIT4 text form:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Tavrix]
//   @="default value"
//   "Path"="C:\\TAVWIN"                 REG_SZ; \\ and \" are the escapes
//   "Count"=dword:0000000a              REG_DWORD
//   "Data"=hex:01,02,ff                 REG_BINARY
//   "List"=hex(7):61,00,62,00,00        REG_MULTI_SZ (other types: hex(N):)
//   "Exp"=hex(2):25,57,49,4e,25,00      REG_EXPAND_SZ
//
// Long hex lists continue on the next line after a trailing backslash.
// Strings are the machine's ANSI bytes, written unchanged. Every key has its
// own section, so empty keys survive; keys and values keep creation order.
// Reading also accepts [-KEY] (delete a key) and "name"=- (delete a value).
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace kit::emu {

struct RegNode {
  std::string name;
  std::vector<std::unique_ptr<RegNode>> subkeys;
  std::vector<std::pair<std::string, RegValue>> values;

  RegNode* Child(const std::string& name) const;
  RegNode* AddChild(const std::string& name);  // the existing one if present
  bool RemoveChild(const std::string& name);
  const RegValue* Value(const std::string& name) const;
  void SetValue(const std::string& name, const RegValue& value);
  bool RemoveValue(const std::string& name);
  std::unique_ptr<RegNode> Clone() const;
};

// The persisted roots.
struct RegTrees {
  RegNode local_machine{"HKEY_LOCAL_MACHINE", {}, {}};
  RegNode current_user{"HKEY_CURRENT_USER", {}, {}};
  RegNode users{"HKEY_USERS", {}, {}};
};

// Parses REGEDIT4 text. False with "line N: what is wrong" in *error.
// HKEY_CLASSES_ROOT and HKEY_CURRENT_CONFIG sections are stored below
// HKEY_LOCAL_MACHINE (their aliases).
bool ParseRegedit4(const std::string& text, RegTrees* trees, std::string* error);

// The REGEDIT4 text of a whole tree set, or of one key (with everything
// below it) named by its full path ("HKEY_LOCAL_MACHINE\SOFTWARE").
std::string WriteRegedit4(const RegTrees& trees);
void WriteRegedit4Key(const RegNode& node, const std::string& full_name, std::string* out);

// The root alias prefixes below HKEY_LOCAL_MACHINE.
extern const char kClassesRootAlias[];   // "SOFTWARE\Classes"
extern const char kCurrentConfigAlias[]; // "SYSTEM\CurrentControlSet\Hardware Profiles\Current"

}  // namespace kit::emu
