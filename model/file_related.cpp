#include "model/file_related.h"

#include "base/exception.h"
#include "model/detail_format.h"
#include "model/install_driver.h"
#include "model/system_folders.h"
#include "translation/translation.h"

namespace kit {
namespace {

using detail::Arg;
using detail::Format;

[[noreturn]] void Raise(const char* format, const std::string& name) {
  throw Exception(Format(TranslateMessage(format), {Arg(name)}));
}

}  // namespace

const EnumType kTlzhCommandType("TlzhCommand", {"lzcOverwrite", "lzcOnlyAdd"});

TFileRelated::TFileRelated(TComponent* owner, int32_t processing_rank)
    : TBaseHelperComponent(owner, processing_rank) {
  if (AutoAttached()) archive_file_type_ = ddContainerArchiveFile;
}

TFileRelated::~TFileRelated() { AnnounceDestruction(); }

const PropertyTable& TFileRelated::Properties() {
  static const PropertyTable table =
      PropertyTable::Make<TFileRelated, TBaseHelperComponent>([](auto& p) {
        p.Enum("AddToArchive", &TFileRelated::SetAddToArchive, &TFileRelated::AddToArchive,
               kTlzhCommandType);
        p.Str("ArchiveFile", &TFileRelated::SetArchiveFile, &TFileRelated::ArchiveFile);
        p.Enum("ArchiveFileType", &TFileRelated::SetArchiveFileType,
               &TFileRelated::ArchiveFileType, kPathSpecifiersType);
      });
  return table;
}

void TFileRelated::SetArchiveFile(const std::string& file) { archive_file_ = file; }

void TFileRelated::SetArchiveFileType(TPathSpecifiers type) {
  if (!IsLoading()) {
    switch (type) {
      case ddAbsolute:
      case ddSystem:
      case ddWindows:
      case ddProgramFilesDir:
      case ddCommonFilesDir:
        break;
      case ddLoading:
        if (Driver() == nullptr)
          Raise("Cannot set the ArchiveFile property of %s because there is not TInstall", Name());
        break;
      case ddContainerDestDir:
      case ddContainerArchiveFile:
        if (Container() == nullptr)
          Raise("Cannot set the ArchiveFile property of %s because the Container property is Nil",
                Name());
        break;
      default:
        Raise("That path specifier is not allowed for the ArchiveFile property for %s", Name());
    }
  }
  archive_file_type_ = type;
}

std::string TFileRelated::GetArchiveFile() const {
  std::string base;
  switch (archive_file_type_) {
    case ddAbsolute:
      break;
    case ddSystem:
    case ddWindows:
    case ddProgramFilesDir:
    case ddCommonFilesDir:
      FolderOfSpecifier(archive_file_type_, &base);
      break;
    case ddLoading: {
      InstallDriver* driver = Driver();
      if (driver == nullptr)
        Raise("Cannot expand the ArchiveFile property of %s because there is no TInstall", Name());
      // The loading program may pass a drive's root as "A:\".
      base = RemoveTrailingBackslash(driver->SourceDirectory());
      break;
    }
    case ddContainerDestDir:
      if (Container() == nullptr)
        Raise("Cannot expand the ArchiveFile property of %s because the Container is Nil", Name());
      base = Container()->GetDestDir();
      break;
    case ddContainerArchiveFile: {
      if (Container() == nullptr)
        Raise("Cannot expand the ArchiveFile of %s because the Container is Nil", Name());
      const auto* container = dynamic_cast<const TFileRelated*>(Container());
      if (container == nullptr)
        Raise("Cannot expand the ArchiveFile of %s because the Container is not TFileRelated",
              Name());
      base = container->GetArchiveFile();
      break;
    }
    default:
      Raise("That path specifier is not allowed for the ArchiveFile property for %s", Name());
  }
  return RemoveTrailingBackslash(base + archive_file_);
}

void TFileRelated::SetContainer(TInstallContainer* container) {
  const bool change = container != Container();
  TBaseHelperComponent::SetContainer(container);  // a refused container changes nothing
  if (!change || IsLoading()) return;
  if (container != nullptr) {
    archive_file_type_ = ddContainerArchiveFile;
    SetArchiveFile(std::string());
  } else {
    archive_file_type_ = ddAbsolute;
  }
}

}  // namespace kit
