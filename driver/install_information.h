// The product identity of an installation.
#pragma once

#include <string>

#include "base/property.h"

namespace kit {

class TInstallInformation {
 public:
  static const char* StaticClassName() { return "TInstallInformation"; }
  static const PropertyTable& Properties();

  const std::string& CompanyName() const { return company_name_; }
  void SetCompanyName(const std::string& v) { company_name_ = v; }
  // Names the product's key of the installation log and its display name.
  const std::string& ProductName() const { return product_name_; }
  void SetProductName(const std::string& v) { product_name_ = v; }
  const std::string& Version() const { return version_; }
  void SetVersion(const std::string& v) { version_ = v; }

 private:
  std::string company_name_ = "Default Company Name";
  std::string product_name_ = "Default Product Name";
  std::string version_ = "1.0";
};

}  // namespace kit
