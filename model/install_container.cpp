#include "model/install_container.h"

#include <algorithm>
#include <cctype>

#include "base/exception.h"
#include "model/base_helper_component.h"
#include "model/component_list.h"
#include "model/detail_format.h"
#include "model/errors.h"
#include "model/install_driver.h"
#include "model/system_folders.h"
#include "translation/translation.h"

namespace kit {
namespace {

using detail::Arg;
using detail::Format;

bool SameTextAscii(const std::string& a, const char* b) {
  size_t n = 0;
  for (; b[n] != '\0'; ++n) {
    if (n >= a.size()) return false;
    if (std::toupper(static_cast<unsigned char>(a[n])) !=
        std::toupper(static_cast<unsigned char>(b[n])))
      return false;
  }
  return n == a.size();
}

// A component of this class always goes first in its container.
constexpr const char* kAlwaysFirstClass = "TINSTALLBDE";

}  // namespace

TInstallContainer::TInstallContainer(TComponent* owner, int32_t processing_rank)
    : TComponent(owner),
      allowed_dest_dir_types_{ddAbsolute,       ddSystem,         ddWindows,
                              ddProgramFilesDir, ddCommonFilesDir, ddDesktopMenuDir,
                              ddProgramMenuDir,  ddStartMenuDir,   ddFontDir,
                              ddStartUpMenuDir},
      processing_rank_(processing_rank) {
  static uint64_t created = 0;
  serial_ = ++created;
  ComponentList::Add(this);
}

TInstallContainer::~TInstallContainer() {
  AnnounceDestruction();
  // Helpers whose own handling did not let go of this container.
  for (TBaseHelperComponent* h : helpers_)
    if (h->container_ == this) h->container_ = nullptr;
  helpers_.clear();
  ComponentList::Remove(this);
}

void TInstallContainer::AnnounceDestruction() {
  if (announced_) return;
  announced_ = true;
  // Told: whoever can hold this one: its container, its helpers and the
  // watchers. One told twice (a watching helper) finds nothing left to do.
  std::vector<std::pair<uint64_t, TInstallContainer*>> told;
  if (auto* helper = dynamic_cast<TBaseHelperComponent*>(this); helper != nullptr && helper->container_ != nullptr)
    told.emplace_back(helper->container_->serial_, helper->container_);
  for (TBaseHelperComponent* h : helpers_) told.emplace_back(h->serial_, h);
  for (TInstallContainer* c : ComponentList::Watchers()) told.emplace_back(c->serial_, c);
  for (const auto& [serial, other] : told)  // a handler may free others
    if (other != this && ComponentList::Alive(other, serial)) other->ContainerRemoved(this);
}

void TInstallContainer::WatchRemovals() { ComponentList::Watch(this); }

const PropertyTable& TInstallContainer::Properties() {
  static const PropertyTable table =
      PropertyTable::Make<TInstallContainer, TComponent>([](auto& p) {
        p.Str("DestDir", &TInstallContainer::SetDestDir, &TInstallContainer::DestDir);
        p.Enum("DestDirType", &TInstallContainer::SetDestDirType, &TInstallContainer::DestDirType,
               kPathSpecifiersType);
      });
  return table;
}

void TInstallContainer::SetDestDir(const std::string& dir) { dest_dir_ = dir; }

void TInstallContainer::SetDestDirType(TPathSpecifiers type) {
  if (!IsLoading() && !allowed_dest_dir_types_.Contains(type))
    throw Exception(Format(
        TranslateMessage("That path specifier is not allowed for the DestDir property for %s"),
        {Arg(Name())}));
  dest_dir_type_ = type;
}

std::string TInstallContainer::GetDestDir() const {
  if (dest_dir_type_ == ddAbsolute) return RemoveTrailingBackslash(dest_dir_);
  std::string base;
  if (!FolderOfSpecifier(dest_dir_type_, &base))
    throw Exception(Format(
        TranslateMessage("That path specifier is not allowed for the DestDir property for %s"),
        {Arg(Name())}));
  return RemoveTrailingBackslash(base + dest_dir_);
}

std::string TInstallContainer::LinkedObjectPath() const { return GetDestDir(); }

void TInstallContainer::SetOrder(int32_t order) {
  // Without a container there is no position to change.
  if (IsLoading()) order_ = order;
}

TBaseHelperComponent* TInstallContainer::Helpers(int index) const {
  if (index < 0 || index >= HelperCount())
    throw Exception(Format(TranslateMessage("Tried to reference a helper component in the "
                                            "following component: %s. The following index was "
                                            "used: %d"),
                           {Arg(Name()), Arg(index)}));
  return helpers_[static_cast<size_t>(index)];
}

TBaseHelperComponent* TInstallContainer::Comp(int index,
                                              const ComponentClass& component_class) const {
  int count = 0;
  for (TBaseHelperComponent* h : helpers_) {
    if (!component_class.Matches(h)) continue;
    if (count == index) return h;
    ++count;
  }
  throw EAIICBadCompCall(index, component_class);
}

int TInstallContainer::CompCount(const ComponentClass& component_class) const {
  return static_cast<int>(std::count_if(helpers_.begin(), helpers_.end(),
                                        [&](TBaseHelperComponent* h) {
                                          return component_class.Matches(h);
                                        }));
}

bool TInstallContainer::ContainsHelper(const TComponent* component) const {
  if (component == nullptr) return false;
  for (auto it = helpers_.rbegin(); it != helpers_.rend(); ++it) {
    if (*it == component || (*it)->ContainsHelper(component)) return true;
  }
  return false;
}

int TInstallContainer::InsertionIndex(const TBaseHelperComponent* helper) const {
  if (SameTextAscii(helper->ClassName(), kAlwaysFirstClass)) return 0;
  const int32_t r = helper->processing_rank_;
  const int32_t o = helper->order_;
  for (size_t i = 0; i < helpers_.size(); ++i) {
    const TBaseHelperComponent* x = helpers_[i];
    if (x->processing_rank_ > r || (x->processing_rank_ == r && o != -1 && x->order_ >= o))
      return static_cast<int>(i);
  }
  return HelperCount();
}

void TInstallContainer::AddHelper(TBaseHelperComponent* helper) {
  if (helper == nullptr) throw EAIICAddingNilHelperComponent(this);
  if (helper == this) throw EAIICCircularInstallContainer();
  for (const TInstallContainer* p = this;;) {
    const auto* as_helper = dynamic_cast<const TBaseHelperComponent*>(p);
    if (as_helper == nullptr) break;
    p = as_helper->Container();
    if (p == nullptr) break;
    if (p == helper) throw EAIICCircularInstallContainer(helper->Name(), Name());
  }
  // Already here: keep one entry (it is moved to its place again).
  helpers_.erase(std::remove(helpers_.begin(), helpers_.end(), helper), helpers_.end());
  helpers_.insert(helpers_.begin() + InsertionIndex(helper), helper);
  if (!IsLoading()) RenumberOrder();
}

void TInstallContainer::RemoveHelper(TBaseHelperComponent* helper) {
  if (helper == nullptr) return;
  auto it = std::find(helpers_.begin(), helpers_.end(), helper);
  if (it == helpers_.end()) return;
  helpers_.erase(it);
  if (!IsLoading()) RenumberOrder();
}

void TInstallContainer::RenumberOrder() {
  int32_t counter = 0;
  for (size_t i = 0; i < helpers_.size(); ++i) {
    if (i > 0 && helpers_[i]->processing_rank_ != helpers_[i - 1]->processing_rank_) counter = 0;
    helpers_[i]->order_ = counter++;
  }
}

void TInstallContainer::FreeHelpers() {
  for (int i = HelperCount() - 1; i >= 0; --i) {
    if (i >= HelperCount()) {  // freeing one took others with it
      i = HelperCount();
      continue;
    }
    TBaseHelperComponent* h = helpers_[static_cast<size_t>(i)];
    h->FreeHelpers();
    delete h;
  }
}

void TInstallContainer::FreeHelpersOfClass(const ComponentClass& component_class) {
  for (int i = HelperCount() - 1; i >= 0; --i) {
    if (i >= HelperCount()) {
      i = HelperCount();
      continue;
    }
    TBaseHelperComponent* h = helpers_[static_cast<size_t>(i)];
    if (component_class.Matches(h)) delete h;
  }
}

void TInstallContainer::SetCurrentInstallType(TInstallType type) {
  for (int i = 0; i < HelperCount(); ++i) helpers_[static_cast<size_t>(i)]->SetCurrentInstallType(type);
  current_install_type_ = type;
}

void TInstallContainer::ContainerRemoved(TInstallContainer* component) {
  if (auto* helper = dynamic_cast<TBaseHelperComponent*>(component)) RemoveHelper(helper);
}

void TInstallContainer::Process() {
  try {
    if (on_before_process_) on_before_process_(this);
    NotifyDialogs(this, event::kBeforeProcess, nullptr);
    if (!include_) return;

    if (on_show_install_type_dlg_) on_show_install_type_dlg_(this);
    NotifyDialogs(this, event::kInstallTypeDialog, nullptr);

    const TInstallType current = current_install_type_;
    const bool selected = current == itAlways || current == itCustom ||
                          install_types_.Contains(itAlways) || install_types_.Contains(current);
    if (!selected) return;

    ProcessHelpers();
    processed_ = true;
    if (InstallDriver* driver = Driver()) WriteUninstallLog(UninstallLogKey(*driver));

    if (on_after_process_) on_after_process_(this);
    NotifyDialogs(this, event::kAfterProcess, nullptr);
  } catch (const EAbort&) {
    // Ends this component quietly; the caller goes on with the next one.
  }
}

void TInstallContainer::ProcessHelpers() {
  processed_ = true;
  // Re-read the list on every step: a component's processing may change it.
  for (int i = 0; i < HelperCount(); ++i) {
    TBaseHelperComponent* h = helpers_[static_cast<size_t>(i)];
    if (h->AutoProcess()) h->Process();
  }
}

void TInstallContainer::FinishAfterReboot() {}

void TInstallContainer::ReadArchiveInfo() {}

void TInstallContainer::WriteUninstallLog(const std::string&) {}

void TInstallContainer::NotifyDialogs(TInstallContainer* container, const std::string& event_name,
                                      TParameterObject* parameter) {
  // The receivers are those present when the event starts; one that leaves
  // the list meanwhile (or is freed) is not called any more.
  std::vector<TBaseHelperComponent*> receivers;
  for (TBaseHelperComponent* h : helpers_)
    if (h->processing_rank_ == rank::kDialog) receivers.push_back(h);
  for (TBaseHelperComponent* h : receivers) {
    if (std::find(helpers_.begin(), helpers_.end(), h) == helpers_.end()) continue;
    h->HandleInformationEvent(container, event_name, parameter);
  }
}

void TInstallContainer::DoInformationEventControl(TInstallContainer*, const std::string&,
                                                  TParameterObject*) {}

void TInstallContainer::HandleInformationEvent(TInstallContainer*, const std::string&,
                                               TParameterObject*) {}

}  // namespace kit
