#include "ui/handler_table.h"

#include "base/component.h"
#include "base/exception.h"
#include "base/text.h"
#include "ui/data_module.h"
#include "ui/form.h"

namespace kit {

std::string HandlerTable::Key(const std::string& name) { return UpperCase(name); }

const HandlerTable* HandlersOf(const TComponent* component) {
  for (const TComponent* c = component; c != nullptr; c = c->Owner()) {
    if (const auto* form = dynamic_cast<const TForm*>(c)) return &form->Handlers();
    if (const auto* module = dynamic_cast<const TDataModule*>(c)) return &module->Handlers();
  }
  return nullptr;
}

void RaiseUnknownHandler(const TComponent& component, const char* event, const std::string& name) {
  throw Exception(component.Name() + "." + event + ": there is no handler " + name +
                  " of this kind on the form");
}

}  // namespace kit
