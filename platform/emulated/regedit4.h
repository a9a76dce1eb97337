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

#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace kit::emu {

// One key: its values and subkeys in creation order, found by name without
// regard to case through an index, so a key of many values costs no more
// per lookup than a small one.
class RegNode {
 public:
  using Entry = std::pair<std::string, RegValue>;

  explicit RegNode(std::string name = {}) : name(std::move(name)) {}
  RegNode(const RegNode&) = delete;
  RegNode& operator=(const RegNode&) = delete;
  RegNode(RegNode&&) = default;
  RegNode& operator=(RegNode&&) = default;

  std::string name;

  RegNode* Child(const std::string& name) const;
  RegNode* AddChild(const std::string& name);  // the existing one if present
  bool RemoveChild(const std::string& name);
  const RegValue* Value(const std::string& name) const;
  void SetValue(const std::string& name, const RegValue& value);  // keeps the name's first case
  bool RemoveValue(const std::string& name);
  void Clear();  // every value and subkey
  const std::list<Entry>& Values() const { return values_; }
  const std::list<std::unique_ptr<RegNode>>& Subkeys() const { return subkeys_; }
  std::unique_ptr<RegNode> Clone() const;

 private:
  std::list<Entry> values_;
  std::unordered_map<std::string, std::list<Entry>::iterator> value_index_;  // by upper case
  std::list<std::unique_ptr<RegNode>> subkeys_;
  std::unordered_map<std::string, std::list<std::unique_ptr<RegNode>>::iterator> subkey_index_;
};

// The persisted roots.
struct RegTrees {
  RegNode local_machine{"HKEY_LOCAL_MACHINE"};
  RegNode current_user{"HKEY_CURRENT_USER"};
  RegNode users{"HKEY_USERS"};
};

// Parses REGEDIT4 text. False with "line N: what is wrong" in *error.
// HKEY_CLASSES_ROOT and HKEY_CURRENT_CONFIG sections are stored below
// HKEY_LOCAL_MACHINE (their aliases).
bool ParseRegedit4(const std::string& text, RegTrees* trees, std::string* error);
// Applies REGEDIT4 lines (without the header) to existing trees: the form of
// one change in the registry's journal. On an error the lines before the
// faulty one have been applied.
bool ApplyRegedit4(const std::string& lines, RegTrees* trees, std::string* error);

// The REGEDIT4 line of one value ("name"=data, @=data), with its CRLF; long
// hex lists continue on further lines.
std::string Regedit4ValueLine(const std::string& name, const RegValue& value);
// @ for the default value, else the quoted name.
std::string Regedit4ValueName(const std::string& name);

// The REGEDIT4 text of a whole tree set, or of one key (with everything
// below it) named by its full path ("HKEY_LOCAL_MACHINE\SOFTWARE").
std::string WriteRegedit4(const RegTrees& trees);
void WriteRegedit4Key(const RegNode& node, const std::string& full_name, std::string* out);

// The root alias prefixes below HKEY_LOCAL_MACHINE.
extern const char kClassesRootAlias[];   // "SOFTWARE\Classes"
extern const char kCurrentConfigAlias[]; // "SYSTEM\CurrentControlSet\Hardware Profiles\Current"

}  // namespace kit::emu
