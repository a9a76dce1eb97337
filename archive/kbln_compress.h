// TKblnCompress: moves files into and out of archives. AddFiles compresses a
// list of source files into an archive, ExtractFiles decompresses named
// members into a directory under an overwrite rule, SplitToDisks copies a
// finished archive onto a numbered volume set, CopyFile copies one file
// uncompressed under the same rule. Progress goes to OnStatus; Abort stops
// the running operation; OnNewDisk asks for volumes.
//
// All file access goes through the FileSystem given to the constructor.
// Extracted and copied files are written under a temporary name in the
// destination directory and moved into place only when complete.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/archive_errors.h"
#include "archive/archive_types.h"
#include "archive/compress_ahead.h"
#include "archive/file_headers.h"
#include "archive/kbln_stream.h"
#include "archive/version_lookup.h"
#include "base/component.h"
#include "platform/platform.h"

namespace kit {

class TKblnCompress;

using TKblnNotifyEvent = std::function<void(TKblnCompress& sender)>;
using TlzhFileStatsEvent = std::function<void(TKblnCompress& sender, const TlzhFileStats& stats)>;
using TlzhNewDiskEvent = std::function<void(TKblnCompress& sender, int disk_number, std::string& path)>;

// What the engine needs from the rest of the program.
struct KblnServices {
  // The version string of a file; empty means "no version". When not given,
  // SharedFileVersion (archive/version_lookup.h).
  FileVersionLookup file_version;
  // Lets the user interface process its pending messages (may be empty).
  std::function<void()> process_messages;
  // Shows a plain message box (may be empty).
  std::function<void(const std::string& text)> show_message;
  // The system's last error code (GetLastError); may be empty.
  std::function<uint32_t()> last_error;
};

class TKblnCompress : public TComponent {
  KIT_COMPONENT_CLASS(TKblnCompress)

 public:
  enum class TOperation { kNone, kAdding, kExtracting };

  TKblnCompress(TComponent* owner, FileSystem& fs, KblnServices services = {});
  ~TKblnCompress() override;

  // ---- published properties
  bool Abort() const { return abort_; }
  void SetAbort(bool value) { abort_ = value; }
  const std::string& CompressedFile() const { return compressed_file_; }
  void SetCompressedFile(const std::string& value);
  TCompressionLevel CompressionLevel() const { return level_; }
  void SetCompressionLevel(TCompressionLevel level) { level_ = level; }
  const std::string& ExtractDirectory() const { return extract_directory_; }
  void SetExtractDirectory(const std::string& dir) { extract_directory_ = dir; }
  const std::vector<std::string>& FilesToProcess() const { return files_; }
  // Blank lines (blank after trimming) are dropped.
  void SetFilesToProcess(std::vector<std::string> list);
  int32_t Offset() const { return offset_; }
  void SetOffset(int32_t offset) { offset_ = offset; }
  TOverwriteType Overwrite() const { return overwrite_; }
  void SetOverwrite(TOverwriteType value) { overwrite_ = value; }
  // Members AddFiles compresses at once. Beyond 1, worker threads deflate
  // members ahead while this thread reads, writes and reports in member
  // order: the archive, the events and the errors are those of a run with 1.
  int Jobs() const { return jobs_; }
  void SetJobs(int jobs) { jobs_ = jobs < 1 ? 1 : jobs; }
  // Sources that adds of one member each will name next, in order: with
  // Jobs() above 1, worker threads deflate them ahead and each add takes its
  // member's output at its turn, with the same archive, events and errors.
  // A source is read ahead once: one changed after that is archived as it
  // was read, so a caller that may change them does not name them. An
  // empty list ends it.
  void ExpectSources(std::vector<std::string> sources);
  bool ExpectingSources() const { return ahead_ != nullptr; }

  // ---- events
  TKblnNotifyEvent OnAborted;
  TlzhFileStatsEvent OnAfterAdding;
  TlzhFileStatsEvent OnBeforeAdding;
  TlzhFileStatsEvent OnAfterExtracting;  // not raised by any operation
  TlzhFileStatsEvent OnBeforeExtracting;
  TKblnNotifyEvent OnFullDisk;
  TlzhFileStatsEvent OnListing;  // not raised by any operation
  TlzhNewDiskEvent OnNewDisk;
  TlzhFileStatsEvent OnReplace;
  TlzhFileStatsEvent OnStatus;

  // ---- public state
  std::string DestFileName;
  const TlzhFileStats& FileStats() const { return stats_; }
  bool HeadersLoaded() const { return headers_loaded_; }
  TOperation Operation() const { return operation_; }
  TFileHeaders& Headers() { return headers_; }

  // ---- operations
  void AddFiles(bool only_add);
  void ExtractFiles();
  // Closes the archive that extraction keeps open between calls.
  void ReleaseArchive() { kept_source_.reset(); }
  // Inflates member `index` into nothing, checking it as ExtractFiles would;
  // writes no file.
  void TestMember(int index);
  // Where the last member ends (5 for an empty archive), relative to Offset.
  int64_t StructureEnd();
  void SplitToDisks(std::string dest_dir, const std::string& disk_file_name);
  void CopyFile(const std::string& source, std::string dest);

  int FileCount();
  void GetFileStats(int index, TlzhFileStats& stats);
  int IndexOfFile(const std::string& name);
  void ReadHeaders();

  // Calls OnFullDisk if assigned (the operation goes on), else raises EKCDiskFull.
  virtual void DoFullDisk();
  // Opens volume `disk` (see the class comment of the engine's volume rules);
  // `file_name` follows the volume found.
  void OpenDiskFile(std::unique_ptr<File>& stream, int disk, FileAccess mode, std::string& file_name);
  // The compressor's progress hook, with the compressed bytes so far.
  void AddStatus(int64_t compressed_size);

 private:
  void LoadStats(const TFileHeader& h);
  void Status() { if (OnStatus) OnStatus(*this, stats_); }
  void Pump() { if (services_.process_messages) services_.process_messages(); }
  // The overwrite decision for an existing or missing destination.
  bool ShouldWrite(const std::string& dest, bool exists, const std::string& new_version, double new_date);
  // Runs `body` inside the common error frame of the operations.
  void Guarded(bool silent_abort_returns, const std::function<void()>& body,
               const std::function<void()>& always);
  void ExtractOne(const std::string& line);
  // Decompresses the current member into dest; true when the zlib stream ended.
  bool Decompress(TKblnStream& dest);
  std::string DamageText(TFileHeader& h, const std::string& what) const;
  void WriteMember(TFileHeader& h, const std::string& dest);
  bool MoveIntoPlace(const std::string& temp, const std::string& dest);
  static constexpr int kMoveAttempts = 20;
  static constexpr uint32_t kMovePause = 100;  // ms
  // One chunk of a split; false when the member is copied whole.
  bool SplitChunk(int32_t old_end, std::unique_ptr<File>& volume,
                  std::unique_ptr<TKblnNormalHandleStream>& volume_stream, std::string& volume_name,
                  std::string& dest_dir, const std::string& disk_file_name);
  void AddOne(TFileHeader& h, TKblnStream& archive);
  // AddOne with the member's output deflated ahead.
  void AddTaken(TFileHeader& h, TKblnStream& archive, AheadResult& taken);
  KnownSource KnownAhead();
  // stats_'s totals over the whole table (its sums cached in sum_size_).
  void StartTotals();
  // The progress update of AddStatus from a source position and the
  // compressed size so far.
  void ReportAdding(int64_t source_position, int64_t compressed_size);
  // A member at the archive's end: BeginMember raises OnBeforeAdding, writes
  // the header as a placeholder and returns where; the compressed bytes
  // follow; EndMember reports the member finished (`read` source bytes),
  // completes the header and raises OnAfterAdding.
  int32_t BeginMember(TFileHeader& h, TKblnStream& archive);
  void EndMember(TFileHeader& h, TKblnStream& archive, int32_t header_pos, int64_t read, int64_t packed_size);
  // A progress report: the abort check, the message pump, the figures.
  void Progress(int64_t source_position, int64_t compressed_size);
  // Closes the streams; the archive read last stays open for the next
  // extraction when `keep_source` (see kept_source_).
  void CloseStreams(bool keep_source = false);
  // The member's archive as source_stream_: the kept handle, otherwise
  // opened.
  void OpenMemberSource(const TFileHeader& h);

  FileSystem& fs_;
  std::unique_ptr<CompressAhead> ahead_;
  bool default_version_ = false;  // services_ named no version look-up
  TCompressionLevel ahead_level_ = colMax;
  KblnServices services_;
  bool abort_ = false;
  std::string compressed_file_;
  TCompressionLevel level_ = colMax;
  std::string extract_directory_;
  std::vector<std::string> files_;
  int32_t offset_ = 0;
  TOverwriteType overwrite_ = owAlways;
  int jobs_ = 1;

  TlzhFileStats stats_;
  TFileHeaders headers_;
  bool headers_loaded_ = false;
  // The table the last add left in `written_archive_`, whose size it then
  // was: the next add to that archive takes it instead of reading every
  // record again (a build adds its members one call at a time).
  std::string written_archive_;
  int64_t written_size_ = -1;
  // The table's sums of member sizes and compressed sizes; -1: not known.
  int64_t sum_size_ = -1, sum_packed_ = 0;
  bool TableStillWritten(TKblnStream& archive);
  TOperation operation_ = TOperation::kNone;
  TFileHeader* current_header_ = nullptr;
  int current_disk_ = 0;
  std::unique_ptr<File> source_file_;
  std::unique_ptr<TKblnNormalHandleStream> source_stream_;
  std::unique_ptr<File> dest_handle_;
  std::unique_ptr<TKblnNormalHandleStream> dest_file_;
  // A single-volume archive stays open from one extraction to the next
  // (an installation extracts one member per call) until another operation,
  // another CompressedFile or ReleaseArchive; the table is trusted as long,
  // too. When set, it is CompressedFile's.
  std::unique_ptr<File> kept_source_;
};

}  // namespace kit
