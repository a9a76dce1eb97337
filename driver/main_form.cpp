#include "driver/main_form.h"

#include <memory>

#include "base/exception.h"
#include "config/stored_forms_appended.h"
#include "platform/platform.h"

namespace kit {

TForm1::TForm1(TComponent* owner) : TForm(owner) {}

const PropertyTable& TForm1::Properties() {
  static const PropertyTable table = PropertyTable::Make<TForm1, TForm>([](auto&) {});
  return table;
}

StoredForm ProgramMainForm(FileSystem& fs, const std::string& exe_path, const StoredForm& compiled,
                           std::string* storage) {
  std::unique_ptr<File> f = fs.Open(exe_path, FileAccess::kRead, share::kRead | share::kWrite, Disposition::kOpenExisting);
  if (!f) return compiled;  // nothing to look at: the program's own form
  const AppendedForm found = FindAppendedForm(f->Size(), [&f](int64_t offset, size_t count, std::string* out) {
    out->assign(count, '\0');
    uint32_t got = 0;
    return f->Seek(offset, SeekOrigin::kBegin) && f->Read(out->data(), static_cast<uint32_t>(count), &got) &&
           got == count;
  });
  switch (found.state) {
    case AppendedForm::State::kNone:
      return compiled;
    case AppendedForm::State::kDamaged:
      throw Exception("The main form appended to " + exe_path + " is damaged: " + found.problem +
                      ". Make the installer again with kitsetup.");
    case AppendedForm::State::kFound:
      break;
  }
  *storage = found.text;
  return {*storage, "main form appended to " + exe_path};
}

}  // namespace kit
