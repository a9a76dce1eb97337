// What the component tree needs of the one installation driver of the
// process. The driver component implements this interface and registers
// itself with SetDriver; the tree reaches it only through Driver().
#pragma once

#include <string>

namespace kit {

class TInstallContainer;

class InstallDriver {
 public:
  // Clears the driver reference if it still points to this driver.
  virtual ~InstallDriver();

  // The driver as a component of the tree (the root container).
  virtual TInstallContainer& DriverComponent() = 0;
  // Names the product's key of the installation log.
  virtual std::string ProductName() const = 0;
  virtual std::string SourceDirectory() const = 0;
};

// The one driver, or null.
InstallDriver* Driver();
void SetDriver(InstallDriver* driver);

// The key below which processed components record themselves:
// "\Software\Microsoft\Windows\CurrentVersion\Uninstall\" + product name.
std::string UninstallLogKey(const InstallDriver& driver);

}  // namespace kit
