#include "model/object_location.h"

#include "base/exception.h"
#include "model/base_helper_component.h"
#include "model/system_folders.h"

namespace kit {
namespace {

[[noreturn]] void NotAllowed(const TBaseHelperComponent& link) {
  throw Exception("That path specifier is not allowed for the ObjectLocation property for " +
                  link.Name());
}

}  // namespace

ObjectLocationTypeChange CheckObjectLocationType(const TBaseHelperComponent& link,
                                                 TPathSpecifiers type,
                                                 const TInstallContainer* object_link) {
  ObjectLocationTypeChange change;
  if (link.IsLoading()) return change;
  switch (type) {
    case ddAbsolute:
    case ddSystem:
    case ddWindows:
    case ddProgramFilesDir:
    case ddCommonFilesDir:
      change.custom_link_kind = true;
      return change;
    case ddContainerDestDir:
      if (link.Container() == nullptr)
        throw Exception("Cannot set the ObjectLocation property of " + link.Name() +
                        " because the Container property is Nil");
      change.custom_link_kind = true;
      return change;
    case ddObjectLink:
      if (object_link == nullptr)
        throw Exception("Cannot set the ObjectLocation property of " + link.Name() +
                        " because the ObjectLink property is Nil");
      change.clear_location = true;
      return change;
    default:
      NotAllowed(link);
  }
}

std::string GetObjectLocation(const TBaseHelperComponent& link, TPathSpecifiers type,
                              const std::string& location, const TInstallContainer* object_link) {
  std::string base;
  switch (type) {
    case ddAbsolute:
      return RemoveTrailingBackslash(location);
    case ddSystem:
    case ddWindows:
      FolderOfSpecifier(type, &base);
      return RemoveTrailingBackslash(base + location);
    case ddProgramFilesDir:
    case ddCommonFilesDir:
    case ddDesktopMenuDir:
    case ddProgramMenuDir:
    case ddStartMenuDir:
      FolderOfSpecifier(type, &base);
      return base + location;
    case ddContainerDestDir:
      if (link.Container() == nullptr)
        throw Exception("Cannot expand the ObjectLocation property of " + link.Name() +
                        " because the Container is Nil");
      return link.Container()->GetDestDir() + location;
    case ddObjectLink:
      if (object_link == nullptr)
        throw Exception("Cannot expand the ObjectLocation property of " + link.Name() +
                        " because the ObjectLink is Nil");
      return object_link->LinkedObjectPath();
    default:
      NotAllowed(link);
  }
}

}  // namespace kit
