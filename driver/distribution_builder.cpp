#include "driver/distribution_builder.h"

#include <memory>
#include <vector>

#include "base/exception.h"
#include "base/format.h"
#include "base/paths.h"
#include "base/string_list.h"
#include "base/text.h"
#include "driver/driver_seams.h"
#include "driver/extraction_trailer.h"
#include "driver/install.h"
#include "files/file_container.h"
#include "files/install_engine.h"
#include "files/install_file.h"
#include "platform/current_platform.h"
#include "platform/threads.h"
#include "system/translated_format.h"
#include "translation/translation.h"
#include "ui/application.h"
#include "ui/message_box.h"

namespace kit {
namespace {

// "Lütfen İzleyen Numaralı Disketi Takın : %d" in code page 1254; not translated.
const char kDiskPrompt[] = "L\xFC" "tfen \xDDzleyen Numaral\xFD Disketi Tak\xFDn : %d";

const TCursor kAnimation[4] = {crSizeWE, crSizeNWSE, crSizeNS, crSizeNESW};

FileSystem& Fs() { return CurrentPlatform().Files(); }

// Copies `count` bytes from `from` (at its position) to `to`; the bytes written.
int64_t CopyBytes(File& from, File& to, int64_t count, const std::function<void()>& after_block) {
  std::vector<uint8_t> block(DistributionBuilder::kDiskBlock);
  int64_t done = 0;
  while (done < count) {
    const auto want = static_cast<uint32_t>(std::min<int64_t>(block.size(), count - done));
    uint32_t got = 0, written = 0;
    if (!from.Read(block.data(), want, &got) || got == 0) break;
    if (!to.Write(block.data(), got, &written)) break;
    done += written;
    if (written < got) break;
    if (after_block) after_block();
  }
  return done;
}

// A file of the build copied as an install file is: from its directory
// to the absolute destination.
void CopyAsInstallFile(const std::string& source, const std::string& dest_dir, const std::string& dest_name) {
  TInstallFile file(nullptr);
  file.SetFileName(ExtractFileName(source));
  file.SetIncludeFromDir(ExcludeTrailingBackslash(ExtractFilePath(source)));
  file.SetDestName(dest_name);
  file.SetDestDirType(ddAbsolute);
  file.SetDestDir(dest_dir);
  file.Copy();
}

// The build compresses members on every processor while it lives; the shared
// engine goes back to its jobs afterwards (the archive is the same either way).
struct EveryProcessor {
  EveryProcessor() : jobs(InstallEngine().Jobs()) { InstallEngine().SetJobs(ProcessorCount()); }
  ~EveryProcessor() { InstallEngine().SetJobs(jobs); }
  int jobs;
};

}  // namespace

std::function<std::string()>& DistributionBuilder::SelectComponentDir() {
  static std::function<std::string()> select;
  return select;
}

BuildNotifications& DistributionBuilder::Notifications() {
  static BuildNotifications notifications;
  return notifications;
}

void DistributionBuilder::Notify(const TNotifyEvent& e) {
  if (!e) return;
  TNotifyEvent handler = e;
  handler(&install_);
}

// ---------------------------------------------------------------- *BUILD

void DistributionBuilder::BuildFromInfFile() {
  const std::string inf = ExtractFilePath(install_.ExePath()) + "BUILD.INF";
  if (!Fs().Exists(inf))
    throw Exception(TranslateMessage(
        "Need to have a BUILD.INF file in this directory with the first line specifying the build directory"));
  TStringList lines;
  lines.LoadFromFile(Fs(), inf);
  if (lines.Count() == 0)
    throw Exception(TranslateMessage("Must be 1 line in BUILD.INF. This line should specify the build directory"));
  BuildDistribution(install_.ExePath(), lines[0], std::string(), true);
}

void DistributionBuilder::BuildDistribution(const std::string& installer, const std::string& build_dir,
                                            const std::string& description, bool self_extracting) {
  std::string setup_exe;
  const std::string dir = ExcludeTrailingBackslash(build_dir);
  if (!Trim(dir).empty() && !Fs().DirectoryExists(dir) && !Fs().MakeDirectories(dir))
    throw Exception(TranslatedFormat("Cannot make the build directory %s", {build_dir}));
  // Every source of the distribution, the installer's archive first, is
  // deflated ahead on every processor.
  EveryProcessor jobs;
  std::vector<std::string> setup_sources;
  if (install_.UseLoadingProgram()) setup_sources = SetupSources(installer);
  ExpectedSources ahead(install_, false, setup_sources);
  if (install_.UseLoadingProgram()) {
    Notify(Notifications().before_setup_archive);
    CreateSetupFile(build_dir, installer);
    const std::string loader = GetComponentDir() + "\\" + kLoaderName;
    if (!Fs().Exists(loader)) throw Exception(TranslatedFormat("The loader program %s was not found", {loader}));
    CopyAsInstallFile(loader, build_dir, "setup.exe");
    setup_exe = build_dir + "\\setup.exe";
  } else {
    if (self_extracting)
      throw Exception(TranslateMessage(
          "Cannot build a stand alone executable if the UseLoadingProgram property of the TInstall is set to False"));
    Notify(Notifications().before_installer_copy);
    CopyAsInstallFile(installer, build_dir, ExtractFileName(installer));
  }

  Notify(Notifications().before_file_archive);
  const TPathSpecifiers type = install_.ArchiveFileType();
  const std::string archive = install_.ArchiveFile();
  install_.SetArchiveFileType(ddAbsolute);
  install_.SetArchiveFile(build_dir + "\\files.1");
  try {
    install_.CompressFiles(false);
  } catch (...) {
    install_.PutBackArchiveFile(type, archive);
    throw;
  }
  install_.PutBackArchiveFile(type, archive);

  if (!self_extracting) return;
  Notify(Notifications().before_self_extracting_file);
  ExtractionTrailer trailer;
  std::unique_ptr<File> exe = Fs().Open(setup_exe, FileAccess::kReadWrite, share::kRead, Disposition::kOpenExisting);
  if (!exe || !exe->Seek(0, SeekOrigin::kEnd))
    throw Exception(TranslatedFormat("Cannot open the file %s", {setup_exe}));
  AppendPart(*exe, build_dir + "\\setup.1", trailer.setup_first, trailer.setup_last);
  AppendPart(*exe, build_dir + "\\files.1", trailer.files_first, trailer.files_last);
  trailer.description = description.substr(0, ExtractionTrailer::kMaxDescription);
  const ExtractionTrailer::Bytes bytes = trailer.Encode();
  uint32_t written = 0;
  if (!exe->Write(bytes.data(), ExtractionTrailer::kSize, &written) || written != ExtractionTrailer::kSize)
    throw Exception(TranslatedFormat("Cannot write to the file %s", {setup_exe}));
}

void DistributionBuilder::AppendPart(File& target, const std::string& part, int32_t& first, int32_t& last) {
  std::unique_ptr<File> in = Fs().Open(part, FileAccess::kRead, share::kRead, Disposition::kOpenExisting);
  if (!in) throw Exception(TranslatedFormat("Cannot open the file %s", {part}));
  int64_t position = 0;
  target.Seek(0, SeekOrigin::kCurrent, &position);
  const int64_t size = in->Size();
  if (position + size > INT32_MAX)
    throw Exception(TranslatedFormat("The file %s makes the setup program larger than 2 GB", {part}));
  if (CopyBytes(*in, target, size, nullptr) != size)
    throw Exception(TranslatedFormat("Cannot append the file %s to the setup program", {part}));
  first = static_cast<int32_t>(position);
  last = static_cast<int32_t>(position + size - 1);
}

std::vector<std::string> DistributionBuilder::SetupSources(const std::string& installer) const {
  std::vector<std::string> sources{installer};
  for (const std::string& line : install_.PresetupFiles()) sources.push_back(line);
  return sources;
}

void DistributionBuilder::CreateSetupFile(const std::string& build_dir, const std::string& installer) {
  if (Trim(installer).empty()) throw Exception(TranslateMessage("Cannot create setup file. Executable is blank"));
  TFileContainer container(nullptr);
  container.SetAddToArchive(lzcOverwrite);
  container.SetArchiveFileType(ddAbsolute);
  container.SetArchiveFile(build_dir + "\\setup.1");
  if (!Fs().Exists(installer))
    throw Exception(TranslatedFormat("TInstall: Cannot find the executable file %s", {installer}));
  std::vector<std::string> sources = SetupSources(installer);
  std::vector<std::unique_ptr<TInstallFile>> files;
  for (const std::string& source : sources) {
    auto file = std::make_unique<TInstallFile>(nullptr);
    file->SetContainer(&container);
    file->SetFileName(ExtractFileName(source));
    file->SetIncludeFromDir(ExcludeTrailingBackslash(ExtractFilePath(source)));
    file->SetArchiveFileType(ddContainerArchiveFile);
    file->SetArchiveFile(std::string());
    files.push_back(std::move(file));
  }
  {
    EveryProcessor jobs;
    container.CompressFiles(false);
  }
  for (auto& f : files) f->SetContainer(nullptr);
}

// ---------------------------------------------------------------- *TODISK

void DistributionBuilder::AdvanceCursor() {
  Application().SetScreenCursor(kAnimation[animation_ % 4]);
  animation_ = (animation_ + 1) % 4;
  Application().ProcessMessages();
}

void DistributionBuilder::BuildToDisk() {
  animation_ = 0;
  Application().SetScreenCursor(crHourGlass);
  Application().ProcessMessages();
  struct DefaultCursor {
    ~DefaultCursor() {
      Application().SetScreenCursor(crDefault);
      Application().ProcessMessages();
    }
  } default_cursor;

  const std::string drive = "a:";
  install_.SetSelfExtract(true);
  install_.ReadLoadingParameters();
  const std::string program = install_.GetArchiveFile();
  const ExtractionTrailer trailer = ExtractionTrailer::Read(Fs(), program);
  std::unique_ptr<File> source = Fs().Open(program, FileAccess::kRead, share::kRead | share::kWrite,
                                           Disposition::kOpenExisting);
  if (!source)
    throw Exception(TranslatedFormat(
        "Could not open the archive file %s when trying to find the correct offset into the self extracting file",
        {program}));

  {
    std::unique_ptr<File> exe = Fs().Open(drive + "\\setup.exe", FileAccess::kWrite, share::kNone,
                                          Disposition::kCreateAlways);
    if (!exe || CopyBytes(*source, *exe, trailer.setup_first, nullptr) != trailer.setup_first)
      throw Exception(TranslateMessage("Cannot create setup.exe on the A drive. Probably not enough room"));
  }
  {
    const int64_t size = static_cast<int64_t>(trailer.setup_last) - trailer.setup_first + 1;
    std::unique_ptr<File> setup1 = Fs().Open(drive + "\\setup.1", FileAccess::kWrite, share::kNone,
                                             Disposition::kCreateAlways);
    if (!setup1 || size < 0 || !source->Seek(trailer.setup_first, SeekOrigin::kBegin) ||
        CopyBytes(*source, *setup1, size, [this] { AdvanceCursor(); }) != size)
      throw Exception(TranslateMessage("Cannot create the Setup.1 archive on the A drive. Probably not enough room"));
  }
  source.reset();

  animation_ = 0;
  TKblnCompress& engine = InstallEngine();
  ClaimInstallEngineHandlers(this);
  engine.OnNewDisk = [](TKblnCompress&, int disk, std::string&) {
    Application().SetScreenCursor(crDefault);
    const int answer = ShowMessageBox(Format(kDiskPrompt, {static_cast<int64_t>(disk)}),
                                      Application().Title(), mb::kOkCancel);
    Application().SetScreenCursor(crHourGlass);
    if (answer == id::kCancel) throw Exception(TranslateMessage("Aborted"));
  };
  engine.OnStatus = [this](TKblnCompress&, const TlzhFileStats&) { AdvanceCursor(); };
  auto remove_handlers = [&] {
    engine.OnNewDisk = nullptr;
    engine.OnStatus = nullptr;
    ReleaseInstallEngineHandlers(this);
  };
  try {
    engine.SetOffset(trailer.files_first);
    engine.SetCompressedFile(program);
    engine.SplitToDisks(drive, "files.1");
  } catch (...) {
    remove_handlers();
    throw;
  }
  remove_handlers();
}

// ------------------------------------------------------------ self-extract

void DistributionBuilder::FindSelfExtractOffset() {
  const ExtractionTrailer trailer = ExtractionTrailer::Read(Fs(), install_.GetArchiveFile());
  InstallEngine().SetOffset(trailer.files_first);
}

std::string DistributionBuilder::GetComponentDir() {
  Registry& reg = CurrentPlatform().Reg();
  std::string dir;
  if (auto key = reg.Open(RegRoot::kLocalMachine, kComponentKey, RegAccess::kRead, false)) {
    RegValue v;
    if (key->Query(kComponentValue, &v)) dir = v.AsString().value_or(std::string());
  }
  if (!Trim(dir).empty()) return dir;
  if (!SelectComponentDir())
    throw Exception(TranslatedFormat("The directory of the component kit is not set in %s", {kComponentValue}));
  dir = SelectComponentDir()();
  auto key = reg.Open(RegRoot::kLocalMachine, kComponentKey, RegAccess::kAll, true);
  if (!key || !key->Set(kComponentValue, RegValue::String(dir)))
    throw Exception(TranslatedFormat("Cannot write the value %s", {kComponentValue}));
  return dir;
}

void DistributionBuilder::InstallSeams() {
  DriverSeams& seams = Seams();
  seams.build_from_inf_file = [](TInstall& i) { DistributionBuilder(i).BuildFromInfFile(); };
  seams.build_to_disk = [](TInstall& i) { DistributionBuilder(i).BuildToDisk(); };
  seams.find_self_extract_offset = [](TInstall& i) { DistributionBuilder(i).FindSelfExtractOffset(); };
}

}  // namespace kit
