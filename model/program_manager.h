// TProgramManager: the client of Program Manager's DDE command interface.
// One conversation (service and topic "PROGMAN"), opened at the first
// operation and kept until the client is destroyed; group and item commands
// are sent as text, and the current group's data (line 0 the group, then one
// line of comma-separated fields per item) is kept so items can be found.
// Every failure raises an EAIPM error; a command text Program Manager would
// not read as exactly one command (a bracket, quote or comma in a field
// where it ends the field or the command), or one of 256 characters or
// more with its terminator, is refused with the operation's error and never
// sent.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kit {

class TProgramManager {
 public:
  TProgramManager();
  ~TProgramManager();
  TProgramManager(const TProgramManager&) = delete;
  TProgramManager& operator=(const TProgramManager&) = delete;

  // Opens the conversation unless open; raises EAIPMCannotOpen.
  void Connect();
  bool Connected() const { return conversation_ != nullptr; }

  // Requests the group's data (10 s); with no answer no group is current.
  void LoadGroup(const std::string& group);
  // Sends "[CreateGroup("group")]" (also for an existing group), then loads
  // it; when the data cannot be read the group is current with no items.
  // An empty name does nothing.
  void CreateGroup(const std::string& group);
  // With no current group these do nothing. Each shows the current group,
  // sends its command and loads the group again.
  void AddItem(const std::string& command_line, const std::string& item, const std::string& icon_file,
               int icon_index, const std::string& default_dir, const std::string& hot_key);
  void DeleteItem(const std::string& item);
  void ReplaceItem(const std::string& item);

  const std::string& CurrentGroup() const { return group_; }
  const std::vector<std::string>& GroupData() const { return data_; }
  int ItemCount() const;
  // The item number (1 ..) whose name (field 1) equals `item` exactly, or -1.
  int FindItem(const std::string& item) const;
  // Field 1 .. 8 of an item line, its surrounding double quotes removed
  // (twice for fields 1 and 2); empty for item 0 or one past the last.
  std::string ItemField(int item, int field) const;

  // The longest command text, terminator included.
  static constexpr size_t kMaxCommand = 256;
  static constexpr int kAddItemFields = 8;
  // The add-item command text AddItem sends.
  static std::string AddItemText(const std::string& command_line, const std::string& item,
                                 const std::string& icon_file, int icon_index, const std::string& default_dir,
                                 const std::string& hot_key);
  // True when the text fits and Program Manager reads it as exactly one
  // command with `fields` arguments.
  static bool IsSendable(const std::string& text, int fields);

 private:
  // Starts the execute transaction; false when it cannot be started or the
  // text is not one command of `fields` arguments that fits.
  bool Send(const std::string& text, int fields);
  // Shows the current group and sends the item command; false for no group.
  template <class Failure>
  bool ItemCommand(const std::string& text, int fields, const Failure& fail);

  std::unique_ptr<DdeConversation> conversation_;
  std::string group_;
  std::vector<std::string> data_;
};

// The process's one client, made at the first use on the current platform
// (a new one when the platform changes).
TProgramManager& ProgramManager();

}  // namespace kit
