#include "dialogs/user_abort.h"

#include "model/install_driver.h"

namespace kit {

bool UserAbortConfirmed() {
  InstallDriver* driver = Driver();
  return driver == nullptr || driver->QueryUserAbort();
}

}  // namespace kit
