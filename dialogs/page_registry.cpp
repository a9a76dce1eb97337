#include "dialogs/page_registry.h"

#include "base/exception.h"
#include "base/format.h"
#include "translation/translation.h"

namespace kit {
namespace {

std::vector<std::unique_ptr<TBIFEntry>>& Bif() {
  static std::vector<std::unique_ptr<TBIFEntry>> list;
  return list;
}
std::vector<std::unique_ptr<TDCFEntry>>& Dcf() {
  static std::vector<std::unique_ptr<TDCFEntry>> list;
  return list;
}
std::vector<std::unique_ptr<TBCDFEntry>>& Bcdf() {
  static std::vector<std::unique_ptr<TBCDFEntry>> list;
  return list;
}

template <class Entry>
Entry* Append(std::vector<std::unique_ptr<Entry>>& list, std::string name,
              typename Entry::Factory create, TCustomBaseInstallDlg* dialog) {
  list.push_back(std::make_unique<Entry>(std::move(name), std::move(create), dialog));
  return list.back().get();
}

}  // namespace

const std::vector<std::unique_ptr<TBIFEntry>>& BIFList() { return Bif(); }
const std::vector<std::unique_ptr<TDCFEntry>>& DCFList() { return Dcf(); }
const std::vector<std::unique_ptr<TBCDFEntry>>& BCDFList() { return Bcdf(); }

TBIFEntry* RegisterBIF(std::string class_name, TBIFEntry::Factory create, TCustomBaseInstallDlg* dialog) {
  return Append(Bif(), std::move(class_name), std::move(create), dialog);
}
TDCFEntry* RegisterDCF(std::string class_name, TDCFEntry::Factory create, TCustomBaseInstallDlg* dialog) {
  return Append(Dcf(), std::move(class_name), std::move(create), dialog);
}
TBCDFEntry* RegisterBCDF(std::string class_name, TBCDFEntry::Factory create,
                         TCustomBaseInstallDlg* dialog) {
  return Append(Bcdf(), std::move(class_name), std::move(create), dialog);
}

TBIFEntry& BIFEntry(int index) {
  if (index < 0 || index >= static_cast<int>(Bif().size()))
    throw Exception(Format(TranslateMessage("%d is an invalid index in the BIFList"), {index}));
  return *Bif()[index];
}

void ClearPageRegistries() {
  Bif().clear();
  Dcf().clear();
  Bcdf().clear();
}

}  // namespace kit
