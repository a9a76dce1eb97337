#include "model/program_manager.h"

#include "model/program_manager_errors.h"
#include "platform/current_platform.h"
#include "system/registry_routines.h"

namespace kit {

namespace {

constexpr uint32_t kRequestTimeoutMs = 10000;

// True when Program Manager reads `text` as exactly one command in brackets
// with `fields` arguments: outside double quotes no other bracket,
// parenthesis or comma than those of the command, and the quotes closed.
bool IsOneCommand(const std::string& text, int fields) {
  if (text.size() < 4 || text.front() != '[' || text.compare(text.size() - 2, 2, ")]") != 0) return false;
  bool quoted = false, opened = false;
  int commas = 0;
  for (size_t i = 1; i + 2 < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted || c == '"') continue;
    if (c == '(' && !opened) {
      opened = true;
    } else if (c == ',' && opened) {
      ++commas;
    } else if (c == '[' || c == ']' || c == '(' || c == ')' || c == ',' || c == '\0') {
      return false;
    }
  }
  return opened && !quoted && commas == fields - 1;
}

std::string StripQuotes(std::string s) {
  if (s.size() > 1 && s.front() == '"') s.erase(0, 1);
  if (!s.empty() && s.back() == '"') s.pop_back();
  return s;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace

TProgramManager::TProgramManager() = default;
TProgramManager::~TProgramManager() = default;

void TProgramManager::Connect() {
  if (conversation_) return;
  conversation_ = CurrentPlatform().Dde().Connect("PROGMAN", "PROGMAN");
  if (!conversation_) throw EAIPMCannotOpen();
}

bool TProgramManager::IsSendable(const std::string& text, int fields) {
  return text.size() + 1 <= kMaxCommand && IsOneCommand(text, fields);
}

std::string TProgramManager::AddItemText(const std::string& command_line, const std::string& item,
                                         const std::string& icon_file, int icon_index,
                                         const std::string& default_dir, const std::string& hot_key) {
  return "[AddItem(" + command_line + "," + item + "," + icon_file + "," + std::to_string(icon_index) + "," +
         ",," + default_dir + "," + hot_key + ")]";
}

bool TProgramManager::Send(const std::string& text, int fields) {
  if (!IsSendable(text, fields)) return false;
  return conversation_->Execute(text);
}

void TProgramManager::LoadGroup(const std::string& group) {
  Connect();
  group_.clear();
  data_.clear();
  std::string reply;
  if (!conversation_->Request(group, kRequestTimeoutMs, &reply)) return;
  data_ = SplitLines(reply);
  group_ = group;
}

void TProgramManager::CreateGroup(const std::string& group) {
  Connect();
  if (group.empty()) return;
  if (!Send("[CreateGroup(\"" + group + "\")]", 1)) throw EAIPMCannotCreateGroup(group);
  LoadGroup(group);
  // A Program Manager that answers no data request (the shell's DDE server)
  // still has the group now: it stays current with no known items, so the
  // item commands that follow are sent rather than silently dropped.
  if (group_.empty()) group_ = group;
}

template <class Failure>
bool TProgramManager::ItemCommand(const std::string& text, int fields, const Failure& fail) {
  Connect();
  if (group_.empty()) return false;
  const std::string group = group_;
  if (!Send("[ShowGroup(" + group + "," + "8)]", 2)) throw EAIPMCannotOpenGroup(group);
  if (!Send(text, fields)) fail(group);
  LoadGroup(group);
  return true;
}

void TProgramManager::AddItem(const std::string& command_line, const std::string& item,
                              const std::string& icon_file, int icon_index, const std::string& default_dir,
                              const std::string& hot_key) {
  const std::string text = AddItemText(command_line, item, icon_file, icon_index, default_dir, hot_key);
  ItemCommand(text, kAddItemFields, [&](const std::string& group) { throw EAIPMCannotAddItem(group, item, text); });
}

void TProgramManager::DeleteItem(const std::string& item) {
  ItemCommand("[DeleteItem(\"" + item + "\")]", 1,
              [&](const std::string& group) { throw EAIPMCannotDeleteItem(group, item); });
}

void TProgramManager::ReplaceItem(const std::string& item) {
  ItemCommand("[ReplaceItem(\"" + item + "\")]", 1,
              [&](const std::string& group) { throw EAIPMCannotReplaceItem(group, item); });
}

int TProgramManager::ItemCount() const { return data_.size() < 2 ? 0 : static_cast<int>(data_.size()) - 1; }

int TProgramManager::FindItem(const std::string& item) const {
  for (int i = 1; i <= ItemCount(); ++i)
    if (ItemField(i, 1) == item) return i;
  return -1;
}

std::string TProgramManager::ItemField(int item, int field) const {
  if (item < 1 || item > ItemCount() || field < 1 || field > 8) return {};
  std::string value = StripQuotes(NthField(data_[item], field, ","));
  if (field <= 2) value = StripQuotes(value);
  return value;
}

TProgramManager& ProgramManager() {
  static std::unique_ptr<TProgramManager> client;
  static unsigned long generation = 0;
  if (!client || generation != CurrentPlatformGeneration()) {
    client = std::make_unique<TProgramManager>();
    generation = CurrentPlatformGeneration();
  }
  return *client;
}

}  // namespace kit
