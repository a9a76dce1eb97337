// The header table of an archive: an owned, ordered list of TFileHeader and
// the MultiVolume flag, with the walk that reads both layouts.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "archive/file_header.h"

namespace kit {

class TFileHeaders {
 public:
  TFileHeaders() = default;
  TFileHeaders(const TFileHeaders&) = delete;
  TFileHeaders& operator=(const TFileHeaders&) = delete;

  int Count() const { return static_cast<int>(headers_.size()); }
  // Raises a plain error outside 0..Count-1.
  TFileHeader* GetFileHeaders(int index) const;
  TFileHeader* FileHeaders(int index) const { return GetFileHeaders(index); }

  // Takes ownership; EKCFHInvalidNewFileHeader when the header is not valid
  // (the header is then freed).
  void Add(std::unique_ptr<TFileHeader> header);
  void Clear();
  // One header per line, FileNumber 1, 2, ...; the table is cleared first
  // unless `keep`.
  void AddFromList(const std::vector<std::string>& list, bool keep, FileSystem& fs,
                   const FileVersionLookup& version, const KnownSource& known = nullptr);

  // First header whose FileName equals the text of `name` before the first
  // ';', ASCII letters compared without case; -1 if none.
  int IndexOf(const std::string& name) const;
  // The same, comparing the whole of `name`.
  int IndexOfWhole(const std::string& name) const;

  // The table at `offset` of the stream (both layouts).
  void ReadFromStream(TKblnStream& stream, int64_t offset);
  // Count and flag at position 0, and for a volume set every record.
  void WriteToStream(TKblnStream& stream);

  void StartTotals(TlzhFileStats& stats) const;
  void SumSizes(TlzhFileStats& stats) const;

  uint8_t MultiVolume = 0;

 private:
  friend class TFileHeader;
  void NamesChanged() { index_valid_ = false; }
  void BuildIndex() const;

  std::vector<std::unique_ptr<TFileHeader>> headers_;
  // Upper-cased FileName -> first index holding it; rebuilt when stale.
  // Member names without regard to ASCII letter case; looked up without
  // copying the name.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const;
  };
  struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  mutable std::unordered_map<std::string, int, NameHash, NameEqual> index_;
  mutable bool index_valid_ = false;
};

}  // namespace kit
