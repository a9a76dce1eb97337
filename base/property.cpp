#include "base/property.h"

#include "base/exception.h"
#include "base/ident.h"

namespace kit {

const char* PropKindName(PropKind kind) {
  switch (kind) {
    case PropKind::kInteger: return "integer";
    case PropKind::kFloat: return "float";
    case PropKind::kString: return "string";
    case PropKind::kBoolean: return "boolean";
    case PropKind::kEnum: return "enumeration";
    case PropKind::kSet: return "set";
    case PropKind::kStrings: return "string list";
    case PropKind::kBinary: return "binary data";
    case PropKind::kComponent: return "component reference";
    case PropKind::kEvent: return "event";
    case PropKind::kObject: return "object";
    case PropKind::kCollection: return "collection";
  }
  return "?";
}

EnumType::EnumType(std::string name, std::initializer_list<const char*> names) : name_(std::move(name)) {
  std::int64_t n = 0;
  for (const char* id : names) values_.emplace_back(id, n++);
}

EnumType::EnumType(std::string name, std::initializer_list<std::pair<const char*, std::int64_t>> values)
    : name_(std::move(name)) {
  for (const auto& [id, v] : values) values_.emplace_back(id, v);
}

bool EnumType::Find(std::string_view ident, std::int64_t* value) const {
  for (const auto& [id, v] : values_)
    if (SameIdent(id, ident)) {
      *value = v;
      return true;
    }
  return false;
}

const char* EnumType::NameOf(std::int64_t value) const {
  for (const auto& [id, v] : values_)
    if (v == value) return id.c_str();
  return nullptr;
}

std::int64_t EnumType::MaxValue() const {
  std::int64_t m = -1;
  for (const auto& entry : values_) m = std::max(m, entry.second);
  return m;
}

PropertyTable::PropertyTable(std::string class_name, const PropertyTable* parent, ToParent to_parent,
                             FromComponent from_component)
    : class_name_(std::move(class_name)), parent_(parent), to_parent_(to_parent),
      from_component_(from_component) {}

void PropertyTable::Add(PropInfo info) {
  std::string key = UpperIdent(info.name);
  if (index_.count(key) != 0)
    throw Exception("property " + info.name + " of " + class_name_ + " is declared twice");
  index_.emplace(std::move(key), props_.size());
  props_.push_back(std::move(info));
}

const PropInfo* PropertyTable::Find(std::string_view name, void** obj) const {
  std::string key = UpperIdent(name);
  void* at = *obj;
  for (const PropertyTable* t = this; t != nullptr; t = t->parent_) {
    auto it = t->index_.find(key);
    if (it != t->index_.end()) {
      *obj = at;
      return &t->props_[it->second];
    }
    if (t->parent_ != nullptr && at != nullptr) at = t->to_parent_(at);
  }
  return nullptr;
}

void PropertyTable::ForEach(void* obj, const std::function<void(const PropInfo&, void*)>& fn) const {
  if (parent_ != nullptr) parent_->ForEach(to_parent_(obj), fn);
  for (const PropInfo& p : props_) fn(p, obj);
}

template <>
const PropertyTable& PropertiesOf<TComponent>() {
  static const PropertyTable table = PropertyTable::Make<TComponent>([](auto& p) {
    p.Int("Tag", &TComponent::SetTag, &TComponent::Tag);
  });
  return table;
}

}  // namespace kit
