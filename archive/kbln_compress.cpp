#include "archive/kbln_compress.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "archive/compare_versions.h"
#include "archive/compression_stream.h"
#include "archive/file_date.h"
#include "archive/percent.h"
#include "archive/archive_paths.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "platform/threads.h"

namespace kit {


namespace {

constexpr uint32_t kShareReadWrite = share::kRead | share::kWrite;
constexpr uint32_t kCopyBlock = 65536;
constexpr uint32_t kInflateInput = 65536;
constexpr uint32_t kInflateOutput = 4096;
constexpr uint32_t kSplitChunk = 8192;
constexpr uint32_t kCopyFileBuffer = 8192;

// CON, NUL, AUX, PRN, COM1..9, LPT1..9, also with an extension or blanks
// before it: Windows opens the device instead of a file.
bool IsDeviceName(const std::string& name) {
  std::string stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (stem == "CON" || stem == "NUL" || stem == "AUX" || stem == "PRN") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

// A name that stays inside its directory: no separators (already cut off),
// not "." or "..", no device, nothing Windows refuses or silently drops.
bool IsPlainFileName(const std::string& name) {
  if (Trim(name).empty() || IsDeviceName(name)) return false;
  bool only_dots = true;
  for (char ch : name) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 32 || std::strchr("<>\"|?*\\/:", ch) != nullptr) return false;
    if (ch != '.' && ch != ' ') only_dots = false;
  }
  return !only_dots;
}

// The file name part of a member or destination name.
std::string MemberFileName(const std::string& name) { return archive_paths::FileName(name); }

// The directory part without its trailing delimiter.
std::string DirectoryWithoutSlash(const std::string& path) {
  std::string d = archive_paths::FilePath(path);
  while (!d.empty() && (d.back() == '\\' || d.back() == '/')) d.pop_back();
  return d;
}

// Where a destination's temporary file goes: its directory, as given.
std::string DirectoryOf(const std::string& path) {
  std::string d = archive_paths::FilePath(path);
  if (d.size() > 1 && (d.back() == '\\' || d.back() == '/') && d[d.size() - 2] != ':') d.pop_back();
  return d;
}

int32_t CheckedPosition(int64_t pos) {
  if (pos < 0 || pos > INT32_MAX) throw EKCFHCannotWriteHeaders();
  return static_cast<int32_t>(pos);
}

}  // namespace


TKblnCompress::TKblnCompress(TComponent* owner, FileSystem& fs, KblnServices services)
    : TComponent(owner), fs_(fs), services_(std::move(services)) {
  default_version_ = !services_.file_version;
  if (!services_.file_version) services_.file_version = SharedFileVersion;
}

TKblnCompress::~TKblnCompress() { CloseStreams(); }

// A source read ahead is not opened again for its header: the header takes
// the size and date its bytes were read with.
KnownSource TKblnCompress::KnownAhead() {
  if (!ahead_) return nullptr;
  return [this](const std::string& path, int64_t* size, uint32_t* dos_time, std::string* version) {
    if (!ahead_->Facts(path, level_, size, dos_time)) return false;
    *version = default_version_ ? SourceFileVersion(path, *size, *dos_time) : services_.file_version(path);
    return true;
  };
}

void TKblnCompress::ExpectSources(std::vector<std::string> sources) {
  if (sources.empty() || jobs_ <= 1) {
    ahead_.reset();
    return;
  }
  if (!ahead_ || ahead_level_ != level_) {
    ahead_ = std::make_unique<CompressAhead>(fs_, level_, jobs_, kCopyBlock);
    ahead_level_ = level_;
  }
  if (!ahead_->Running()) {
    ahead_.reset();
    return;
  }
  ahead_->Expect(std::move(sources));
}

void TKblnCompress::CloseStreams(bool keep_source) {
  dest_file_.reset();
  dest_handle_.reset();
  source_stream_.reset();
  if (keep_source && source_file_ && headers_.MultiVolume == 0) kept_source_ = std::move(source_file_);
  source_file_.reset();
  if (!keep_source) kept_source_.reset();
}

void TKblnCompress::OpenMemberSource(const TFileHeader& h) {
  source_stream_.reset();
  if (kept_source_)
    source_file_ = std::move(kept_source_);
  else
    OpenDiskFile(source_file_, h.FirstDisk == 0 ? 1 : h.FirstDisk, FileAccess::kRead, compressed_file_);
  source_stream_ = std::make_unique<TKblnNormalHandleStream>(*source_file_);
}

void TKblnCompress::SetCompressedFile(const std::string& value) {
  if (!SameText(value, compressed_file_)) {
    bool same_set = headers_loaded_ && headers_.MultiVolume != 0 &&
                    SameText(archive_paths::ChangeExt(value, ".1"), archive_paths::ChangeExt(compressed_file_, ".1"));
    if (!same_set) headers_loaded_ = false;
    kept_source_.reset();
  }
  compressed_file_ = value;
}

void TKblnCompress::SetFilesToProcess(std::vector<std::string> list) {
  for (size_t i = list.size(); i-- > 0;)
    if (Trim(list[i]).empty()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
  files_ = std::move(list);
}

void TKblnCompress::LoadStats(const TFileHeader& h) {
  stats_.FileName = h.FileName();
  stats_.FileSize = h.FileSize;
  stats_.CompressedSize = h.CompressedSize;
  stats_.BytesProcessed = 0;
  stats_.PercentDone = 0;
  stats_.Finished = false;
  stats_.CompressionRatio = PercentByte(h.CompressedSize, h.FileSize);
  stats_.Header = h.Record();
}

void TKblnCompress::Guarded(bool silent_abort_returns, const std::function<void()>& body,
                            const std::function<void()>& always) {
  auto finish = [&] {
    try {
      always();
    } catch (...) {
      // Closing and clearing must not hide the operation's own outcome.
    }
  };
  try {
    try {
      body();
    } catch (...) {
      finish();
      throw;
    }
    finish();
  } catch (const EKCStop&) {
    if (OnAborted) OnAborted(*this);
  } catch (const EAbort&) {
    if (!silent_abort_returns) {
      abort_ = true;
      throw;
    }
  } catch (...) {
    abort_ = true;
    throw;
  }
}

// ------------------------------------------------------------------ table

void TKblnCompress::ReadHeaders() {
  std::unique_ptr<File> f;
  if (fs_.Exists(compressed_file_))
    f = fs_.Open(compressed_file_, FileAccess::kRead, kShareReadWrite, Disposition::kOpenExisting);
  if (!f) throw EKCCouldNotOpenCompressedFile(compressed_file_);
  headers_loaded_ = false;
  written_size_ = -1;
  sum_size_ = -1;
  try {
    TKblnNormalHandleStream s(*f);
    headers_.ReadFromStream(s, offset_);
  } catch (const Exception&) {
    throw EKCFHCannotReadHeaders();
  }
  headers_loaded_ = true;
}

int TKblnCompress::FileCount() {
  if (!headers_loaded_ && operation_ != TOperation::kAdding) ReadHeaders();
  return headers_.Count();
}

void TKblnCompress::GetFileStats(int index, TlzhFileStats& stats) {
  if (index < 0 || index >= FileCount())
    throw Exception("Tried to access the " + std::to_string(index) + "th file. This file is not defined");
  StartTotals();
  LoadStats(*headers_.FileHeaders(index));
  stats = stats_;
}

int TKblnCompress::IndexOfFile(const std::string& name) {
  if (!headers_loaded_) ReadHeaders();
  return headers_.IndexOfWhole(name);
}

// One rule for adding, extracting and copying: the handler is told, then the
// operation fails, so a cut member is never taken as complete.
void TKblnCompress::DoFullDisk() {
  if (OnFullDisk) OnFullDisk(*this);
  throw EKCDiskFull();
}

// The totals of the whole table; its sums are kept while it stays as read
// or as the last add wrote it.
void TKblnCompress::StartTotals() {
  if (sum_size_ < 0) {
    sum_size_ = sum_packed_ = 0;
    for (int i = 0; i < headers_.Count(); ++i) {
      sum_size_ += headers_.FileHeaders(i)->FileSize;
      sum_packed_ += headers_.FileHeaders(i)->CompressedSize;
    }
  }
  stats_.TotalBytesProcessed = 0;
  stats_.TotalPercentDone = 0;
  stats_.Finished = false;
  stats_.TotalFileSize = static_cast<int32_t>(sum_size_);
  stats_.TotalCompressedSize = static_cast<int32_t>(sum_packed_);
  stats_.TotalCompressionRatio = PercentByte(stats_.TotalCompressedSize, stats_.TotalFileSize);
}

// ------------------------------------------------------------------ adding

void TKblnCompress::AddFiles(bool only_add) {
  abort_ = false;
  operation_ = TOperation::kAdding;
  headers_.MultiVolume = 0;
  offset_ = 0;
  CloseStreams();
  std::unique_ptr<File> archive;
  int64_t restore_size = -1;  // what the archive is cut back to when the run fails
  bool complete = false;
  bool own_ahead = false;  // sources expected by this add itself
  Guarded(
      true,
      [&] {
        std::string dir = DirectoryOf(compressed_file_);
        if (Trim(dir).empty()) throw Exception("Unable to create directory");
        fs_.MakeDirectories(dir);  // a failure shows when the archive is created
        bool opened = only_add && fs_.Exists(compressed_file_);
        archive = fs_.Open(compressed_file_, FileAccess::kReadWrite, kShareReadWrite,
                           opened ? Disposition::kOpenExisting : Disposition::kCreateAlways);
        if (!archive) throw EKCCouldNotCreateFile(compressed_file_);
        TKblnNormalHandleStream out(*archive);
        int first_new = 0;
        if (opened) {
          // The table as the last add left it is still the archive's: its
          // members are stored and its sums known.
          if (!TableStillWritten(out)) {
            written_size_ = -1;
            sum_size_ = -1;
            headers_.ReadFromStream(out, 0);
          }
          written_size_ = -1;
          if (headers_.MultiVolume != 0)
            throw Exception("Files cannot be added to a volume set: " + compressed_file_);
          // New members go where the last one ends; bytes behind it belong
          // to no member and are cut away.
          int n = headers_.Count();
          restore_size = n == 0 ? 5 : headers_.FileHeaders(n - 1)->NextHeader;
          const int64_t size = out.Size();
          if (restore_size < 5 || restore_size > size || (restore_size < size && !out.SetSize(restore_size)))
            throw EKCFHCannotReadHeaders();
          first_new = n;
          headers_.AddFromList(files_, true, fs_, services_.file_version, KnownAhead());
        } else {
          written_size_ = -1;
          // Until every new member is complete the archive reads as empty.
          headers_.Clear();
          headers_.MultiVolume = 0;
          headers_.WriteToStream(out);
          restore_size = 5;
          sum_size_ = 0;
          sum_packed_ = 0;
          headers_.AddFromList(files_, false, fs_, services_.file_version, KnownAhead());
        }
        if (sum_size_ >= 0)
          for (int i = first_new; i < headers_.Count(); ++i) {
            sum_size_ += headers_.FileHeaders(i)->FileSize;
            sum_packed_ += headers_.FileHeaders(i)->CompressedSize;
          }
        StartTotals();
        stats_.TotalCompressedSize = 0;
        // Several members on several processors: worker threads deflate
        // them ahead of their turn.
        if (jobs_ > 1 && !ahead_) {
          std::vector<std::string> sources;
          for (int i = first_new; i < headers_.Count(); ++i)
            if (!headers_.FileHeaders(i)->Stored) sources.push_back(headers_.FileHeaders(i)->FileName());
          if (sources.size() > 1) {
            ExpectSources(std::move(sources));
            own_ahead = ahead_ != nullptr;
          }
        }
        for (int i = first_new; i < headers_.Count(); ++i) {
          TFileHeader& h = *headers_.FileHeaders(i);
          if (h.Stored) continue;
          if (out.Seek(0, SeekOrigin::kEnd) < 0) throw EKCFHCannotWriteHeaders();
          std::unique_ptr<AheadResult> taken;
          if (ahead_) taken = ahead_->Take(h.FileName(), h.FileSize, h.FileDate, level_);
          if (taken) AddTaken(h, out, *taken);
          else AddOne(h, out);
        }
        if (own_ahead) ahead_.reset();
        // The new count goes in last: a run that fails before this point
        // leaves the archive as it was.
        headers_.WriteToStream(out);
        complete = true;
        for (int i = first_new; i < headers_.Count(); ++i) {
          TFileHeader& h = *headers_.FileHeaders(i);
          h.Stored = true;
          sum_packed_ += h.CompressedSize;
        }
        headers_loaded_ = false;
        written_archive_ = compressed_file_;
        written_size_ = out.Size();
      },
      [&] {
        CloseStreams();
        if (own_ahead) ahead_.reset();
        if (!complete) sum_size_ = -1;
        if (archive && !complete && restore_size >= 0) {
          TKblnNormalHandleStream out(*archive);
          out.SetSize(restore_size);
        }
        archive.reset();
        files_.clear();
      });
}

// The archive as the last add left it: the same name and size, and the
// count and flag at its start still those of the table in memory.
bool TKblnCompress::TableStillWritten(TKblnStream& archive) {
  if (written_size_ < 0 || compressed_file_ != written_archive_ || archive.Size() != written_size_) return false;
  uint8_t start[5];
  if (archive.Seek(0, SeekOrigin::kBegin) != 0 || archive.Read(start, 5) != 5) return false;
  uint32_t count = static_cast<uint32_t>(start[0]) | static_cast<uint32_t>(start[1]) << 8 |
                   static_cast<uint32_t>(start[2]) << 16 | static_cast<uint32_t>(start[3]) << 24;
  return count == static_cast<uint32_t>(headers_.Count()) && start[4] == 0 && headers_.MultiVolume == 0;
}

namespace {

// Passes writes on to the archive and counts them.
class CountingStream : public TKblnStream {
 public:
  explicit CountingStream(TKblnStream& inner) : inner_(inner) {}
  uint32_t Read(void*, uint32_t) override { return 0; }
  uint32_t Write(const void* buffer, uint32_t n) override {
    uint32_t w = inner_.Write(buffer, n);
    written_ += w;
    return w;
  }
  int64_t Seek(int64_t, SeekOrigin) override { return -1; }
  int64_t Written() const { return written_; }

 private:
  TKblnStream& inner_;
  int64_t written_ = 0;
};

}  // namespace

// The member is deflated straight behind its header in the archive; a run
// that fails cuts the archive back to where it was (AddFiles).
void TKblnCompress::AddOne(TFileHeader& h, TKblnStream& archive) {
  current_header_ = &h;
  try {
    source_file_ = fs_.Open(h.FileName(), FileAccess::kRead, kShareReadWrite, Disposition::kOpenExisting);
    if (!source_file_) {
      uint32_t code = services_.last_error ? services_.last_error() : 0;
      EFOpenError error("Cannot open file \"" + h.FileName() + "\"");
      if (services_.show_message) {
        services_.show_message("error =" + std::to_string(code));
        services_.show_message(error.ClassName());
        services_.show_message(h.FileName());
      }
      throw error;
    }
    source_stream_ = std::make_unique<TKblnNormalHandleStream>(*source_file_);
    const int32_t header_pos = BeginMember(h, archive);
    CountingStream packed(archive);
    // A short write is a full disk.
    try {
      TCompressionStream z(level_, packed, [&] { AddStatus(packed.Written()); });
      source_stream_->Seek(0, SeekOrigin::kBegin);
      std::vector<unsigned char> buffer(kCopyBlock);
      for (;;) {
        uint32_t n = source_stream_->Read(buffer.data(), kCopyBlock);
        if (n == 0) break;
        z.Write(buffer.data(), n);
      }
      z.Finish();
    } catch (const EWriteError&) {
      DoFullDisk();
    }
    EndMember(h, archive, header_pos, source_stream_->Position(), packed.Written());
  } catch (...) {
    CloseStreams();
    throw;
  }
  CloseStreams();
}

void TKblnCompress::AddTaken(TFileHeader& h, TKblnStream& archive, AheadResult& taken) {
  current_header_ = &h;
  const int32_t header_pos = BeginMember(h, archive);
  int64_t written = 0;
  // The bytes up to each mark, then the mark's progress report.
  auto write_to = [&](size_t end) {
    while (static_cast<size_t>(written) < end) {
      const uint32_t n = static_cast<uint32_t>(std::min<size_t>(end - static_cast<size_t>(written), kCopyBlock));
      const uint32_t w = archive.Write(taken.bytes.data() + written, n);
      written += w;
      if (w < n) DoFullDisk();
    }
  };
  for (const AheadResult::Mark& mark : taken.marks) {
    write_to(mark.at);
    Progress(mark.source_position, written);
  }
  write_to(taken.bytes.size());
  if (taken.failed) throw ECompressionError("error");
  EndMember(h, archive, header_pos, taken.read, written);
}

int32_t TKblnCompress::BeginMember(TFileHeader& h, TKblnStream& archive) {
  LoadStats(h);
  stats_.CompressedSize = 0;
  if (OnBeforeAdding) OnBeforeAdding(*this, stats_);
  int64_t at = archive.Seek(0, SeekOrigin::kEnd);
  if (at < 0) throw EKCFHCannotWriteHeaders();
  int32_t header_pos = CheckedPosition(at);
  h.WriteToStream(archive);  // placeholder, rewritten by EndMember
  h.DataStart = CheckedPosition(at + kHeaderRecordSize);
  return header_pos;
}

void TKblnCompress::EndMember(TFileHeader& h, TKblnStream& archive, int32_t header_pos, int64_t read,
                              int64_t packed_size) {
  stats_.Finished = true;
  Progress(read, packed_size);
  stats_.Finished = false;
  stats_.CompressionRatio = PercentByte(stats_.CompressedSize, stats_.FileSize);
  stats_.TotalCompressedSize += static_cast<int32_t>(packed_size);
  int64_t end = static_cast<int64_t>(h.DataStart) + packed_size;
  h.DataEnd = CheckedPosition(end - 1);
  h.NextHeader = CheckedPosition(end);
  h.CompressedSize = stats_.CompressedSize;
  if (archive.Seek(header_pos, SeekOrigin::kBegin) != header_pos) throw EKCFHCannotWriteHeaders();
  h.WriteToStream(archive);
  archive.Seek(0, SeekOrigin::kEnd);
  if (OnAfterAdding) OnAfterAdding(*this, stats_);
}

void TKblnCompress::AddStatus(int64_t compressed_size) {
  Progress(source_stream_ ? source_stream_->Position() : 0, compressed_size);
}

void TKblnCompress::Progress(int64_t source_position, int64_t compressed_size) {
  if (abort_) throw EKCStop();
  Pump();
  ReportAdding(source_position, compressed_size);
}

void TKblnCompress::ReportAdding(int64_t source_position, int64_t compressed_size) {
  int64_t p = source_position - 1;
  stats_.TotalBytesProcessed += static_cast<int32_t>(p - stats_.BytesProcessed);
  stats_.BytesProcessed = static_cast<int32_t>(p);
  stats_.CompressedSize = static_cast<int32_t>(compressed_size);
  stats_.PercentDone = PercentByte(stats_.BytesProcessed, stats_.FileSize);
  stats_.TotalPercentDone = PercentByte(stats_.TotalBytesProcessed, stats_.TotalFileSize);
  Status();
}

// ------------------------------------------------------------------ extracting

namespace {

const char* OverwriteRuleName(TOverwriteType rule) {
  switch (rule) {
    case owNever: return "owNever";
    case owAlways: return "owAlways";
    case owVersion: return "owVersion";
    case owDate: return "owDate";
    case owVersionDate: return "owVersionDate";
  }
  return "?";
}

}  // namespace

// `exists`: whether `dest` exists, as the caller has just looked.
bool TKblnCompress::ShouldWrite(const std::string& dest, bool exists, const std::string& new_version,
                                double new_date) {
  if (!exists) return true;
  auto by_date = [&] {
    double old_date = -1e300;  // an unreadable date counts as the earliest
    if (auto f = fs_.Open(dest, FileAccess::kRead, share::kAll, Disposition::kOpenExisting)) {
      uint32_t dos = 0;
      if (f->GetTime(&dos)) old_date = DosToFileDate(dos);
    }
    return old_date < new_date;
  };
  auto old_version = [&] { return services_.file_version ? services_.file_version(dest) : std::string(); };
  switch (overwrite_) {
    case owAlways: return true;
    case owNever: return false;
    case owVersion: return CompareVersions(new_version, old_version()) == 1;
    case owDate: return by_date();
    case owVersionDate: {
      int r = CompareVersions(new_version, old_version());
      if (r == 1) return true;
      if (r == 2) return false;
      return by_date();
    }
  }
  throw Exception("Overwrite flag is not in [owNever,owAlways,owVersion,owDate,owVersionDate]");
}

void TKblnCompress::ExtractFiles() {
  abort_ = false;
  operation_ = TOperation::kExtracting;
  CloseStreams(true);
  Guarded(
      true,
      [&] {
        if (!headers_loaded_) ReadHeaders();
        current_disk_ = 0;
        StartTotals();
        std::vector<std::string> lines = files_;
        for (const std::string& line : lines) ExtractOne(line);
      },
      [&] {
        CloseStreams(true);
        files_.clear();
        DestFileName.clear();
      });
}

namespace {

// Counts what is written to it and keeps nothing.
class SinkStream : public TKblnStream {
 public:
  uint32_t Read(void*, uint32_t) override { return 0; }
  uint32_t Write(const void*, uint32_t n) override {
    pos_ += n;
    size_ = std::max(size_, pos_);
    return n;
  }
  int64_t Seek(int64_t offset, SeekOrigin origin) override {
    int64_t base = origin == SeekOrigin::kBegin ? 0 : origin == SeekOrigin::kCurrent ? pos_ : size_;
    if (base + offset < 0) return -1;
    pos_ = base + offset;
    return pos_;
  }

 private:
  int64_t pos_ = 0, size_ = 0;
};

}  // namespace

void TKblnCompress::TestMember(int index) {
  abort_ = false;
  operation_ = TOperation::kExtracting;
  CloseStreams();
  Guarded(
      false,
      [&] {
        if (!headers_loaded_) ReadHeaders();
        if (index < 0 || index >= headers_.Count()) throw EKCFHFileNotInArchive(std::to_string(index));
        TFileHeader& h = *headers_.FileHeaders(index);
        current_header_ = &h;
        LoadStats(h);
        OpenDiskFile(source_file_, h.FirstDisk == 0 ? 1 : h.FirstDisk, FileAccess::kRead, compressed_file_);
        source_stream_ = std::make_unique<TKblnNormalHandleStream>(*source_file_);
        current_disk_ = h.FirstDisk;
        source_stream_->Seek(static_cast<int64_t>(offset_) + h.DataStart, SeekOrigin::kBegin);
        SinkStream sink;
        bool ended = Decompress(sink);
        if (sink.Size() != h.FileSize) throw EKCWrongDecompressedSize(h.FileName());
        if (!ended) throw EDecompressionError(DamageText(h, "ends early"));
      },
      [&] { CloseStreams(); });
}

int64_t TKblnCompress::StructureEnd() {
  if (!headers_loaded_) ReadHeaders();
  int n = headers_.Count();
  return n == 0 ? 5 : headers_.FileHeaders(n - 1)->NextHeader;
}

void TKblnCompress::ExtractOne(const std::string& line) {
  int index = headers_.IndexOf(line);
  if (index < 0) throw EKCFHFileNotInArchive(line);
  TFileHeader& h = *headers_.FileHeaders(index);
  current_header_ = &h;
  LoadStats(h);
  if (Trim(DestFileName).empty()) DestFileName = MemberFileName(h.FileName());
  if (OnBeforeExtracting) OnBeforeExtracting(*this, stats_);
  auto destination = [&] {
    DestFileName = MemberFileName(DestFileName);
    std::string dir = extract_directory_;
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += '\\';
    return dir + DestFileName;
  };
  std::string dest = destination();
  // A new file is written in place: creating it is also the look-up that
  // finds it missing. A name not in a folder costs a scan of the folder on
  // some file systems, and the way through a temporary file costs three.
  std::unique_ptr<File> fresh;
  if (IsPlainFileName(DestFileName))
    fresh = fs_.Open(dest, FileAccess::kReadWrite, share::kNone, Disposition::kCreateNew);
  bool existed = !fresh && fs_.Exists(dest);
  bool write = fresh || ShouldWrite(dest, existed, h.FileVersion(), h.FileDate);
  if (!write && SetupLog::Active())
    SetupLog::Write("file", dest + ": existing file kept (overwrite rule " + OverwriteRuleName(overwrite_) + ")");
  if (write && existed && OnReplace) {
    OnReplace(*this, stats_);
    dest = destination();
  }
  if (write) {
    // A member name such as "..\" must not lead out of the directory.
    if (!IsPlainFileName(DestFileName)) throw EKCCouldNotCreateFile(dest);
    std::string dir = DirectoryOf(dest);
    if (Trim(dir).empty()) throw Exception("Unable to create directory");
    // Otherwise the member is written beside its destination and moved into
    // place only when complete, so a failure never leaves a cut file there
    // nor destroys the file it was to replace.
    std::string temp;
    if (!fresh) {
      fs_.MakeDirectories(dir);
      if (!fs_.TempFileName(dir, "lzh", &temp)) throw EKCCouldNotCreateFile(dest);
    }
    const std::string& target = fresh ? dest : temp;
    bool placed = false;
    try {
      OpenMemberSource(h);
      current_disk_ = h.FirstDisk;
      dest_handle_ = fresh ? std::move(fresh)
                           : fs_.Open(temp, FileAccess::kReadWrite, share::kNone, Disposition::kCreateAlways);
      if (!dest_handle_) throw EKCCouldNotCreateFile(dest);
      WriteMember(h, dest);
      CloseStreams(true);
      if (!temp.empty() && !MoveIntoPlace(temp, dest)) throw EKCCouldNotCreateFile(dest);
      placed = true;
      if (SetupLog::Active())
        SetupLog::Write("file", dest + ": " + (existed ? "replaced, " : "written, ") + std::to_string(h.FileSize) +
                                    " bytes (overwrite rule " + OverwriteRuleName(overwrite_) + ")");
    } catch (...) {
      fresh.reset();
      CloseStreams();
      if (!placed) fs_.RemoveFile(target);
      throw;
    }
  }
  DestFileName.clear();
}

// A destination another program holds for a moment (a scanner, a process
// that has just ended) refuses the move: it is tried again for up to 2 s.
bool TKblnCompress::MoveIntoPlace(const std::string& temp, const std::string& dest) {
  for (int attempt = 0;; ++attempt) {
    if (fs_.MoveEx(temp, dest, movefile::kReplaceExisting)) return true;
    if (attempt == kMoveAttempts - 1) return false;
    PauseThread(kMovePause);
  }
}

// Inflates the current member into dest_handle_, whole and dated.
void TKblnCompress::WriteMember(TFileHeader& h, const std::string& dest) {
  dest_file_ = std::make_unique<TKblnNormalHandleStream>(*dest_handle_);
  source_stream_->Seek(static_cast<int64_t>(offset_) + h.DataStart, SeekOrigin::kBegin);
  // The file gets its whole size at once rather than growing block by
  // block, when the compressed bytes can yield that much (deflate
  // inflates at most about 1:1032); a refusal is no fault.
  int64_t packed = static_cast<int64_t>(h.DataEnd) - h.DataStart + 1;
  if (h.FileSize > static_cast<int32_t>(kInflateOutput) && h.FirstDisk == h.LastDisk && packed > 0 &&
      h.FileSize <= packed * 1032 + 64) {
    dest_file_->SetSize(h.FileSize);
    if (dest_file_->Seek(0, SeekOrigin::kBegin) != 0) throw EKCCouldNotCreateFile(dest);
  }
  bool ended = Decompress(*dest_file_);
  stats_.Finished = true;
  Status();
  // The position, not the size: the file may have been given its size.
  if (dest_file_->Position() != h.FileSize) throw EKCWrongDecompressedSize(h.FileName());
  if (!ended) throw EDecompressionError(DamageText(h, "ends early"));
  if (!dest_handle_->SetTime(FileDateToDos(h.FileDate)))
    throw Exception("Cannot set the date of the file just extracted.");
}

std::string TKblnCompress::DamageText(TFileHeader& h, const std::string& what) const {
  return "The compressed data of " + h.FileName() + " in " + compressed_file_ + " " + what;
}

bool TKblnCompress::Decompress(TKblnStream& dest) {
  TFileHeader& h = *current_header_;
  int passes = static_cast<int>(h.LastDisk) - current_disk_ + 1;
  if (passes <= 0) return false;
  z_stream z{};
  if (int r = inflateInit2(&z, 15); r < 0)
    throw EDecompressionError("Cannot start to decompress " + h.FileName() + ": " + zError(r));
  struct End {
    z_stream* z;
    ~End() { inflateEnd(z); }
  } end_guard{&z};
  // inflate works on a wide buffer (it copies every output call into its
  // window, which costs dearly with small buffers); what it produces is
  // handed on in output blocks of 4 096 bytes, each reported and followed
  // by the abort check and the message pump, as if inflated block by block.
  constexpr uint32_t kWide = 16 * kInflateOutput;
  std::vector<unsigned char> in(kInflateInput), out(kWide);
  const int64_t limit = std::max<int32_t>(h.FileSize, 0);
  int64_t written_total = 0;
  bool ended = false;
  for (int pass = 0; pass < passes && !ended; ++pass) {
    for (;;) {
      z.next_out = out.data();
      z.avail_out = kWide;
      while (z.avail_out > 0 && !ended) {
        if (z.avail_in == 0) {
          uint32_t want = kInflateInput;
          if (current_disk_ == h.LastDisk) {
            int64_t pos = source_stream_->Position();
            int64_t last = static_cast<int64_t>(offset_) + h.DataEnd;
            want = (pos < 0 || pos > last) ? 0 : static_cast<uint32_t>(std::min<int64_t>(want, last - pos + 1));
          }
          uint32_t got = want ? source_stream_->Read(in.data(), want) : 0;
          if (got == 0) break;
          z.next_in = in.data();
          z.avail_in = got;
        }
        int r = inflate(&z, Z_NO_FLUSH);
        if (r == Z_STREAM_END) ended = true;
        else if (r < 0 || r == Z_NEED_DICT)
          throw EDecompressionError(DamageText(h, std::string("is damaged: ") + (z.msg ? z.msg : zError(r))));
      }
      uint32_t produced = kWide - z.avail_out;
      // The blocks that stay within the promised size go out in one write;
      // their reports follow one by one, as if each had been written alone.
      uint32_t allowed = produced;
      if (written_total + produced > limit)
        allowed = static_cast<uint32_t>((limit - written_total) / kInflateOutput * kInflateOutput);
      uint32_t w = allowed == 0 ? 0 : dest.Write(out.data(), allowed);
      uint32_t done = 0;
      do {
        uint32_t n = std::min(kInflateOutput, produced - done);
        if (abort_) throw EKCStop();
        Pump();
        if (n == 0) break;
        // More output than the header promises: stop before it grows further.
        if (written_total + n > limit) throw EKCWrongDecompressedSize(h.FileName());
        uint32_t took = w > done ? std::min(n, w - done) : 0;
        if (took < n) DoFullDisk();
        done += n;
        written_total += took;
        stats_.BytesProcessed += static_cast<int32_t>(took);
        stats_.TotalBytesProcessed += static_cast<int32_t>(took);
        stats_.PercentDone = PercentByte(stats_.BytesProcessed, stats_.FileSize);
        stats_.TotalPercentDone = PercentByte(stats_.TotalBytesProcessed, stats_.TotalFileSize);
        Status();
      } while (done < produced);
      // Block by block, the last block with data is followed by an empty one.
      if (produced < kWide) {
        if (produced != 0) {
          if (abort_) throw EKCStop();
          Pump();
        }
        break;
      }
    }
    if (ended) {
      // The member's bytes are exactly one zlib stream.
      bool trailing = z.avail_in > 0 || current_disk_ < h.LastDisk;
      if (!trailing) {
        int64_t pos = source_stream_->Position();
        trailing = pos >= 0 && pos <= static_cast<int64_t>(offset_) + h.DataEnd &&
                   pos < source_stream_->Size();
      }
      if (trailing) throw EDecompressionError(DamageText(h, "is followed by bytes that are not part of it"));
      break;
    }
    if (current_disk_ < h.LastDisk) {
      ++current_disk_;
      source_stream_.reset();
      OpenDiskFile(source_file_, current_disk_, FileAccess::kRead, compressed_file_);
      source_stream_ = std::make_unique<TKblnNormalHandleStream>(*source_file_);
      source_stream_->Seek(0, SeekOrigin::kBegin);
    }
  }
  return ended;
}

void TKblnCompress::OpenDiskFile(std::unique_ptr<File>& stream, int disk, FileAccess mode,
                                 std::string& file_name) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    stream.reset();
    if (headers_.MultiVolume != 0) file_name = archive_paths::ChangeExt(file_name, "." + std::to_string(disk));
    if (!fs_.Exists(file_name)) {
      if (!OnNewDisk) throw Exception("Could not open the correct disk file " + std::to_string(disk));
      std::string path = DirectoryWithoutSlash(file_name);
      OnNewDisk(*this, disk, path);
      file_name = archive_paths::WithSeparator(path) + archive_paths::FileName(file_name);
    }
    if (fs_.Exists(file_name)) {
      stream = fs_.Open(file_name, mode, kShareReadWrite, Disposition::kOpenExisting);
      if (!stream) throw EKCCouldNotOpenCompressedFile(file_name);
      return;
    }
  }
  throw Exception("Could not open the correct disk file " + std::to_string(disk));
}

// ------------------------------------------------------------------ splitting

void TKblnCompress::SplitToDisks(std::string dest_dir, const std::string& disk_file_name) {
  abort_ = false;
  CloseStreams();
  std::unique_ptr<File> volume;
  std::unique_ptr<TKblnNormalHandleStream> volume_stream;
  Guarded(
      false,
      [&] {
        if (!headers_loaded_) ReadHeaders();
        current_disk_ = 1;
        headers_.MultiVolume = 1;
        headers_.StartTotals(stats_);
        // Read only: splitting never writes its source.
        source_file_ = fs_.Open(compressed_file_, FileAccess::kRead, kShareReadWrite,
                                Disposition::kOpenExisting);
        if (!source_file_) throw EKCCouldNotOpenCompressedFile(compressed_file_);
        source_stream_ = std::make_unique<TKblnNormalHandleStream>(*source_file_);
        std::string volume_name = archive_paths::WithSeparator(dest_dir) + disk_file_name;
        volume = fs_.Open(volume_name, FileAccess::kReadWrite, kShareReadWrite, Disposition::kCreateAlways);
        if (!volume) throw EKCCouldNotCreateFile(volume_name);
        volume_stream = std::make_unique<TKblnNormalHandleStream>(*volume);
        headers_.WriteToStream(*volume_stream);
        for (int i = 0; i < headers_.Count(); ++i) {
          TFileHeader& h = *headers_.FileHeaders(i);
          current_header_ = &h;
          LoadStats(h);
          int32_t old_end = h.DataEnd;
          source_stream_->Seek(static_cast<int64_t>(offset_) + h.DataStart, SeekOrigin::kBegin);
          h.DataStart = CheckedPosition(volume_stream->Position());
          h.FirstDisk = static_cast<uint8_t>(current_disk_);
          while (SplitChunk(old_end, volume, volume_stream, volume_name, dest_dir, disk_file_name)) {
          }
          h.DataEnd = CheckedPosition(volume_stream->Position() - 1);
          h.LastDisk = static_cast<uint8_t>(current_disk_);
        }
        volume_stream.reset();
        OpenDiskFile(volume, 1, FileAccess::kReadWrite, volume_name);
        volume_stream = std::make_unique<TKblnNormalHandleStream>(*volume);
        headers_.WriteToStream(*volume_stream);
        // The table in memory now describes the volume set, not CompressedFile.
        headers_loaded_ = false;
      },
      [&] {
        volume_stream.reset();
        volume.reset();
        CloseStreams();
      });
}

bool TKblnCompress::SplitChunk(int32_t old_end, std::unique_ptr<File>& volume,
                               std::unique_ptr<TKblnNormalHandleStream>& volume_stream,
                               std::string& volume_name, std::string& dest_dir,
                               const std::string& disk_file_name) {
  if (abort_) throw EKCStop();
  int64_t end = static_cast<int64_t>(offset_) + old_end;
  int64_t pos = source_stream_->Position();
  if (pos < 0 || pos > end) return false;
  uint32_t n = static_cast<uint32_t>(std::min<int64_t>(kSplitChunk, end - pos + 1));
  unsigned char buffer[kSplitChunk];
  uint32_t got = source_stream_->Read(buffer, n);
  // The archive ends inside a member: it is cut short.
  if (got < n) throw EKCFHCannotReadHeaders();
  Pump();
  uint32_t w = volume_stream->Write(buffer, n);
  if (w < n) {
    volume_stream.reset();
    volume.reset();
    if (current_disk_ >= 255) throw EKCNotEnoughSpace();  // the volume byte cannot count further
    ++current_disk_;
    if (!OnNewDisk) throw EKCNewDiskEventNotAssigned();
    OnNewDisk(*this, current_disk_, dest_dir);
    volume_name = archive_paths::WithSeparator(dest_dir) +
                  archive_paths::ChangeExt(disk_file_name, "." + std::to_string(current_disk_));
    volume = fs_.Open(volume_name, FileAccess::kReadWrite, kShareReadWrite, Disposition::kCreateAlways);
    if (!volume) throw EKCCouldNotCreateFile(volume_name);
    volume_stream = std::make_unique<TKblnNormalHandleStream>(*volume);
    if (volume_stream->Write(buffer + w, n - w) < n - w) throw EKCNotEnoughSpace();
  }
  stats_.BytesProcessed += static_cast<int32_t>(n);
  stats_.PercentDone = PercentByte(stats_.BytesProcessed, stats_.CompressedSize);
  stats_.TotalBytesProcessed += static_cast<int32_t>(n);
  stats_.TotalPercentDone = PercentByte(stats_.TotalBytesProcessed, stats_.TotalCompressedSize);
  Status();
  return true;
}

// ------------------------------------------------------------------ copying

void TKblnCompress::CopyFile(const std::string& source, std::string dest) {
  abort_ = false;
  offset_ = 0;
  extract_directory_ = archive_paths::FilePath(dest);
  DestFileName = archive_paths::FileName(dest);
  std::string new_version = services_.file_version ? services_.file_version(source) : std::string();
  uint32_t source_time = 0;
  bool has_time = fs_.GetTime(source, &source_time);
  bool existed = fs_.Exists(dest);
  if (!ShouldWrite(dest, existed, new_version, has_time ? DosToFileDate(source_time) : 0)) return;
  if (existed && OnReplace) {
    TlzhFileStats nothing;
    OnReplace(*this, nothing);
    dest = extract_directory_ + archive_paths::FileName(DestFileName);
  }
  TlzhFileStats st;
  st.FileName = source;
  auto in = fs_.Open(source, FileAccess::kRead, kShareReadWrite, Disposition::kOpenExisting);
  if (!in) throw EKCCouldNotOpenFile(source);
  int64_t size = in->Size();
  st.FileSize = static_cast<int32_t>(size);
  std::string temp;
  std::string dir = DirectoryOf(dest);
  if (dir.empty() || !fs_.TempFileName(dir, "lzh", &temp)) throw EKCCouldNotCreateFile(dest);
  try {
    auto out = fs_.Open(temp, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
    if (!out) throw EKCCouldNotCreateFile(dest);
    bool short_write = false;
    std::vector<unsigned char> buffer(kCopyFileBuffer);
    uint32_t n = 0;
    do {
      if (abort_) {
        // Stopped: the old destination stays as it was.
        out.reset();
        fs_.RemoveFile(temp);
        return;
      }
      if (!in->Read(buffer.data(), kCopyFileBuffer, &n)) n = 0;
      if (n > 0) {
        uint32_t w = 0;
        out->Write(buffer.data(), n, &w);
        if (w < n) {
          short_write = true;
          DoFullDisk();
        }
      }
      st.BytesProcessed += static_cast<int32_t>(n);
      st.TotalBytesProcessed += static_cast<int32_t>(n);
      st.PercentDone = PercentByte(st.BytesProcessed, st.FileSize);
      st.TotalPercentDone = PercentByte(st.BytesProcessed, st.FileSize);
      if (OnStatus) OnStatus(*this, st);
      Pump();
    } while (n == kCopyFileBuffer);
    // An incomplete copy never takes the place of the destination.
    if (short_write) throw EKCDiskFull();
    if (st.BytesProcessed != size) throw EKCCouldNotOpenFile(source);
    if (has_time) out->SetTime(source_time);  // a refusal is ignored
    out.reset();
    if (!fs_.MoveEx(temp, dest, movefile::kReplaceExisting)) throw EKCCouldNotCreateFile(dest);
  } catch (...) {
    fs_.RemoveFile(temp);
    throw;
  }
  st.Finished = true;
  if (OnStatus) OnStatus(*this, st);
}

}  // namespace kit
