#include <windows.h>

#include "base/exception.h"
#include "config/stored_forms.h"

namespace kit {
namespace {

std::string_view Resource(const char* name) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, reinterpret_cast<LPCSTR>(RT_RCDATA));
  if (found == nullptr) throw Exception(std::string("The program holds no stored form ") + name);
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) throw Exception(std::string("Cannot load the stored form ") + name);
  return std::string_view(static_cast<const char*>(data), SizeofResource(module, found));
}

}  // namespace

StoredForm MainFormStored() { return {Resource("MAIN_FORM"), "main_form.dfm"}; }

}  // namespace kit
