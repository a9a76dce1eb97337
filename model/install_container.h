// The install-component tree. Every element of an installation is a
// TInstallContainer; a container keeps the helpers that belong to it in a
// helper list, ordered by processing rank and then by Order. The tree only
// refers to its components: the configuration's form owns and frees them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/component.h"
#include "base/property.h"
#include "model/component_class.h"
#include "model/install_types.h"
#include "model/parameter_object.h"
#include "model/path_specifiers.h"

namespace kit {

class TBaseHelperComponent;
class TInstallContainer;

using TInstallContainerNotifyEvent = std::function<void(TInstallContainer* container)>;

// Processing ranks: the first key of the helper order, fixed per class.
namespace rank {
constexpr int32_t kNone = 0;             // the driver and the base classes
constexpr int32_t kFileGroup = 1000;
constexpr int32_t kInstallFile = 2000;
constexpr int32_t kShellLinkGroup = 7000;
constexpr int32_t kShellLink = 8000;
constexpr int32_t kDialog = 9000;        // dialog components: receive information events
}  // namespace rank

// The information events raised by Process on every component.
namespace event {
inline constexpr const char* kBeforeProcess = "eccBeforeProcess";
inline constexpr const char* kInstallTypeDialog = "InstallTypeDialog";
inline constexpr const char* kAfterProcess = "eccAfterProcess";
}  // namespace event

class TInstallContainer : public TComponent, public TParameterObject {
  KIT_COMPONENT_CLASS(TInstallContainer)

 public:
  // The processing rank is fixed by each class's constructor.
  explicit TInstallContainer(TComponent* owner, int32_t processing_rank = rank::kNone);
  ~TInstallContainer() override;

  // The properties a stored configuration may set: DestDir, DestDirType.
  static const PropertyTable& Properties();

  // ------------------------------------------------------------ properties
  TPathSpecifierSet AllowedDestDirTypes() const { return allowed_dest_dir_types_; }
  // True: the container's ProcessHelpers processes this component.
  bool AutoProcess() const { return auto_process_; }
  void SetAutoProcess(bool on) { auto_process_ = on; }
  // False: Process raises the before-events and does nothing else.
  bool Include() const { return include_; }
  void SetInclude(bool on) { include_ = on; }
  bool Processed() const { return processed_; }
  void SetProcessed(bool on) { processed_ = on; }
  TInstallTypeSet InstallTypes() const { return install_types_; }
  void SetInstallTypes(TInstallTypeSet types) { install_types_ = types; }
  int32_t ProcessingRank() const { return processing_rank_; }
  TInstallType CurrentInstallType() const { return current_install_type_; }
  const std::string& DestDir() const { return dest_dir_; }
  virtual void SetDestDir(const std::string& dir);
  TPathSpecifiers DestDirType() const { return dest_dir_type_; }
  // Outside of loading the specifier must be one this component accepts;
  // a refused one raises and leaves the value as it was.
  virtual void SetDestDirType(TPathSpecifiers type);
  // DestDir resolved by DestDirType, with one trailing backslash removed.
  // Here: ddAbsolute and the fixed folders (system_folders.h); helper
  // components add ddContainerDestDir and ddMainInstallDir. Any other
  // specifier raises "That path specifier is not allowed ...".
  virtual std::string GetDestDir() const;
  // The path a shell link whose ObjectLocationType is ddObjectLink resolves
  // to when it links to this component: here GetDestDir(). An install file
  // overrides it with the installed file, GetDestDir() + "" + DestName.
  virtual std::string LinkedObjectPath() const;
  // Second key of the helper order; -1 asks for no position.
  int32_t Order() const { return order_; }
  virtual void SetOrder(int32_t order);

  const TInstallContainerNotifyEvent& OnBeforeProcess() const { return on_before_process_; }
  void SetOnBeforeProcess(TInstallContainerNotifyEvent e) { on_before_process_ = std::move(e); }
  const TInstallContainerNotifyEvent& OnAfterProcess() const { return on_after_process_; }
  void SetOnAfterProcess(TInstallContainerNotifyEvent e) { on_after_process_ = std::move(e); }
  const TInstallContainerNotifyEvent& OnShowInstallTypeDlg() const { return on_show_install_type_dlg_; }
  void SetOnShowInstallTypeDlg(TInstallContainerNotifyEvent e) { on_show_install_type_dlg_ = std::move(e); }

  // ------------------------------------------------------------ the helper list
  int HelperCount() const { return static_cast<int>(helpers_.size()); }
  // Raises a plain Exception naming this container and the index when the
  // index is outside the list.
  TBaseHelperComponent* Helpers(int index) const;
  // The index-th helper (from 0) that is an instance of the class or of a
  // class descended from it; EAIICBadCompCall when there is none.
  TBaseHelperComponent* Comp(int index, const ComponentClass& component_class) const;
  template <class T>
  T* Comp(int index) const {
    return dynamic_cast<T*>(Comp(index, ComponentClass::Of<T>()));
  }
  int CompCount(const ComponentClass& component_class) const;
  template <class T>
  int CompCount() const {
    return CompCount(ComponentClass::Of<T>());
  }
  // True if the component is a helper of this container or, recursively,
  // of one of its helpers.
  virtual bool ContainsHelper(const TComponent* component) const;

  // Inserts the helper at its place in the order. Refuses none, this
  // container itself and any container above this one; the list is then
  // unchanged. Outside of loading the Order values are renumbered.
  virtual void AddHelper(TBaseHelperComponent* helper);
  // Removes the helper if it is in the list (renumbering outside of loading).
  virtual void RemoveHelper(TBaseHelperComponent* helper);
  // Sets every helper's Order to its 0-based position among the helpers of
  // its processing rank.
  void RenumberOrder();

  // Frees every helper, last first, each after its own helpers.
  virtual void FreeHelpers();
  // Frees every helper of the class or a descendant, last first.
  void FreeHelpersOfClass(const ComponentClass& component_class);
  // Pushes the chosen install type down the tree, helpers first.
  virtual void SetCurrentInstallType(TInstallType type);

  // The component's place in the order of creation (1 for the first).
  uint64_t Serial() const { return serial_; }

  // A component that is being destroyed; told before it goes to its
  // container, its helpers, and to every component that watches removals.
  virtual void ContainerRemoved(TInstallContainer* component);

  // ------------------------------------------------------------ processing
  // Runs this component's part of the installation. An EAbort raised
  // inside ends it quietly; every other error leaves it.
  virtual void Process();
  // The component's own work; here: Processed, then Process on every helper
  // whose AutoProcess is set, in helper order.
  virtual void ProcessHelpers();
  // Work left until after a reboot; nothing here.
  virtual void FinishAfterReboot();
  // Reads the size, date and version of every file below from the archive;
  // nothing here, file containers do it.
  virtual void ReadArchiveInfo();
  // Records a processed component in the installation log; nothing here.
  virtual void WriteUninstallLog(const std::string& key);

  // ------------------------------------------------------------ information
  // The information dispatch: every helper of processing rank 9000 gets
  // HandleInformationEvent, first to last. The receivers are fixed when the
  // event starts; one that leaves the list meanwhile is skipped.
  void NotifyDialogs(TInstallContainer* container, const std::string& event_name,
                     TParameterObject* parameter);
  // A report from a component to its container; nothing here, file
  // containers act on it and pass it up.
  virtual void DoInformationEventControl(TInstallContainer* sender, const std::string& event_name,
                                         TParameterObject* parameter);
  // Receiver of the information dispatch; nothing here, dialog components
  // act on it.
  virtual void HandleInformationEvent(TInstallContainer* container, const std::string& event_name,
                                      TParameterObject* parameter);

 protected:
  void SetAllowedDestDirTypes(TPathSpecifierSet types) { allowed_dest_dir_types_ = types; }
  // Stores without checks (loading, container changes).
  void StoreDestDirType(TPathSpecifiers type) { dest_dir_type_ = type; }
  void StoreOrder(int32_t order) { order_ = order; }
  // Tells those that can hold this one that it is going. Done once, from the most derived destructor that knows the
  // component's class (TBaseHelperComponent, or this class).
  void AnnounceDestruction();
  // From a constructor: this component is told of every other one's end.
  void WatchRemovals();

 private:
  friend class TBaseHelperComponent;

  // The position at which the helper goes.
  int InsertionIndex(const TBaseHelperComponent* helper) const;

  TPathSpecifierSet allowed_dest_dir_types_;
  bool auto_process_ = false;
  std::vector<TBaseHelperComponent*> helpers_;  // not owned
  bool include_ = true;
  bool processed_ = false;
  TInstallTypeSet install_types_{itAlways};
  int32_t processing_rank_;
  TInstallType current_install_type_ = itAlways;
  TInstallContainerNotifyEvent on_after_process_;
  TInstallContainerNotifyEvent on_before_process_;
  TInstallContainerNotifyEvent on_show_install_type_dlg_;
  std::string dest_dir_;
  TPathSpecifiers dest_dir_type_ = ddAbsolute;
  int32_t order_ = -1;
  bool announced_ = false;
  uint64_t serial_ = 0;  // creation order
};

}  // namespace kit
