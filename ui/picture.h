// A bitmap shown by an image or a bitmap button: the bytes of a .bmp file
// (stored with the form, or read from a file) or the name of a bitmap
// resource of the program.
#pragma once

#include <functional>
#include <string>

#include "base/property.h"

namespace kit {

class TPicture {
 public:
  static const char* StaticClassName() { return "TPicture"; }
  static const PropertyTable& Properties();

  // A .bmp file's bytes; anything else raises an Exception.
  const Bytes& Data() const { return data_; }
  void SetData(const Bytes& data);
  const std::string& ResourceName() const { return resource_; }
  void SetResourceName(const std::string& name);
  // Reads a .bmp file; the error names the file.
  void LoadFromFile(const std::string& path);
  void LoadFromResourceName(const std::string& name) { SetResourceName(name); }
  void Clear();

  bool Empty() const { return data_.empty() && resource_.empty(); }
  // The bitmap's size from its header (0 for a resource or none).
  int Width() const;
  int Height() const;

  std::function<void()> on_change;

 private:
  void Changed();
  Bytes data_;
  std::string resource_;
};

}  // namespace kit
