// An install component that deals with the archive: file containers and
// install files. It adds the archive file, a path pair like DestDir.
#pragma once

#include <cstdint>
#include <string>

#include "model/base_helper_component.h"

namespace kit {

// When compressing: recreate the archive or add to it (AddFiles with
// OnlyAdd).
enum TlzhCommand { lzcOverwrite, lzcOnlyAdd };
extern const EnumType kTlzhCommandType;

class TFileRelated : public TBaseHelperComponent {
  KIT_COMPONENT_CLASS(TFileRelated)

 public:
  // Created next to a driver in the design state it shares its
  // container's archive (ddContainerArchiveFile, empty ArchiveFile).
  explicit TFileRelated(TComponent* owner, int32_t processing_rank = rank::kNone);
  ~TFileRelated() override;

  // Adds AddToArchive, ArchiveFile and ArchiveFileType.
  static const PropertyTable& Properties();

  TlzhCommand AddToArchive() const { return add_to_archive_; }
  void SetAddToArchive(TlzhCommand command) { add_to_archive_ = command; }

  const std::string& ArchiveFile() const { return archive_file_; }
  virtual void SetArchiveFile(const std::string& file);
  TPathSpecifiers ArchiveFileType() const { return archive_file_type_; }
  // Outside of loading: ddAbsolute .. ddCommonFilesDir always; ddLoading
  // with a driver; ddContainerDestDir and ddContainerArchiveFile with a
  // container; nothing else. A refused value raises and changes nothing.
  virtual void SetArchiveFileType(TPathSpecifiers type);
  // ArchiveFile resolved by ArchiveFileType, one trailing backslash
  // removed: ddLoading against the driver's SourceDirectory,
  // ddContainerDestDir against the container's GetDestDir,
  // ddContainerArchiveFile against the container's GetArchiveFile (so an
  // empty ArchiveFile shares the container's archive).
  virtual std::string GetArchiveFile() const;

  // Outside of loading a new container makes the component share its
  // archive (ddContainerArchiveFile, empty ArchiveFile); no container
  // leaves ddAbsolute.
  void SetContainer(TInstallContainer* container) override;

  // Puts back archive settings a run changed, without the setter checks.
  void PutBackArchiveFile(TPathSpecifiers type, const std::string& file) {
    archive_file_type_ = type;
    archive_file_ = file;
  }

 protected:
  // Stores without checks.
  void StoreArchiveFileType(TPathSpecifiers type) { archive_file_type_ = type; }

 private:
  TlzhCommand add_to_archive_ = lzcOverwrite;
  std::string archive_file_;
  TPathSpecifiers archive_file_type_ = ddAbsolute;
};

}  // namespace kit
