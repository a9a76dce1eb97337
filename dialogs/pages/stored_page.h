// Reading a page's stored form into the page object, and finding its
// controls by name with a clear error when the stored form lacks one.
#pragma once

#include <string>
#include <string_view>

#include "base/class_registry.h"
#include "base/component.h"
#include "base/exception.h"

namespace kit {

// The widget and translated-control classes a stored page may name.
void RegisterPageControlClasses(ClassRegistry& registry);
void ReadStoredForm(const ClassRegistry& classes, TComponent& page, std::string_view text,
                    const std::string& file_name);

// Reads the stored form (code page 1254 texts) into `page`, whose class
// the form names; the controls become the page's.
template <class Page>
void ReadStoredPage(Page& page, std::string_view text, const std::string& file_name) {
  ClassRegistry classes;
  RegisterPageControlClasses(classes);
  classes.Register<Page>();
  ReadStoredForm(classes, page, text, file_name);
}

template <class T>
T& PageControl(TComponent& page, const char* name) {
  T* c = dynamic_cast<T*>(page.FindComponent(name));
  if (c == nullptr) throw Exception(std::string(page.ClassName()) + ": the stored page has no control " + name);
  return *c;
}

}  // namespace kit
