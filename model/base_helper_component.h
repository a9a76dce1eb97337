// An install component that belongs to a container: setting Container
// enters it into that container's helper list, at its place in the order.
#pragma once

#include <cstdint>

#include "model/install_container.h"

namespace kit {

class TBaseHelperComponent : public TInstallContainer {
  KIT_COMPONENT_CLASS(TBaseHelperComponent)

 public:
  // Created in the design state (its owner is being edited) while a driver
  // exists, the component attaches itself to the driver.
  explicit TBaseHelperComponent(TComponent* owner, int32_t processing_rank = rank::kNone);
  ~TBaseHelperComponent() override;

  // Adds Container.
  static const PropertyTable& Properties();

  // Set whenever Container is assigned, also to the value it already has.
  bool ContainerAssigned() const { return container_assigned_; }
  // Attached to the driver at creation in the design state.
  bool AutoAttached() const { return auto_attached_; }
  TInstallContainer* Container() const { return container_; }
  // Moves the component into the helper list of the container (none: out
  // of every list). A refused container leaves everything as it was.
  virtual void SetContainer(TInstallContainer* container);

  // Outside of loading moves the component within its container's list;
  // the renumbering then replaces the value by its position.
  void SetOrder(int32_t order) override;
  // Adds the checks of ddContainerDestDir (a container is needed) and
  // ddMainInstallDir (a driver is needed). The driver itself, the root of
  // the tree, takes neither: it has nothing above it to resolve against.
  void SetDestDirType(TPathSpecifiers type) override;
  // Adds ddContainerDestDir (the container's GetDestDir + DestDir) and
  // ddMainInstallDir (the driver's GetDestDir + DestDir); the driver
  // resolves neither.
  std::string GetDestDir() const override;
  void ContainerRemoved(TInstallContainer* component) override;
  // Detaches a component attached to the driver at creation whose loaded
  // configuration never named a container.
  void Loaded() override;

 private:
  friend class TInstallContainer;

  bool container_assigned_ = false;
  bool auto_attached_ = false;
  TInstallContainer* container_ = nullptr;  // not owned
};

}  // namespace kit
