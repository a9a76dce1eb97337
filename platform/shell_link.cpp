#include "platform/shell_link.h"

#include <cstring>

#include "platform/current_platform.h"

#ifdef _WIN32
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#endif

namespace kit {

uint32_t hresult::FromWin32(uint32_t code) {
  if (code == 0) return kFail;
  if (code & 0x80000000u) return code;
  return (code & 0xFFFFu) | 0x80070000u;
}

namespace {

constexpr uint32_t kHasLinkInfo = 0x02;
constexpr uint32_t kHasName = 0x04;
constexpr uint32_t kHasRelativePath = 0x08;
constexpr uint32_t kHasWorkingDir = 0x10;
constexpr uint32_t kHasArguments = 0x20;
constexpr uint32_t kHasIconLocation = 0x40;

void Put16(std::vector<uint8_t>* out, uint32_t v) {
  out->push_back(static_cast<uint8_t>(v));
  out->push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>* out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Set32(std::vector<uint8_t>* out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*out)[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void PutZ(std::vector<uint8_t>* out, const std::string& s) {
  out->insert(out->end(), s.begin(), s.end());
  out->push_back(0);
}

bool CheckString(const std::string& s, const char* field, size_t limit, std::string* error) {
  if (s.size() > limit) {
    *error = std::string("the link's ") + field + " is longer than " + std::to_string(limit) +
             " characters";
    return false;
  }
  if (s.find('\0') != std::string::npos) {
    *error = std::string("the link's ") + field + " holds a zero character";
    return false;
  }
  return true;
}

// LinkInfo with a VolumeID (fixed drive, no label) and the local base path.
void PutLinkInfo(std::vector<uint8_t>* out, const std::string& base_path) {
  const size_t start = out->size();
  constexpr uint32_t kHeaderSize = 0x1C;
  constexpr uint32_t kVolumeIdSize = 0x11;  // 16 bytes and an empty label
  Put32(out, 0);  // size, set below
  Put32(out, kHeaderSize);
  Put32(out, 0x1);  // VolumeIDAndLocalBasePath
  Put32(out, kHeaderSize);
  Put32(out, kHeaderSize + kVolumeIdSize);
  Put32(out, 0);  // no network part
  const uint32_t suffix = kHeaderSize + kVolumeIdSize + static_cast<uint32_t>(base_path.size()) + 1;
  Put32(out, suffix);
  Put32(out, kVolumeIdSize);
  Put32(out, 3);  // DRIVE_FIXED
  Put32(out, 0);  // serial number
  Put32(out, 0x10);
  out->push_back(0);  // empty label
  PutZ(out, base_path);
  out->push_back(0);  // empty common path suffix
  Set32(out, start, static_cast<uint32_t>(out->size() - start));
}

void PutCounted(std::vector<uint8_t>* out, const std::string& s) {
  Put16(out, static_cast<uint32_t>(s.size()));
  out->insert(out->end(), s.begin(), s.end());
}

}  // namespace

bool EncodeShellLink(const ShellLinkData& link, std::vector<uint8_t>* out, std::string* error) {
  constexpr size_t kCounted = 0xFFFF;
  if (!CheckString(link.target, "target", kMaxLinkPath - 1, error) ||
      !CheckString(link.arguments, "arguments", kCounted, error) ||
      !CheckString(link.working_directory, "working directory", kCounted, error) ||
      !CheckString(link.description, "description", kCounted, error) ||
      !CheckString(link.relative_path, "relative path", kCounted, error) ||
      !CheckString(link.icon_location, "icon location", kCounted, error))
    return false;
  uint32_t flags = 0;
  if (!link.target.empty()) flags |= kHasLinkInfo;
  if (!link.description.empty()) flags |= kHasName;
  if (!link.relative_path.empty()) flags |= kHasRelativePath;
  if (!link.working_directory.empty()) flags |= kHasWorkingDir;
  if (!link.arguments.empty()) flags |= kHasArguments;
  if (!link.icon_location.empty()) flags |= kHasIconLocation;

  out->clear();
  Put32(out, 0x4C);
  static const uint8_t kClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
  out->insert(out->end(), kClsid, kClsid + 16);
  Put32(out, flags);
  Put32(out, 0x20);  // FILE_ATTRIBUTE_ARCHIVE of the target
  for (int i = 0; i < 6; ++i) Put32(out, 0);  // creation, access, write times
  Put32(out, 0);  // target size
  Put32(out, static_cast<uint32_t>(link.icon_index));
  Put32(out, link.show_command);
  Put16(out, link.hot_key);
  Put16(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  if (flags & kHasLinkInfo) PutLinkInfo(out, link.target);
  if (flags & kHasName) PutCounted(out, link.description);
  if (flags & kHasRelativePath) PutCounted(out, link.relative_path);
  if (flags & kHasWorkingDir) PutCounted(out, link.working_directory);
  if (flags & kHasArguments) PutCounted(out, link.arguments);
  if (flags & kHasIconLocation) PutCounted(out, link.icon_location);
  Put32(out, 0);  // terminal block
  return true;
}

#ifdef _WIN32

namespace {
// The shell link's class and interfaces, spelled here: the system's uuid
// library brings every identifier it knows along with these.
constexpr CLSID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// COM for the installer's thread, once.
uint32_t InitializeComOnce() {
  static const HRESULT result = CoInitialize(nullptr);
  return (result == S_OK || result == S_FALSE) ? hresult::kOk : static_cast<uint32_t>(result);
}
}  // namespace

uint32_t InitializeComForThread() { return static_cast<uint32_t>(CoInitialize(nullptr)); }

uint32_t SaveShellLink(const std::string& link_file, const ShellLinkData& link) {
  if (link_file.size() + 1 > kMaxLinkPath) return hresult::kInvalidArg;
  if (const uint32_t init = InitializeComOnce(); init != hresult::kOk) return init;
  IShellLinkA* shell_link = nullptr;
  HRESULT hr = CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkA,
                                reinterpret_cast<void**>(&shell_link));
  if (FAILED(hr)) return static_cast<uint32_t>(hr);
  IPersistFile* persist = nullptr;
  hr = shell_link->SetPath(link.target.c_str());
  if (SUCCEEDED(hr)) hr = shell_link->SetHotkey(link.hot_key);
  if (SUCCEEDED(hr)) hr = shell_link->SetArguments(link.arguments.c_str());
  if (SUCCEEDED(hr)) hr = shell_link->SetWorkingDirectory(link.working_directory.c_str());
  if (SUCCEEDED(hr) && !link.description.empty())
    hr = shell_link->SetDescription(link.description.c_str());
  if (SUCCEEDED(hr) && !link.icon_location.empty())
    hr = shell_link->SetIconLocation(link.icon_location.c_str(), link.icon_index);
  if (SUCCEEDED(hr) && link.show_command != 1)
    hr = shell_link->SetShowCmd(static_cast<int>(link.show_command));
  if (SUCCEEDED(hr))
    hr = shell_link->QueryInterface(kIidPersistFile, reinterpret_cast<void**>(&persist));
  if (SUCCEEDED(hr)) {
    WCHAR wide[kMaxLinkPath];
    const int n = MultiByteToWideChar(CP_ACP, 0, link_file.c_str(), -1, wide, kMaxLinkPath);
    hr = n > 0 ? persist->Save(wide, TRUE) : static_cast<HRESULT>(hresult::FromWin32(GetLastError()));
  }
  if (persist) persist->Release();
  shell_link->Release();
  return SUCCEEDED(hr) ? hresult::kOk : static_cast<uint32_t>(hr);
}

#else

uint32_t InitializeComForThread() { return hresult::kOk; }

uint32_t SaveShellLink(const std::string& link_file, const ShellLinkData& link) {
  if (link_file.size() + 1 > kMaxLinkPath) return hresult::kInvalidArg;
  std::vector<uint8_t> bytes;
  std::string error;
  if (!EncodeShellLink(link, &bytes, &error)) return hresult::kInvalidArg;
  Platform& p = CurrentPlatform();
  std::unique_ptr<File> file =
      p.Files().Open(link_file, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
  if (!file) return hresult::FromWin32(p.LastError());
  uint32_t written = 0;
  if (!file->Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &written) ||
      written != bytes.size()) {
    const uint32_t code = hresult::FromWin32(p.LastError());
    file.reset();
    p.Files().RemoveFile(link_file);  // no half-written link is left
    return code;
  }
  return hresult::kOk;
}

#endif

}  // namespace kit
