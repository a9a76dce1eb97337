// Where a shell link points: its ObjectLocationType, ObjectLocation and
// ObjectLink resolved into a path, and the check its ObjectLocationType
// setter makes. The shell-link component calls these with its own values.
// Their messages are fixed English text with the link's Name appended,
// raised as a plain Exception.
#pragma once

#include <string>

#include "model/path_specifiers.h"

namespace kit {

class TBaseHelperComponent;
class TInstallContainer;

// What setting an accepted ObjectLocationType does besides storing it.
struct ObjectLocationTypeChange {
  bool custom_link_kind = false;  // the link kind becomes lkCustom
  bool clear_location = false;    // ObjectLocation is cleared
};

// Checks a new ObjectLocationType of `link`. While the link is loading
// every value is taken and nothing else changes. Otherwise ddAbsolute ..
// ddCommonFilesDir are taken (custom link kind); ddContainerDestDir needs a
// Container (custom link kind); ddObjectLink needs an ObjectLink (and
// clears ObjectLocation); anything else raises. A refused value raises
// before the setter changes anything.
ObjectLocationTypeChange CheckObjectLocationType(const TBaseHelperComponent& link,
                                                 TPathSpecifiers type,
                                                 const TInstallContainer* object_link);

// The link's target:
//   ddAbsolute, ddSystem, ddWindows: base + location, one trailing
//     backslash removed;
//   ddProgramFilesDir, ddCommonFilesDir, ddDesktopMenuDir,
//     ddProgramMenuDir, ddStartMenuDir: base + location as it is;
//   ddContainerDestDir: the link's Container's GetDestDir + location;
//   ddObjectLink: object_link->LinkedObjectPath() (an install file gives
//     the installed file, any other component its GetDestDir);
//   anything else raises.
std::string GetObjectLocation(const TBaseHelperComponent& link, TPathSpecifiers type,
                              const std::string& location, const TInstallContainer* object_link);

}  // namespace kit
