#include "system/shell_link_routine.h"

#include "platform/current_platform.h"
#include "system/translated_format.h"

namespace kit {

std::string ShellLinkErrorDescription(uint32_t code) {
  switch (code) {
    case hresult::kUnexpected: return "Indicates an unexpected error occurred";
    case hresult::kNoAggregation: return "Indicates this class cannot be created as part of an aggregate";
    case hresult::kClassNotRegistered:
      return "Indicates that a specified class is not registered in the registration database";
    case hresult::kOutOfMemory: return "Out of memory";
    case hresult::kInvalidArg: return "Indicates one or more arguments are invalid";
    default: break;
  }
  std::string text = CurrentPlatform().ErrorText(code);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text.empty() ? "Unknown error" : text;
}

std::string ProgramGroupItemFile(const std::string& programs_folder, const std::string& group,
                                 const std::string& item) {
  std::string programs = programs_folder;
  while (!programs.empty() && programs.back() == '\\') programs.pop_back();
  return programs + "\\" + group + "\\" + item + ".LNK";
}

namespace {

// The first character Windows refuses in a file or folder name of the path
// (a colon only after the drive letter), or 0.
char RefusedCharacter(const std::string& path) {
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c < 32 || std::string("*?\"<>|/").find(static_cast<char>(c)) != std::string::npos) return static_cast<char>(c);
    if (c == ':' && i != 1) return ':';
  }
  return 0;
}

[[noreturn]] void Refuse(const std::string& component, const std::string& reason) {
  throw Exception(TranslatedFormat(
      "The TInstallShellLink %s name could not be installed. The following error was reported %s",
      {component, reason}));
}

}  // namespace

void CreateShellLinkFile(const std::string& component, const std::string& link_file,
                         const ShellLinkData& link) {
  // Refused before anything is made.
  if (link_file.size() + 1 > kMaxLinkPath)
    Refuse(component, "the link file path " + link_file + " is longer than 259 characters");
  if (const char c = RefusedCharacter(link_file); c != 0)
    Refuse(component, "the link file path " + link_file + " holds the character " +
                          (static_cast<unsigned char>(c) < 32 ? "#" + std::to_string(static_cast<int>(c))
                                                               : std::string(1, c)) +
                          ", which Windows refuses in file names");
  const size_t slash = link_file.find_last_of('\\');
  if (slash != std::string::npos && slash > 2) {
    const std::string folder = link_file.substr(0, slash);
    if (!CurrentPlatform().Files().MakeDirectories(folder))
      Refuse(component, "the folder " + folder + " could not be created");
  }
  const uint32_t code = SaveShellLink(link_file, link);
  if (code == hresult::kOk) return;
  throw Exception(TranslatedFormat(
      "The TInstallShellLink %s name could not be installed. The following error was reported "
      "%s. Error code %d",
      {component, ShellLinkErrorDescription(code), static_cast<int>(static_cast<int32_t>(code))}));
}

}  // namespace kit
