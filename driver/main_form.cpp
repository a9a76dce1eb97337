#include "driver/main_form.h"

namespace kit {

TForm1::TForm1(TComponent* owner) : TForm(owner) {}

const PropertyTable& TForm1::Properties() {
  static const PropertyTable table = PropertyTable::Make<TForm1, TForm>([](auto&) {});
  return table;
}

}  // namespace kit
