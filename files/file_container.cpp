#include "files/file_container.h"

#include <algorithm>
#include <limits>

#include "base/exception.h"
#include "base/paths.h"
#include "base/rounding.h"
#include "base/text.h"
#include "files/cleanup.h"
#include "files/install_engine.h"
#include "files/install_file.h"
#include "model/parameter_list.h"
#include "platform/current_platform.h"
#include "system/translated_format.h"
#include "translation/translation.h"
#include "ui/application.h"
#include "ui/handler_table.h"

namespace kit {
namespace {

[[noreturn]] void RaiseTranslated(const char* english) { throw Exception(TranslateMessage(english)); }

// The checks of a progress or disk-change report: a list of the install
// file and a parameter of the expected class.
template <class Second>
std::pair<TInstallFile*, Second*> CheckReportList(TParameterObject* parameter, const char* nil_message) {
  if (parameter == nullptr) RaiseTranslated(nil_message);
  auto* list = dynamic_cast<TParameterList*>(parameter);
  if (list == nullptr) RaiseTranslated("DoInformationEventControl--PO is not a TList object");
  if (list->Count() < 2)
    RaiseTranslated("DoInformationEventControl--Not engouh parameters for status event");
  auto* file = dynamic_cast<TInstallFile*>(list->Items(0));
  if (file == nullptr) RaiseTranslated("DoInformationEventControl says bad first parameter");
  auto* second = dynamic_cast<Second*>(list->Items(1));
  if (second == nullptr) RaiseTranslated("DoInformationEventControl says bad second parameter");
  return {file, second};
}

int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// The hourglass for a scope; the previous cursor comes back also on errors.
class Hourglass {
 public:
  Hourglass() : previous_(Application().ScreenCursor()) { Application().SetScreenCursor(crHourGlass); }
  ~Hourglass() { Application().SetScreenCursor(previous_); }

 private:
  TCursor previous_;
};

}  // namespace

const EnumType kFileContainerStateType("TFileContainerState",
                                       {"fcsNone", "fcsCompress", "fcsInstall", "fcsCopy"});

TInstallTypeSet InstallTypesAfterSetting(TInstallTypeSet old_set, TInstallTypeSet value) {
  if (value.Empty()) return TInstallTypeSet{itAlways};
  if (value.Contains(itAlways) && !old_set.Contains(itAlways)) return TInstallTypeSet{itAlways};
  TInstallTypeSet without = value;
  without.Exclude(itAlways);
  if (!without.Empty()) return without;
  return value;
}

bool CountsInTotals(const TInstallContainer& c) {
  if (!c.Include()) return false;
  return c.CurrentInstallType() == itAlways || c.InstallTypes().Contains(itAlways) ||
         c.InstallTypes().Contains(c.CurrentInstallType());
}

const PropertyTable& TFileContainer::Properties() {
  static const PropertyTable table = PropertyTable::Make<TFileContainer, TFileRelated>([](auto& p) {
    p.Set(
        "InstallTypes",
        [](TFileContainer* c, uint8_t bits) { c->SetInstallTypesChecked(TInstallTypeSet::FromBits(bits)); },
        [](TFileContainer* c) { return static_cast<uint8_t>(c->InstallTypes().Bits()); },
        kInstallTypeType);
    p.Enum("State", &TFileContainer::SetState, &TFileContainer::State, kFileContainerStateType);
    auto bind = [&p](const char* name, auto slot, std::string EventNames::*field) {
      PublishEvent(p, name, slot, &TFileContainer::event_names_, field);
    };
    bind("OnCloseCopyFileDlg", &TFileContainer::on_close_copy_file_dlg, &EventNames::close_copy_file_dlg);
    bind("OnNewDisk", &TFileContainer::on_new_disk, &EventNames::new_disk);
    bind("OnReplacing", &TFileContainer::on_replacing, &EventNames::replacing);
    bind("OnShowCopyFileDlg", &TFileContainer::on_show_copy_file_dlg, &EventNames::show_copy_file_dlg);
    bind("OnStatus", &TFileContainer::on_status, &EventNames::status);
  });
  return table;
}

TFileContainer::TFileContainer(TComponent* owner, int32_t processing_rank)
    : TFileRelated(owner, processing_rank) {}

TFileContainer::~TFileContainer() {
  description_.clear();
  FreeInstallFiles();
  AnnounceDestruction();
}

void TFileContainer::SetInstallTypesChecked(TInstallTypeSet types) {
  SetInstallTypes(IsLoading() ? types : InstallTypesAfterSetting(InstallTypes(), types));
}

void TFileContainer::SetState(TFileContainerState state) {
  if (IsLoading()) return;  // an action, never a stored value
  try {
    switch (state) {
      case fcsCompress: CompressFiles(false); break;
      case fcsInstall: Process(); break;
      case fcsCopy: CopyFiles(); break;
      case fcsNone: break;
    }
  } catch (...) {
    state_ = fcsNone;
    throw;
  }
  state_ = fcsNone;
}

int TFileContainer::InstallFileCount() const { return CompCount<TInstallFile>(); }

TInstallFile* TFileContainer::InstallFiles(int index) const { return Comp<TInstallFile>(index); }

int TFileContainer::FileContainerCount() const { return CompCount<TFileContainer>(); }

TInstallFile* TFileContainer::FindInstallFile(const std::string& path) const {
  for (int i = 0; i < HelperCount(); ++i) {
    auto* file = dynamic_cast<TInstallFile*>(Helpers(i));
    if (file != nullptr && SameText(file->SourcePath(), path)) return file;
  }
  return nullptr;
}

void TFileContainer::FreeInstallFiles() { FreeHelpersOfClass(ComponentClass::Of<TInstallFile>()); }

// ------------------------------------------------------------------ totals

int32_t TFileContainer::SumOver(bool all, bool compressed) const {
  int64_t sum = 0;
  for (int i = 0; i < HelperCount(); ++i) {
    TBaseHelperComponent* h = Helpers(i);
    if (auto* file = dynamic_cast<TInstallFile*>(h)) {
      if (all || CountsInTotals(*file)) sum += compressed ? file->CompressedSize() : file->FileSize();
    } else if (auto* sub = dynamic_cast<TFileContainer*>(h)) {
      if (all || CountsInTotals(*sub)) sum += compressed ? sub->TotalCompressedSize(all) : sub->TotalSize(all);
    }
  }
  return Clamp32(sum);
}

int32_t TFileContainer::TotalSize(bool all) const { return SumOver(all, false); }

int32_t TFileContainer::TotalCompressedSize(bool all) const { return SumOver(all, true); }

void TFileContainer::ReadArchiveInfo() {
  Hourglass hourglass;
  for (int i = 0; i < HelperCount(); ++i)
    if (auto* file = dynamic_cast<TInstallFile*>(Helpers(i))) file->ReadArchiveInfo();
  for (int i = 0; i < HelperCount(); ++i)
    if (auto* sub = dynamic_cast<TFileContainer*>(Helpers(i))) sub->ReadArchiveInfo();
}

void TFileContainer::ReadSourceInfo() {
  for (int i = 0; i < HelperCount(); ++i)
    if (auto* file = dynamic_cast<TInstallFile*>(Helpers(i))) file->ReadSourceInfo();
  for (int i = 0; i < HelperCount(); ++i)
    if (auto* sub = dynamic_cast<TFileContainer*>(Helpers(i))) sub->ReadSourceInfo();
}

// ------------------------------------------------------------------ reports

void TFileContainer::Status(TInstallFile* file, TFileStatusParameter* status) {
  if (on_status) {
    TInstallFileStatusEvent handler = on_status;
    handler(file, status->FilePercentDone, status->TotalPercentDone);
  }
  NotifyDialogs(this, event::kCopyingFile, status);
}

void TFileContainer::Replacing(TInstallFile* file) {
  if (on_replacing) {
    TInstallFileNotifyEvent handler = on_replacing;
    handler(file);
  }
  NotifyDialogs(this, event::kReplacingFile, file);
}

void TFileContainer::NewDisk(TInstallFile* file, TDiskParameter* disk) {
  std::string path = disk->Path();
  if (on_new_disk) {
    TInstallFileNewDiskEvent handler = on_new_disk;
    handler(file, disk->DiskNumber(), path);
    file->SetTag(1);
  }
  disk->SetPath(path);
}

void TFileContainer::DoInformationEventControl(TInstallContainer* sender, const std::string& event_name,
                                               TParameterObject* parameter) {
  if (state_ == fcsNone) return;
  if (SameText(event_name, event::kInstallingFile) || SameText(event_name, event::kCopyingFileReport) ||
      SameText(event_name, event::kCompressingFile)) {
    auto [file, status] = CheckReportList<TFileStatusParameter>(
        parameter, "The ParameterObject is Nil in the DoInformationEventControl method of the TInstallFileGroup");
    const int64_t done = static_cast<int64_t>(bytes_done_) + status->BytesProcessed;
    status->TotalBytesProcessed = Clamp32(done);
    int64_t percent = 0;
    if (total_bytes_ != 0 && !TryRound(static_cast<double>(done) / total_bytes_ * 100.0, &percent)) percent = 0;
    status->TotalPercentDone = Clamp32(percent);
    Status(file, status);
    if (status->FileStats.Finished) bytes_done_ = Clamp32(static_cast<int64_t>(bytes_done_) + status->FileStats.FileSize);
  } else if (SameText(event_name, event::kReplaceInstallFile)) {
    if (parameter == nullptr)
      RaiseTranslated("The ParameterObject is Nil in the DoInformationEventControl method of the TFileContainer");
    auto* file = dynamic_cast<TInstallFile*>(parameter);
    if (file == nullptr) RaiseTranslated("DoInformationEventControl parameter is not TInstallFile");
    Replacing(file);
  } else if (SameText(event_name, event::kChangeDiskReport)) {
    auto [file, disk] = CheckReportList<TDiskParameter>(
        parameter, "The ParameterObject is Nil in the DoInformationEventControl method of the TInstallFileGroup");
    NewDisk(file, disk);
    NotifyDialogs(this, event::kChangeDisk, parameter);
  }
  Report(this, event_name, parameter);
}

void TFileContainer::Report(TInstallContainer* sender, const std::string& event_name,
                            TParameterObject* parameter) {
  if (Container() != nullptr) Container()->DoInformationEventControl(sender, event_name, parameter);
}

// ------------------------------------------------------------------ the runs

void TFileContainer::ProcessHelpers() {
  state_ = fcsInstall;
  TKblnCompress& engine = InstallEngine();
  // The engine's flag is left set by every finished run; only a run that was
  // stopped (and so ends by an error) reports itself aborted.
  engine.SetAbort(false);
  bool completed = false;
  auto finish = [&] {
    const bool was_aborted = !completed && engine.Abort();
    engine.SetAbort(true);
    try {
      NotifyDialogs(this, event::kDoneCopyingFiles, nullptr);
      if (on_close_copy_file_dlg) {
        TAfterProcessFilesEvent handler = on_close_copy_file_dlg;
        handler(this, was_aborted);
      }
    } catch (...) {
      state_ = fcsNone;
      throw;
    }
    state_ = fcsNone;
  };
  RunWithCleanup([&] {
    ReadArchiveInfo();
    NotifyDialogs(this, event::kBeforeInstallFileGroup, nullptr);
    Report(this, event::kBeforeFileContainer, this);
    total_bytes_ = TotalSize(false);
    bytes_done_ = 0;
    if (on_show_copy_file_dlg) {
      TInstallContainerNotifyEvent handler = on_show_copy_file_dlg;
      handler(this);
    }
    TFileRelated::ProcessHelpers();
    Report(this, event::kAfterFileContainer, this);
    completed = true;
  }, finish);
}

namespace {

// The sources the files below will add, in the order they come; false when
// a handler of theirs runs while they are compressed (it may write a source,
// which must then be read at its turn, not ahead).
bool CollectSources(TFileContainer& container, bool force, std::vector<std::string>& out) {
  for (int i = 0; i < container.HelperCount(); ++i) {
    TBaseHelperComponent* h = container.Helpers(i);
    if (auto* sub = dynamic_cast<TFileContainer*>(h)) {
      if (!force && !sub->Include()) continue;
      if (sub->OnBeforeProcess() || sub->OnAfterProcess() || !CollectSources(*sub, force, out)) return false;
    } else if (auto* file = dynamic_cast<TInstallFile*>(h); file != nullptr && (force || file->Include())) {
      if (file->on_before_compress || file->on_after_compress) return false;
      try {
        out.push_back(file->SourcePath());
      } catch (const Exception&) {
        // Its own add reports it.
      }
    }
  }
  return true;
}

}  // namespace

ExpectedSources::ExpectedSources(TFileContainer& container, bool force, std::vector<std::string> first)
    : engine_(InstallEngine()) {
  if (engine_.ExpectingSources() || engine_.Jobs() <= 1) return;
  if (!CollectSources(container, force, first)) return;
  engine_.ExpectSources(std::move(first));
  owner_ = true;
}

ExpectedSources::~ExpectedSources() {
  if (owner_) engine_.ExpectSources({});
}

void TFileContainer::CompressFiles(bool force) {
  state_ = fcsCompress;
  auto done = [this] {
    state_ = fcsNone;
    NotifyDialogs(this, event::kDoneCopyingFiles, nullptr);
  };
  RunWithCleanup([&] {
    if (OnBeforeProcess()) OnBeforeProcess()(this);
    if (!Include()) return;  // the clean-up alone
    Report(this, event::kBeforeFileContainer, this);
    ReadSourceInfo();
    total_bytes_ = TotalSize(force);
    bytes_done_ = 0;
    if (AddToArchive() == lzcOverwrite) {
      const std::string archive = GetArchiveFile();
      FileSystem& fs = CurrentPlatform().Files();
      const std::string first = ChangeFileExt(archive, ".1");
      if (fs.Exists(first) && !fs.RemoveFile(first))
        throw Exception(TranslatedFormat("Cannot delete archive file %s", {archive}));
    }
    ExpectedSources ahead(*this, force);
    // The helper list may change under a helper's run: walk a copy.
    std::vector<TBaseHelperComponent*> helpers;
    for (int i = 0; i < HelperCount(); ++i) helpers.push_back(Helpers(i));
    for (TBaseHelperComponent* h : helpers) {
      auto* sub = dynamic_cast<TFileContainer*>(h);
      auto* file = dynamic_cast<TInstallFile*>(h);
      if (sub == nullptr && file == nullptr) continue;
      auto* related = static_cast<TFileRelated*>(h);
      const TlzhCommand add = related->AddToArchive();
      const TPathSpecifiers type = related->ArchiveFileType();
      const std::string archive_file = related->ArchiveFile();
      const bool include = related->Include();
      auto put_back = [&] {
        related->SetAddToArchive(add);
        if (force) {
          related->PutBackArchiveFile(type, archive_file);
          related->SetInclude(include);
        }
      };
      related->SetAddToArchive(lzcOnlyAdd);
      if (force) {
        related->SetArchiveFileType(ddContainerArchiveFile);
        related->SetArchiveFile(std::string());
        related->SetInclude(true);
      }
      try {
        if (sub != nullptr)
          sub->CompressFiles(force);
        else
          file->Compress();
      } catch (...) {
        put_back();
        throw;
      }
      put_back();
    }
    if (OnAfterProcess()) OnAfterProcess()(this);
    Report(this, event::kAfterFileContainer, this);
  }, done);
}

void TFileContainer::CopyFiles() {
  state_ = fcsCopy;
  auto done = [this] {
    state_ = fcsNone;
    NotifyDialogs(this, event::kDoneCopyingFiles, nullptr);
  };
  RunWithCleanup([&] {
    if (OnBeforeProcess()) OnBeforeProcess()(this);
    if (Include()) {
      Report(this, event::kBeforeFileContainer, this);
      ReadSourceInfo();
      total_bytes_ = TotalSize(false);
      bytes_done_ = 0;
      std::vector<TInstallFile*> files;
      std::vector<TFileContainer*> subs;
      for (int i = 0; i < HelperCount(); ++i) {
        if (auto* file = dynamic_cast<TInstallFile*>(Helpers(i))) files.push_back(file);
        if (auto* sub = dynamic_cast<TFileContainer*>(Helpers(i))) subs.push_back(sub);
      }
      for (TInstallFile* file : files) file->Copy();
      for (TFileContainer* sub : subs) sub->CopyFiles();
      if (OnAfterProcess()) OnAfterProcess()(this);
      Report(this, event::kAfterFileContainer, this);
    }
  }, done);
}

}  // namespace kit
