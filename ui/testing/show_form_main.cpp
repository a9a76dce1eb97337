// showform [FORM.dfm]: shows a stored form (the test form holding every
// control when none is named) until a button ends it, and prints the modal
// result. For screenshots and for trying the driver.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "base/class_registry.h"
#include "base/exception.h"
#include "base/form_reader.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/testing/test_form.h"
#include "ui/ui_classes.h"

int main(int argc, char** argv) {
  using namespace kit;
  try {
    Application().Initialize();
    ClassRegistry classes;
    RegisterUiClasses(classes);
    std::string text = testing::kTestForm, name = "test.dfm";
    if (argc > 1) {
      std::ifstream in(argv[1], std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "showform: cannot open %s\n", argv[1]);
        return 2;
      }
      text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      name = argv[1];
    }
    auto* form = dynamic_cast<TForm*>(FormReader(classes).Read(text, name, &Application()));
    if (form == nullptr) {
      std::fprintf(stderr, "showform: %s holds no form\n", name.c_str());
      return 2;
    }
    std::printf("%d\n", form->ShowModal());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "showform: %s\n", e.what());
    return 2;
  }
}
