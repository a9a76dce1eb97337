// A cancel button's question to the driver (OnUserAbort).
#pragma once

namespace kit {

// True when the installation is to be cancelled; yes without a driver.
bool UserAbortConfirmed();

}  // namespace kit
