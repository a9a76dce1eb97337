#include "model/errors.h"

#include "model/detail_format.h"
#include "model/install_container.h"
#include "translation/translation.h"

namespace kit {
namespace {

using detail::Arg;
using detail::Format;

std::string Translated(const std::string& format, const std::string& arg) {
  return Format(TranslateMessage(format), {Arg(arg)});
}

}  // namespace

EAIIFCouldNotOpenFileImage::EAIIFCouldNotOpenFileImage(const std::string& source_path)
    : EAIIF(Translated("Could not open or find the following file when trying to read the Size, "
                       "Date, and Version :%s",
                       source_path)) {}

EAIIFBlankArchiveFile::EAIIFBlankArchiveFile(const std::string& file_name)
    : EAIIF(Translated("Cannot either compress or decompress the following file because it's "
                       "archive file property is blank. File is :%s",
                       file_name)) {}

EAIIFNotFileContainer::EAIIFNotFileContainer(const std::string& component_name)
    : EAIIF(Translated("The following TInstallFile component %s requires the Container property "
                       "to be a component descended from the TFileContainer component",
                       component_name)) {}

EAIIFDLLNameConflict::EAIIFDLLNameConflict(const std::string& file_name)
    : EAIIF(Translated(
          "The following file :%s: is specified to be a Shared DLL file. To be installed on the "
          "user's system, shared DLLs must be loaded into the WININIT.INI. When the system "
          "reboots, the DLL will be installed.  However, the WININIT.INI supports only old 8.3 "
          "character filenames. Therefore, please rename the DESTNAME property of the "
          "TInstallFile component",
          file_name)) {}

EAIIFDuplicateFileInGroup::EAIIFDuplicateFileInGroup(const std::string& source_path)
    : EAIIF(Translated("There is already a file with the name :%s", source_path)) {}

EAIIFCannotUpdateDLLCountInRegistry::EAIIFCannotUpdateDLLCountInRegistry(
    const std::string& file_name)
    : EAIIF(Translated("Cannot update the DLL count for the following file :%s:", file_name)) {}

EAIICBadCompCall::EAIICBadCompCall(int32_t index, const ComponentClass& component_class)
    : EAIIC(TranslateMessage(
          "Bad call to the Comp procedure which returns a TBaseHelperComponent for a "
          "TInstallContainer component. The parameters are probably reversed.")),
      index_(index),
      class_(component_class) {}

EAIICAddingNilHelperComponent::EAIICAddingNilHelperComponent(TInstallContainer* container)
    : EAIIC(Translated("Tried to add a NIL helper component to the following container: %s",
                       container != nullptr ? container->Name() : std::string())),
      container_(container) {}

EAIICCircularInstallContainer::EAIICCircularInstallContainer() : EAIIC("Circular reference") {}

EAIICCircularInstallContainer::EAIICCircularInstallContainer(const std::string& helper_name,
                                                             const std::string& container_name)
    : EAIIC(Format(TranslateMessage("Circular reference: Tried to add: %s to %s"),
                   {Arg(helper_name), Arg(container_name)})) {}

namespace {

const char* ExpandMessage(EAICannotExpandContainerDirMV::Reason reason) {
  using R = EAICannotExpandContainerDirMV::Reason;
  switch (reason) {
    case R::kComponentNilForA:
      return "Cannot expand the %a meta variable because the component is Nil";
    case R::kComponentNilForC:
      return "Cannot expand the %c meta variable because the component is Nil";
    case R::kContainerNil:
      break;
  }
  return "Cannot expand the %c meta variable because the Container property is Nil";
}

}  // namespace

// These texts have no arguments; they name the meta-variable literally, so
// they are not run through Format.
EAICannotExpandContainerDirMV::EAICannotExpandContainerDirMV(Reason reason)
    : EAI(TranslateMessage(ExpandMessage(reason))), reason_(reason) {}

EAICannotExpandInstallDirMV::EAICannotExpandInstallDirMV()
    : EAI(TranslateMessage(
          "Cannot expand the %i meta variable because there is no TInstall component")) {}

EAITwoInstallComponents::EAITwoInstallComponents()
    : EAI(TranslateMessage(
          std::string("The TInstall component does not currently support the use of 2 TInstall "
                      "components in") +
          " the same project")) {}

EAIUserAbort::EAIUserAbort() : EAI(TranslateMessage("Installation aborted by the user")) {}


}  // namespace kit
