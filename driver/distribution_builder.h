// The build modes of the install program: "*BUILD" compresses the
// installation into a build directory beside the loading program and makes
// the self-extracting setup.exe; "*TODISK" takes such a setup.exe apart onto
// floppy disks in drive A:. Also where a self-extracting setup.exe keeps its
// file archive, and the directory of the kit the loading program comes from.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/notify_event.h"

namespace kit {

class TInstall;

// Host code may watch the steps of a build; the sender is the driver.
struct BuildNotifications {
  TNotifyEvent before_setup_archive;
  TNotifyEvent before_installer_copy;  // no loading program
  TNotifyEvent before_file_archive;
  TNotifyEvent before_self_extracting_file;
};

class DistributionBuilder {
 public:
  static constexpr const char* kLoaderName = "KobbelinLoadProgram.exe";
  static constexpr const char* kComponentKey = "\\Software\\Tarn Vell\\Kobbelin96";
  static constexpr const char* kComponentValue = "KobbelinDirectory";
  static constexpr int kDiskBlock = 8192;

  explicit DistributionBuilder(TInstall& install) : install_(install) {}

  // "*BUILD": BUILD.INF beside the installer names the build directory.
  void BuildFromInfFile();
  void BuildDistribution(const std::string& installer, const std::string& build_dir,
                         const std::string& description, bool self_extracting);
  // "setup.1": the installer and the presetup files.
  void CreateSetupFile(const std::string& build_dir, const std::string& installer);
  // "*TODISK" setup-program directory: setup.exe, setup.1 and files.1 onto A:.
  void BuildToDisk();
  // Points the archive engine at the files.1 inside the driver's archive file.
  void FindSelfExtractOffset();

  // The kit's directory from the registry; when blank, asked for and kept.
  static std::string GetComponentDir();
  // Asks for the kit's directory (the directory-selection dialog); unset,
  // a blank directory is an error.
  static std::function<std::string()>& SelectComponentDir();
  static BuildNotifications& Notifications();
  // Fills the driver's seams with these modes.
  static void InstallSeams();

 private:
  void Notify(const TNotifyEvent& e);
  void AppendPart(class File& target, const std::string& part, int32_t& first, int32_t& last);
  void AdvanceCursor();
  // setup.1's sources: the installer, then the presetup files.
  std::vector<std::string> SetupSources(const std::string& installer) const;

  TInstall& install_;
  int animation_ = 0;
};

}  // namespace kit
