#include "driver/install_information.h"

namespace kit {

const PropertyTable& TInstallInformation::Properties() {
  static const PropertyTable table = PropertyTable::Make<TInstallInformation>([](auto& p) {
    p.Str("CompanyName", &TInstallInformation::SetCompanyName, &TInstallInformation::CompanyName);
    p.Str("ProductName", &TInstallInformation::SetProductName, &TInstallInformation::ProductName);
    p.Str("Version", &TInstallInformation::SetVersion, &TInstallInformation::Version);
  });
  return table;
}

}  // namespace kit
