// The three process-wide page registries: wizard pages (BIF list),
// progress forms (DCF list) and change-disk forms (BCDF list). Each entry
// holds how to create the form and the dialog component that owns the
// page, or none. The page units fill them once at program start.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kit {

class TComponent;
class TCustomBaseInstallDlg;
class TBaseInstallForm;
class TBaseDuringCopyForm;
class TBaseChangeDiskForm;

template <class Form>
class TPageEntry {
 public:
  using Factory = std::function<Form*(TComponent* owner)>;
  TPageEntry(std::string class_name, Factory create, TCustomBaseInstallDlg* dialog)
      : class_name_(std::move(class_name)), create_(std::move(create)), dialog_(dialog) {}

  const std::string& ClassName() const { return class_name_; }
  // A new form of the entry's class, owned by `owner`.
  Form* Create(TComponent* owner) const { return create_(owner); }
  TCustomBaseInstallDlg* Dialog() const { return dialog_; }

 private:
  std::string class_name_;
  Factory create_;
  TCustomBaseInstallDlg* dialog_;
};

using TBIFEntry = TPageEntry<TBaseInstallForm>;
using TDCFEntry = TPageEntry<TBaseDuringCopyForm>;
using TBCDFEntry = TPageEntry<TBaseChangeDiskForm>;

const std::vector<std::unique_ptr<TBIFEntry>>& BIFList();
const std::vector<std::unique_ptr<TDCFEntry>>& DCFList();
const std::vector<std::unique_ptr<TBCDFEntry>>& BCDFList();

// Each appends an entry and returns it.
TBIFEntry* RegisterBIF(std::string class_name, TBIFEntry::Factory create,
                       TCustomBaseInstallDlg* dialog = nullptr);
TDCFEntry* RegisterDCF(std::string class_name, TDCFEntry::Factory create,
                       TCustomBaseInstallDlg* dialog = nullptr);
TBCDFEntry* RegisterBCDF(std::string class_name, TBCDFEntry::Factory create,
                         TCustomBaseInstallDlg* dialog = nullptr);

// The BIF entry at index; an index outside the list fails with
// "%d is an invalid index in the BIFList".
TBIFEntry& BIFEntry(int index);

// Empties the three lists (tests).
void ClearPageRegistries();

}  // namespace kit
