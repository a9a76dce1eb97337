// The emulated machine's Program Manager: the DDE server of service and
// topic "PROGMAN". It carries out the command texts Program Manager reads
// ("[CreateGroup(...)][AddItem(...)]"), keeps its groups and items in the
// machine folder (progman.txt) so that every process of the machine sees
// them, answers a request for a group with the group's data in Program
// Manager's own line format, and, as the shell does for an item, writes the
// item's link file into the group's folder below the Programs folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kit {

class EmulatedMachine;

class EmulatedProgman : public DdeClient {
 public:
  explicit EmulatedProgman(EmulatedMachine& machine) : machine_(machine) {}
  std::unique_ptr<DdeConversation> Connect(const std::string& service,
                                           const std::string& topic) override;

  struct Item {
    std::string name, command, directory, icon;
    int icon_index = 0;
    int hot_key = 0;
  };
  struct Group {
    std::string name;
    std::vector<Item> items;
  };

  // Carries out one execute text; false when it is not a list of commands
  // in brackets (nothing of it is then done).
  bool Execute(const std::string& text);
  // The group's data: "name",file,count then one line per item; false for
  // a group that does not exist.
  bool GroupData(const std::string& group, std::string* data);
  std::vector<Group> Groups();

 private:
  bool Load(std::vector<Group>* groups);
  bool Save(const std::vector<Group>& groups);
  void WriteItemLink(const std::string& group, const Item& item);
  void RemoveItemLink(const std::string& group, const std::string& item);
  std::string StateFile() const;

  EmulatedMachine& machine_;
  std::string current_;  // the group the commands go to
};

}  // namespace kit
