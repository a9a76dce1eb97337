#include "driver/restart_links.h"

#include <memory>

#include "base/paths.h"
#include "driver/driver_seams.h"
#include "driver/install.h"
#include "driver/platform_class.h"
#include "files/batch_link.h"
#include "files/install_file.h"
#include "files/install_shell_link.h"
#include "model/install_driver.h"
#include "model/program_manager.h"
#include "model/system_folders.h"
#include "platform/current_platform.h"
#include "system/shell_link_routine.h"

namespace kit {
namespace {

class RestartLink : public TemporaryShellLink {
 public:
  RestartLink(std::string component, const std::string& target, std::string parameters)
      : component_(std::move(component)), target_(target), parameters_(std::move(parameters)),
        link_name_(ChangeFileExt(ExtractFileName(target), ".LNK")) {}

  void SetDestination(TPathSpecifiers type, const std::string& dir) override {
    type_ = type;
    dir_ = dir;
  }
  std::string DestinationFolder() override {
    std::string base = type_ == ddProgramMenuDir ? GetProgramMenuDir() : GetStartUpDir();
    base = RemoveTrailingBackslash(base);
    if (dir_.empty()) return base;
    return base + (dir_.front() == '\\' ? "" : "\\") + RemoveTrailingBackslash(dir_);
  }
  std::string LinkName() override { return link_name_; }
  void Create() override {
    const int cls = CurrentPlatformClass();
    if (cls != platform_class::kWindows95 && cls != platform_class::kWindowsNT) {
      // No link object: an item of the group named by the folder's last part.
      if (type_ != ddProgramMenuDir) return;
      AddProgramManagerItem(ExtractFileName(DestinationFolder()), ChangeFileExt(link_name_, ""),
                            "\"" + target_ + "\" " + parameters_,
                            "\"" + RemoveTrailingBackslash(ExtractFilePath(target_)) + "\"");
      return;
    }
    ShellLinkData data;
    data.target = target_;
    data.arguments = parameters_;
    data.working_directory = RemoveTrailingBackslash(ExtractFilePath(target_));
    CreateShellLinkFile(component_, DestinationFolder() + "\\" + link_name_, data);
  }

 private:
  std::string component_, target_, parameters_, link_name_;
  TPathSpecifiers type_ = ddStartUpMenuDir;
  std::string dir_;
};

void MakeBatchLink(TInstallFile& owner, const std::string& batch_file, int platform_class) {
  RestartLink link("KobbelinBatLink", batch_file, std::string());
  InstallDriver* driver = Driver();
  if (platform_class != platform_class::kWindows95 && platform_class != platform_class::kWindowsNT) {
    link.SetDestination(ddProgramMenuDir, "Startup");
    if (driver) driver->AddUnfinishedEntry(ChangeFileExt(link.LinkName(), ""), unfinished::kProgramManagerItem);
  } else {
    link.SetDestination(ddStartUpMenuDir, std::string());
    if (driver) driver->AddUnfinishedEntry(link.DestinationFolder() + "\\" + link.LinkName(), unfinished::kDeleteFile);
  }
  (void)owner;
  link.Create();
}

}  // namespace

void InstallRestartLinks() {
  Seams().make_shell_link = [](TInstall& owner, const std::string& name, const std::string& target,
                               const std::string& parameters) -> std::unique_ptr<TemporaryShellLink> {
    (void)owner;
    return std::make_unique<RestartLink>(name, target, parameters);
  };
  Seams().delete_program_manager_item = [](const std::string& group, const std::string& item) {
    TProgramManager& pm = ProgramManager();
    pm.CreateGroup(group);
    pm.DeleteItem(item);
  };
  SetBatchStartupLinkMaker(MakeBatchLink);
}

}  // namespace kit
