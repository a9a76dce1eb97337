#include "platform/emulated/emulated_progman.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <strings.h>

#include "platform/emulated/emulated_machine.h"
#include "platform/shell_link.h"

namespace kit {

namespace {

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

bool Same(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

std::string TrimBlanks(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// An argument in double quotes loses them; anything else is kept as written.
std::string Unquote(const std::string& raw) {
  std::string s = TrimBlanks(raw);
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"' &&
      s.find('"', 1) == s.size() - 1)
    return s.substr(1, s.size() - 2);
  return s;
}

struct Command {
  std::string name;
  std::vector<std::string> args;
};

// "[Name(a,"b,c",d)][Other()]": commas and brackets inside double quotes
// belong to the argument. False when the text is not such a list.
bool Parse(const std::string& text, std::vector<Command>* out) {
  size_t i = 0;
  const auto skip = [&] { while (i < text.size() && (text[i] == ' ' || text[i] == '\r' || text[i] == '\n')) ++i; };
  skip();
  if (i == text.size()) return false;
  while (i < text.size()) {
    if (text[i] != '[') return false;
    ++i;
    Command c;
    while (i < text.size() && text[i] != '(' && text[i] != ']') c.name += text[i++];
    c.name = TrimBlanks(c.name);
    if (i < text.size() && text[i] == '(') {
      ++i;
      std::string arg;
      bool quoted = false, closed = false;
      for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '"') quoted = !quoted;
        if (!quoted && ch == ',') { c.args.push_back(Unquote(arg)); arg.clear(); continue; }
        if (!quoted && ch == ')') { closed = true; ++i; break; }
        arg += ch;
      }
      if (!closed) return false;
      c.args.push_back(Unquote(arg));
    }
    if (i >= text.size() || text[i] != ']' || c.name.empty()) return false;
    ++i;
    out->push_back(std::move(c));
    skip();
  }
  return true;
}

std::string Arg(const Command& c, size_t n) { return n < c.args.size() ? c.args[n] : std::string(); }

bool Clean(const std::string& s) { return s.find_first_of("\t\r\n") == std::string::npos; }

class Conversation : public DdeConversation {
 public:
  explicit Conversation(EmulatedProgman& server) : server_(server) {}
  bool Execute(const std::string& command) override {
    server_.Execute(command);  // the outcome is not awaited
    return true;
  }
  bool Request(const std::string& item, uint32_t, std::string* data) override {
    return server_.GroupData(item, data);
  }

 private:
  EmulatedProgman& server_;
};

}  // namespace

std::unique_ptr<DdeConversation> EmulatedProgman::Connect(const std::string& service,
                                                          const std::string& topic) {
  if (!Same(service, "PROGMAN") || !Same(topic, "PROGMAN")) {
    machine_.SetError(winerr::kFileNotFound);
    return nullptr;
  }
  return std::make_unique<Conversation>(*this);
}

std::string EmulatedProgman::StateFile() const { return machine_.HostDir() + "/progman.txt"; }

bool EmulatedProgman::Load(std::vector<Group>* groups) {
  groups->clear();
  std::ifstream in(StateFile(), std::ios::binary);
  if (!in) return true;  // no groups yet
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> f;
    std::stringstream ss(line);
    for (std::string part; std::getline(ss, part, '\t');) f.push_back(part);
    if (f.size() >= 2 && f[0] == "G") {
      groups->push_back({f[1], {}});
    } else if (f.size() >= 7 && f[0] == "I" && !groups->empty()) {
      Item item{f[1], f[2], f[3], f[4], std::atoi(f[5].c_str()), std::atoi(f[6].c_str())};
      groups->back().items.push_back(item);
    }
  }
  return true;
}

bool EmulatedProgman::Save(const std::vector<Group>& groups) {
  const std::string tmp = StateFile() + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    for (const Group& g : groups) {
      out << "G\t" << g.name << "\n";
      for (const Item& i : g.items)
        out << "I\t" << i.name << "\t" << i.command << "\t" << i.directory << "\t" << i.icon << "\t"
            << i.icon_index << "\t" << i.hot_key << "\n";
    }
    if (!out.flush()) return false;
  }
  return std::rename(tmp.c_str(), StateFile().c_str()) == 0;
}

std::vector<EmulatedProgman::Group> EmulatedProgman::Groups() {
  std::vector<Group> groups;
  Load(&groups);
  return groups;
}

bool EmulatedProgman::Execute(const std::string& text) {
  std::vector<Command> commands;
  if (!Parse(text, &commands)) return false;
  std::vector<Group> groups;
  Load(&groups);
  const auto find = [&](const std::string& name) -> Group* {
    for (Group& g : groups)
      if (Same(g.name, name)) return &g;
    return nullptr;
  };
  for (const Command& c : commands) {
    for (const std::string& a : c.args)
      if (!Clean(a)) return false;
    Group* current = find(current_);
    if (Same(c.name, "CreateGroup")) {
      const std::string name = Arg(c, 0);
      if (name.empty()) return false;
      if (!find(name)) groups.push_back({name, {}});
      current_ = name;
    } else if (Same(c.name, "ShowGroup")) {
      if (!find(Arg(c, 0))) return false;
      current_ = find(Arg(c, 0))->name;
    } else if (Same(c.name, "AddItem") && current) {
      Item item{Arg(c, 1), Arg(c, 0), Arg(c, 6), Arg(c, 2), std::atoi(Arg(c, 3).c_str()),
                std::atoi(Arg(c, 7).c_str())};
      if (item.command.empty()) return false;
      if (item.name.empty()) {
        std::string program = Unquote(item.command.substr(0, item.command.find('"', 1) + 1));
        item.name = program.substr(program.find_last_of('\\') + 1);
        item.name = item.name.substr(0, item.name.rfind('.'));
      }
      current->items.push_back(item);
      WriteItemLink(current->name, item);
    } else if ((Same(c.name, "DeleteItem") || Same(c.name, "ReplaceItem")) && current) {
      auto& items = current->items;
      for (auto it = items.begin(); it != items.end(); ++it)
        if (Same(it->name, Arg(c, 0))) {
          items.erase(it);
          RemoveItemLink(current->name, Arg(c, 0));
          break;
        }
    } else if (Same(c.name, "DeleteGroup")) {
      for (auto it = groups.begin(); it != groups.end(); ++it)
        if (Same(it->name, Arg(c, 0))) {
          for (const Item& i : it->items) RemoveItemLink(it->name, i.name);
          groups.erase(it);
          break;
        }
    } else {
      return false;
    }
  }
  return Save(groups);
}

bool EmulatedProgman::GroupData(const std::string& group, std::string* data) {
  for (const Group& g : Groups()) {
    if (!Same(g.name, group)) continue;
    std::string text = "\"" + g.name + "\"," + g.name + ".GRP," + std::to_string(g.items.size()) + ",1\r\n";
    for (const Item& i : g.items)
      text += "\"" + i.name + "\",\"" + i.command + "\",\"" + i.directory + "\",\"" + i.icon + "\",0,0," +
              std::to_string(i.icon_index) + "," + std::to_string(i.hot_key) + ",0\r\n";
    *data = text;
    return true;
  }
  return false;
}

namespace {
std::string ProgramsFolder(EmulatedMachine& machine) {
  std::unique_ptr<RegKey> key = machine.Reg().Open(RegRoot::kCurrentUser, kShellFolders, RegAccess::kRead, false);
  RegValue value;
  if (!key || !key->Query("Programs", &value) || !value.AsString()) return {};
  return *value.AsString();
}
}  // namespace

void EmulatedProgman::WriteItemLink(const std::string& group, const Item& item) {
  const std::string programs = ProgramsFolder(machine_);
  if (programs.empty()) return;
  ShellLinkData link;
  std::string command = TrimBlanks(item.command);
  if (!command.empty() && command.front() == '"') {
    const size_t end = command.find('"', 1);
    link.target = command.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    if (end != std::string::npos) link.arguments = TrimBlanks(command.substr(end + 1));
  } else {
    const size_t blank = command.find(' ');
    link.target = command.substr(0, blank);
    if (blank != std::string::npos) link.arguments = TrimBlanks(command.substr(blank + 1));
  }
  link.working_directory = Unquote(item.directory);
  link.icon_location = item.icon;
  link.icon_index = item.icon_index;
  link.hot_key = static_cast<uint16_t>(item.hot_key);
  std::vector<uint8_t> bytes;
  std::string error;
  if (!EncodeShellLink(link, &bytes, &error)) return;
  FileSystem& fs = machine_.Files();
  const std::string folder = programs + "\\" + group;
  if (!fs.MakeDirectories(folder)) return;
  const std::string path = folder + "\\" + item.name + ".LNK";
  std::unique_ptr<File> file = fs.Open(path, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
  uint32_t written = 0;
  if (!file) return;
  if (!file->Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &written) || written != bytes.size()) {
    file.reset();
    fs.RemoveFile(path);
  }
}

void EmulatedProgman::RemoveItemLink(const std::string& group, const std::string& item) {
  const std::string programs = ProgramsFolder(machine_);
  if (!programs.empty()) machine_.Files().RemoveFile(programs + "\\" + group + "\\" + item + ".LNK");
}

}  // namespace kit
