// Version resources of files: the raw VS_VERSIONINFO block of a program,
// library, driver or font, and the look-up of values inside it.
//
// Two implementations: MakeWin32VersionSource() calls the Win32 version API
// (GetFileVersionInfoSizeA, GetFileVersionInfoA, VerQueryValueA);
// MakePeVersionSource() reads the PE file itself through a FileSystem (the
// emulated machine's) and walks the block portably. Both give the same
// answers for the same file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kit {

class FileSystem;

class VersionSource {
 public:
  virtual ~VersionSource() = default;
  // The version data of the file at `path`, as GetFileVersionInfo gives it.
  // False when the file is missing, unreadable or has no (sound) version
  // resource; *block is then empty.
  virtual bool Read(const std::string& path, std::string* block) = 0;
  // VerQueryValue on a block that Read returned. "\" gives the bytes of
  // the VS_FIXEDFILEINFO, "\VarFileInfo\Translation" the translation array
  // (pairs of 16-bit language and code page), and a path such as
  // "\StringFileInfo\040904E4\ProductName" the text of that string in the
  // ANSI code page, without its terminating zero. Keys are compared without
  // regard to case. False when the path does not exist.
  virtual bool Query(const std::string& block, const std::string& sub_block,
                     std::string* value) = 0;
};

// The fixed part of a version block (VS_FIXEDFILEINFO).
struct FixedFileInfo {
  static constexpr uint32_t kSignature = 0xFEEF04BDu;
  static constexpr size_t kSize = 52;
  uint32_t signature = 0;
  uint32_t struct_version = 0;
  uint32_t file_version_ms = 0;
  uint32_t file_version_ls = 0;
  uint32_t product_version_ms = 0;
  uint32_t product_version_ls = 0;
  uint32_t flags_mask = 0;
  uint32_t flags = 0;
  uint32_t os = 0;
  uint32_t type = 0;
  uint32_t subtype = 0;
  uint32_t date_ms = 0;
  uint32_t date_ls = 0;
};

// Decodes the value of "\"; false when it is too short or its signature is
// not that of a VS_FIXEDFILEINFO.
bool DecodeFixedFileInfo(std::string_view bytes, FixedFileInfo* info);

struct Translation {
  uint16_t language = 0;
  uint16_t code_page = 0;
};

// The entries of "\VarFileInfo\Translation" in the block, in file order
// (empty when there are none).
std::vector<Translation> ReadTranslations(VersionSource& source, const std::string& block);

// "\StringFileInfo\" + language and code page as eight upper-case hex
// digits + "\" + key, e.g. "\StringFileInfo\040904E4\ProductName".
std::string StringFileInfoPath(uint16_t language, uint16_t code_page, const std::string& key);

// Turns UTF-16 text into the 8-bit ANSI code page.
using WideToAnsi = std::function<std::string(std::u16string_view)>;

// Code points below 256 become that byte, all others '?'.
std::string Latin1FromWide(std::u16string_view text);

// Reads files through `files` (whole, up to a size limit); `convert` turns
// string values into ANSI text (Latin1FromWide when empty). `files` must
// outlive the source.
std::unique_ptr<VersionSource> MakePeVersionSource(FileSystem& files, WideToAnsi convert = {});

// Reads files through `read_file`, which puts a whole file into its second
// argument, or fails. For hosts without a FileSystem (tests, tools).
std::unique_ptr<VersionSource> MakePeVersionSource(
    std::function<bool(const std::string& path, std::string* bytes)> read_file,
    WideToAnsi convert = {});

// The real Win32 API (win32 builds only).
std::unique_ptr<VersionSource> MakeWin32VersionSource();

}  // namespace kit
