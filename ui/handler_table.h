// The named event handlers of a form or data module. A stored form assigns
// an event by the name of a handler ("OnCleanup = Install1Cleanup"); the
// root class declares its handlers under those names, and the component's
// setter finds the handler of the event's type here.
#pragma once

#include <any>
#include <map>
#include <string>

namespace kit {

class TComponent;

class HandlerTable {
 public:
  template <class F>
  void DeclareHandler(const std::string& name, F handler) {
    handlers_[Key(name)] = std::any(std::move(handler));
  }
  // The handler of that name (without regard to case) and type, or null.
  template <class F>
  const F* FindHandler(const std::string& name) const {
    auto it = handlers_.find(Key(name));
    return it == handlers_.end() ? nullptr : std::any_cast<F>(&it->second);
  }
  bool HasHandler(const std::string& name) const { return handlers_.count(Key(name)) != 0; }

 private:
  static std::string Key(const std::string& name);
  std::map<std::string, std::any> handlers_;
};

// The handler table of the form or data module that owns the component
// (directly or further up), or null.
const HandlerTable* HandlersOf(const TComponent* component);

// Binds the handler named `name` of type F from the owner's table into
// `slot` and keeps the name; an empty name clears the slot. An unknown name
// raises an Exception naming the component, the event and the handler.
template <class F>
void BindHandler(const TComponent& component, const char* event, const std::string& name,
                 F* slot, std::string* slot_name);

// Publishes the event `name` in the property table `p` of class C: a stored
// value names a handler of the owner, bound into (c->*slot); the name is kept
// in (c->*names).*field so that it reads back.
template <class C, class P, class F, class N>
void PublishEvent(P& p, const char* name, F C::*slot, N C::*names, std::string N::*field) {
  p.Event(
      name,
      [name, slot, names, field](C* c, const std::string& v) {
        BindHandler(*c, name, v, &(c->*slot), &((c->*names).*field));
      },
      [names, field](C* c) { return (c->*names).*field; });
}

[[noreturn]] void RaiseUnknownHandler(const TComponent& component, const char* event,
                                      const std::string& name);

template <class F>
void BindHandler(const TComponent& component, const char* event, const std::string& name,
                 F* slot, std::string* slot_name) {
  if (name.empty()) {
    *slot = F();
    slot_name->clear();
    return;
  }
  const HandlerTable* table = HandlersOf(&component);
  const F* handler = table != nullptr ? table->FindHandler<F>(name) : nullptr;
  if (handler == nullptr) RaiseUnknownHandler(component, event, name);
  *slot = *handler;
  *slot_name = name;
}

}  // namespace kit
