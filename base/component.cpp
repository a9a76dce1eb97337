#include "base/component.h"

#include <algorithm>

#include "base/exception.h"

namespace kit {
namespace {

std::string UpperAscii(const std::string& s) {
  std::string u = s;
  for (char& c : u)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return u;
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
  if (!names_valid_) {
    names_.clear();
    for (std::size_t i = 0; i < components_.size(); ++i)
      if (!components_[i]->name_.empty()) names_.emplace(UpperAscii(components_[i]->name_), i);
    names_valid_ = true;
  }
  auto it = names_.find(UpperAscii(name));
  return it == names_.end() ? nullptr : components_[it->second];
}

// A new last component, or a renamed one, in the index of its owner's names.
void TComponent::IndexName(const TComponent* c) {
  if (!names_valid_ || c->name_.empty()) return;
  auto at = std::find(components_.rbegin(), components_.rend(), c);
  if (at == components_.rend()) return;
  const std::size_t position = static_cast<std::size_t>(components_.rend() - at) - 1;
  auto [it, added] = names_.emplace(UpperAscii(c->name_), position);
  // Another of that name: which comes first is left to a rebuild.
  if (!added && it->second != position) names_valid_ = false;
}

void TComponent::SetName(const std::string& name) {
  if (owner_ != nullptr && owner_->names_valid_ && !name_.empty()) {
    auto it = owner_->names_.find(UpperAscii(name_));
    if (it != owner_->names_.end() && owner_->components_[it->second] == this) owner_->names_valid_ = false;
  }
  name_ = name;
  if (owner_ != nullptr) owner_->IndexName(this);
}

void TComponent::HearSiblings() {
  if (hears_siblings_) return;
  hears_siblings_ = true;
  if (owner_ != nullptr) owner_->hearers_.push_back(this);
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_ != nullptr) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  if (component->hears_siblings_) hearers_.push_back(component);
  ++components_changes_;
  component->owner_ = this;
  IndexName(component);
  NotifyOwned(component, Operation::kInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component->owner_ != this) return;
  NotifyOwned(component, Operation::kRemove);
  // Destroyed last first: the component is usually at the end.
  auto it = std::find(components_.rbegin(), components_.rend(), component);
  if (it != components_.rend()) components_.erase(std::next(it).base());
  if (component->hears_siblings_) Erase(hearers_, component);
  names_valid_ = false;  // positions behind it have moved
  ++components_changes_;
  component->owner_ = nullptr;
}

void TComponent::NotifyOwned(TComponent* component, Operation operation) {
  Notification(component, operation);
  if (hearers_.empty()) return;
  // A notified component may free others: walk a copy, and once the list
  // has changed, look each one up before telling it.
  std::vector<TComponent*> owned = hearers_;
  const unsigned long long changes = components_changes_;
  for (TComponent* c : owned) {
    if (c == component) continue;
    if (components_changes_ != changes && std::find(hearers_.begin(), hearers_.end(), c) == hearers_.end())
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
