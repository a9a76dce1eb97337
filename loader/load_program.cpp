#include "loader/load_program.h"

#include <memory>

#include "archive/kbln_compress.h"
#include "base/exception.h"
#include "base/format.h"
#include "base/paths.h"
#include "base/setup_log.h"
#include "driver/extraction_trailer.h"
#include "platform/platform.h"

namespace kit {

void LoadProgram::FindArchive() {
  FileSystem& fs = platform_.Files();
  exe_ = platform_.System().ExePath();
  exe_dir_ = ExcludeTrailingBackslash(ExtractFilePath(exe_));
  const std::string beside = IncludeTrailingBackslash(exe_dir_) + "setup.1";  // "A:\\" at a root
  if (fs.Exists(beside)) {
    archive_ = beside;
    return;
  }
  std::unique_ptr<File> f = fs.Open(exe_, FileAccess::kRead, share::kRead | share::kWrite, Disposition::kOpenExisting);
  ExtractionTrailer::Bytes b{};
  uint32_t got = 0;
  const int64_t size = f ? f->Size() : 0;
  if (!f || size < ExtractionTrailer::kSize || !f->Seek(size - ExtractionTrailer::kSize, SeekOrigin::kBegin) ||
      !f->Read(b.data(), ExtractionTrailer::kSize, &got) || got != ExtractionTrailer::kSize ||
      !ExtractionTrailer::HasSignature(b))
    throw Exception("The setup archive " + beside + " was not found, and " + exe_ +
                    " does not carry one. Copy the whole distribution and start setup.exe again");
  const ExtractionTrailer t = ExtractionTrailer::Decode(b);
  if (t.setup_first <= 0 || t.setup_last < t.setup_first || t.files_first <= t.setup_last ||
      t.files_last < t.files_first || t.files_last >= size - ExtractionTrailer::kSize)
    throw Exception("The setup program " + exe_ + " is damaged: its extraction information does not fit the file");
  archive_ = exe_;
  offset_ = t.setup_first;
  self_extracting_ = true;
}

void LoadProgram::MakeTempDir() {
  FileSystem& fs = platform_.Files();
  std::string temp;
  if (!fs.TempDirectory(&temp)) throw Exception("The temporary directory cannot be found");
  temp = ExcludeTrailingBackslash(temp);
  const uint32_t tick = platform_.System().TickCount();
  for (uint32_t i = 0; i < 1000; ++i) {
    const std::string name = "\\KBL" + IntToHex((tick + i) & 0xFFFFF, 5);
    if (fs.Exists(temp + name)) continue;
    if (fs.MakeDirectory(temp + name)) {
      temp_dir_ = temp + name;
      return;
    }
  }
  throw Exception("Cannot make a directory for the setup files in " + temp);
}

std::string LoadProgram::Extract() {
  TKblnCompress engine(nullptr, platform_.Files());
  engine.SetCompressedFile(archive_);
  engine.SetOffset(offset_);
  engine.SetExtractDirectory(temp_dir_);
  engine.SetOverwrite(owAlways);
  engine.ReadHeaders();
  if (engine.Headers().Count() == 0) throw Exception("The setup archive " + archive_ + " holds no installer");
  std::vector<std::string> names;
  for (int i = 0; i < engine.Headers().Count(); ++i) names.push_back(engine.Headers().FileHeaders(i)->FileName());
  engine.SetFilesToProcess(names);
  engine.ExtractFiles();
  if (engine.Abort()) throw Exception("The setup files could not be taken out of " + archive_);
  const std::string installer = temp_dir_ + "\\" + ExtractFileName(names[0]);
  if (!platform_.Files().Exists(installer))
    throw Exception("The installer " + installer + " could not be taken out of " + archive_);
  return installer;
}

void LoadProgram::RemoveTempDir() {
  if (temp_dir_.empty()) return;
  FileSystem& fs = platform_.Files();
  std::vector<FileEntry> entries;
  if (fs.List(temp_dir_, "*", &entries))
    for (const FileEntry& e : entries)
      if (!e.IsDirectory()) fs.RemoveFile(temp_dir_ + "\\" + e.name);
  fs.RemoveDir(temp_dir_);
  temp_dir_.clear();
}

void LoadProgram::ReadSwitches() {
  std::vector<std::string> args = platform_.System().Arguments();
  options_ = Unattended::TakeSwitches(&args, true);
  if (!args.empty()) throw Exception("Unknown parameter " + args[0] + ". The switches are /SILENT, /VERYSILENT and /LOG=FILE");
  if (options_.remove_shared) throw Exception("The switch /REMOVESHARED belongs to the uninstaller");
  if (options_.log_file.empty()) return;
  const std::string& log = options_.log_file;
  const bool absolute = (log.size() > 2 && log[1] == ':' && (log[2] == '\\' || log[2] == '/')) ||
                        log.rfind("\\\\", 0) == 0;
  if (!absolute) throw Exception("The log file " + log + " must be given with its drive or server: /LOG=C:\\SETUP.LOG");
  std::string error;
  if (!SetupLog::Open(platform_.Files(), log, &error)) throw Exception(error);
}

uint32_t LoadProgram::Run() {
  FindArchive();
  if (SetupLog::Active())
    SetupLog::Write("setup", exe_ + " started" +
                                 (options_.mode != UnattendedMode::kOff ? std::string(", ") + UnattendedModeName(options_.mode) : std::string()) +
                                 "; installer from " + archive_ + (self_extracting_ ? " (self-extracting)" : ""));
  MakeTempDir();
  uint32_t code = 0;
  try {
    const std::string installer = Extract();
    std::string command = "\"" + installer + "\" ";
    if (self_extracting_) command += "*SELFEXTRACT " + ExtractFileName(exe_) + " ";
    command += exe_dir_;
    // The installer appends to the log itself.
    SetupLog::Close();
    Unattended::WriteEnvironment(options_);
    if (!platform_.Procs().RunAndWait(command, nullptr, &code))
      throw Exception("The installer " + installer + " could not be started");
  } catch (...) {
    RemoveTempDir();
    throw;
  }
  RemoveTempDir();
  return code;
}

}  // namespace kit
