// Reads a component tree from the text form format:
//
//   object Form1: TForm1
//     Caption = 'Tavrix for Windows'
//     Font.Style = [fsBold]
//     object Install1: TInstall
//       DestDir = 'c:\Tavwin'
//     end
//   end
//
// Every object is created by its registered class name with the root as its
// owner (nested objects get the enclosing object as parent, through the
// class's SetParentComponent), named, put into the loading state, and its
// properties are set by name. Component references are resolved when the
// whole form has been read (forward references are fine). Then every
// component's Loaded() runs, in creation order, root first.
//
// A malformed form fails with EFormError naming file, line and column. On any
// failure the components created so far are freed; an exception raised by a
// component's own Loaded() passes unchanged after that clean-up.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/class_registry.h"
#include "base/component.h"
#include "base/form_error.h"
#include "base/form_lexer.h"

namespace kit {

class FormReader {
 public:
  explicit FormReader(const ClassRegistry& classes = ClassRegistry::Global()) : classes_(classes) {}

  FormLimits& Limits() { return limits_; }
  // Resolves a reference that names no component of the form being read
  // ("OtherForm.Button1"); returns null when it knows none either.
  void SetExternalResolver(std::function<TComponent*(const std::string&)> resolver) {
    resolver_ = std::move(resolver);
  }

  // Creates the root from the class the form names; the caller owns it.
  std::unique_ptr<TComponent> Read(std::string_view text, const std::string& file_name);
  // As Read, the root owned by `owner` (not null).
  TComponent* Read(std::string_view text, const std::string& file_name, TComponent* owner);
  // Reads the form into an existing root; the form's class must be the
  // root's class. Components created for the form are owned by the root.
  void ReadInto(TComponent* root, std::string_view text, const std::string& file_name);

 private:
  TComponent* Run(TComponent* root, TComponent* owner, std::string_view text, const std::string& file_name);

  const ClassRegistry& classes_;
  FormLimits limits_;
  std::function<TComponent*(const std::string&)> resolver_;
};

}  // namespace kit
