#include "base/component.h"

#include <algorithm>

#include "base/exception.h"

namespace kit {
namespace {

bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return false;
  }
  return true;
}

void Erase(std::vector<TComponent*>& list, TComponent* c) {
  list.erase(std::remove(list.begin(), list.end(), c), list.end());
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  state_ |= cs::kDestroying;
  // Tell everyone who asked; they drop their references to this one.
  while (!free_notifies_.empty()) {
    TComponent* other = free_notifies_.back();
    free_notifies_.pop_back();
    Erase(other->free_notifies_, this);
    other->Notification(this, Operation::kRemove);
  }
  // Free what this one owns, last created first.
  while (!components_.empty()) {
    TComponent* child = components_.back();
    RemoveComponent(child);
    delete child;
  }
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return components_[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameTextAscii(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_ != nullptr) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  ++components_changes_;
  component->owner_ = this;
  NotifyOwned(component, Operation::kInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component->owner_ != this) return;
  NotifyOwned(component, Operation::kRemove);
  Erase(components_, component);
  ++components_changes_;
  component->owner_ = nullptr;
}

void TComponent::NotifyOwned(TComponent* component, Operation operation) {
  Notification(component, operation);
  // A notified component may free others: walk a copy, and once the list
  // has changed, look each one up before telling it.
  std::vector<TComponent*> owned = components_;
  const unsigned long long changes = components_changes_;
  for (TComponent* c : owned) {
    if (c == component) continue;
    if (components_changes_ != changes &&
        std::find(components_.begin(), components_.end(), c) == components_.end())
      continue;
    c->Notification(component, operation);
  }
}

void TComponent::FreeNotification(TComponent* other) {
  if (other == nullptr || other == this) return;
  if (std::find(free_notifies_.begin(), free_notifies_.end(), other) == free_notifies_.end())
    free_notifies_.push_back(other);
  if (std::find(other->free_notifies_.begin(), other->free_notifies_.end(), this) ==
      other->free_notifies_.end())
    other->free_notifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (other == nullptr) return;
  Erase(free_notifies_, other);
  Erase(other->free_notifies_, this);
}

void TComponent::Loaded() { state_ &= ~cs::kLoading; }

void TComponent::Notification(TComponent*, Operation) {}

}  // namespace kit
