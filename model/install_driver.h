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
  // The directory the loading program passed, without a trailing
  // backslash: the base of ddLoading.
  virtual std::string SourceDirectory() const = 0;
  // Records work left for the next start of Windows: kind 0 the name of a
  // component whose FinishAfterReboot is to run, 1 a file to delete, 2 a
  // Program Manager item of the group "Startup".
  virtual void AddUnfinishedEntry(const std::string& subject, int kind) = 0;
  // Asked by every cancel button of the dialogs: true when the user's
  // cancel is to end the installation. Yes unless a driver says otherwise.
  virtual bool QueryUserAbort() { return true; }
};

// The one driver, or null.
InstallDriver* Driver();
void SetDriver(InstallDriver* driver);
// True when the component is the driver's own component, the root of the
// tree.
bool IsDriverComponent(const TInstallContainer* component);

// The key below which processed components record themselves:
// "\Software\Microsoft\Windows\CurrentVersion\Uninstall\" + product name.
std::string UninstallLogKey(const InstallDriver& driver);

}  // namespace kit
