#include "model/base_helper_component.h"

#include <algorithm>

#include "base/exception.h"
#include "model/detail_format.h"
#include "model/install_driver.h"
#include "translation/translation.h"

namespace kit {
namespace {

using detail::Arg;
using detail::Format;

std::string Message(const char* format, const std::string& name) {
  return Format(TranslateMessage(format), {Arg(name)});
}

}  // namespace

const PropertyTable& TBaseHelperComponent::Properties() {
  static const PropertyTable table =
      PropertyTable::Make<TBaseHelperComponent, TInstallContainer>([](auto& p) {
        p.Ref("Container", &TBaseHelperComponent::SetContainer, &TBaseHelperComponent::Container);
      });
  return table;
}

TBaseHelperComponent::TBaseHelperComponent(TComponent* owner, int32_t processing_rank)
    : TInstallContainer(owner, processing_rank) {
  SetAllowedDestDirTypes(AllowedDestDirTypes().Include(ddContainerDestDir).Include(ddMainInstallDir));
  if (owner != nullptr && owner->IsDesigning()) {
    SetDesigning(true);
    if (InstallDriver* driver = Driver()) {
      TInstallContainer& root = driver->DriverComponent();
      auto_attached_ = true;
      root.AddHelper(this);
      container_ = &root;
      StoreDestDirType(ddContainerDestDir);
      SetDestDir(std::string());
    }
  }
}

TBaseHelperComponent::~TBaseHelperComponent() {
  AnnounceDestruction();
  // A container whose own handling kept this one in its list.
  if (container_ != nullptr) {
    auto& list = container_->helpers_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    container_ = nullptr;
  }
}

void TBaseHelperComponent::SetContainer(TInstallContainer* container) {
  container_assigned_ = true;
  if (container == container_) return;
  if (container != nullptr) container->AddHelper(this);  // may refuse; nothing changed yet
  if (container_ != nullptr) container_->RemoveHelper(this);
  container_ = container;
  if (IsLoading()) return;
  if (container != nullptr) {
    StoreDestDirType(ddContainerDestDir);
    SetDestDir(std::string());
  } else {
    StoreDestDirType(ddAbsolute);
  }
}

void TBaseHelperComponent::SetOrder(int32_t order) {
  if (IsLoading()) {
    StoreOrder(order);
    return;
  }
  if (order == Order() || container_ == nullptr) return;
  TInstallContainer* container = container_;
  container->RemoveHelper(this);
  StoreOrder(order);
  container->AddHelper(this);
}

void TBaseHelperComponent::SetDestDirType(TPathSpecifiers type) {
  if (!IsLoading()) {
    const bool relative = type == ddContainerDestDir || type == ddMainInstallDir;
    if (relative && IsDriverComponent(this))
      throw Exception(
          Message("That path specifier is not allowed for the DestDir property for %s", Name()));
    if (type == ddContainerDestDir && container_ == nullptr)
      throw Exception(Message(
          "Cannot set the DestDir property of %s because the Container property is Nil", Name()));
    if (type == ddMainInstallDir && Driver() == nullptr)
      throw Exception(Message(
          "Cannot set the DestDir property of %s because there is no Install component", Name()));
  }
  TInstallContainer::SetDestDirType(type);
}

std::string TBaseHelperComponent::GetDestDir() const {
  // The driver resolves as a plain component, which refuses both.
  if (IsDriverComponent(this)) return TInstallContainer::GetDestDir();
  switch (DestDirType()) {
    case ddContainerDestDir:
      if (container_ == nullptr)
        throw Exception(
            Message("Cannot expand the DestDir of %s because the Container is Nil", Name()));
      return RemoveTrailingBackslash(container_->GetDestDir() + DestDir());
    case ddMainInstallDir: {
      InstallDriver* driver = Driver();
      if (driver == nullptr)
        throw Exception(Message(
            "Cannot expand the DestDir of %s because there is no TInstall component", Name()));
      return RemoveTrailingBackslash(driver->DriverComponent().GetDestDir() + DestDir());
    }
    default:
      return TInstallContainer::GetDestDir();
  }
}

void TBaseHelperComponent::ContainerRemoved(TInstallContainer* component) {
  TInstallContainer::ContainerRemoved(component);
  if (component != nullptr && component == container_) SetContainer(nullptr);
}

void TBaseHelperComponent::Loaded() {
  TInstallContainer::Loaded();
  if (auto_attached_ && !container_assigned_) SetContainer(nullptr);
  auto_attached_ = false;
}

}  // namespace kit
