#include "model/install_driver.h"

namespace kit {
namespace {

InstallDriver* g_driver = nullptr;

}  // namespace

InstallDriver::~InstallDriver() {
  if (g_driver == this) g_driver = nullptr;
}

InstallDriver* Driver() { return g_driver; }

void SetDriver(InstallDriver* driver) { g_driver = driver; }

bool IsDriverComponent(const TInstallContainer* component) {
  return g_driver != nullptr && component != nullptr && &g_driver->DriverComponent() == component;
}

std::string UninstallLogKey(const InstallDriver& driver) {
  return "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + driver.ProductName();
}

}  // namespace kit
