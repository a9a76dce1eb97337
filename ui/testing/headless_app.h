// A fresh application on a scripted headless backend, for tests.
#pragma once

#include <memory>

#include "ui/application.h"
#include "ui/headless_backend.h"

namespace kit::testing {

class HeadlessApp {
 public:
  HeadlessApp() {
    auto backend = std::make_unique<HeadlessBackend>();
    backend_ = backend.get();
    Application().Initialize(std::move(backend));
  }
  ~HeadlessApp() { Application().DestroyComponents(); }
  HeadlessBackend& backend() { return *backend_; }

 private:
  HeadlessBackend* backend_;
};

}  // namespace kit::testing
