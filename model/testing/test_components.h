// Install components for tests of the tree: one class per processing rank,
// a dialog component that records the information events it hears, and a
// driver. Every process step and log write goes into a shared record.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/base_helper_component.h"
#include "model/install_driver.h"

namespace kit::testing {

using Record = std::vector<std::string>;

class TTestHelper : public TBaseHelperComponent {
  KIT_COMPONENT_CLASS(TTestHelper)

 public:
  TTestHelper(TComponent* owner, const std::string& name, int32_t processing_rank,
              Record* record = nullptr)
      : TBaseHelperComponent(owner, processing_rank), record_(record) {
    SetName(name);
    SetAutoProcess(processing_rank != rank::kDialog && processing_rank != rank::kNone);
  }

  // Runs inside the component's own work (after the helpers).
  std::function<void()> work;

  void ProcessHelpers() override {
    Note("work " + Name());
    TBaseHelperComponent::ProcessHelpers();
    if (work) work();
  }
  void WriteUninstallLog(const std::string& key) override { Note("log " + Name() + " " + key); }

 protected:
  void Note(const std::string& text) {
    if (record_ != nullptr) record_->push_back(text);
  }
  Record* record_;
};

#define KIT_TEST_HELPER_CLASS(NAME, RANK)                                       \
  class NAME : public TTestHelper {                                            \
    KIT_COMPONENT_CLASS(NAME)                                                  \
   public:                                                                     \
    NAME(TComponent* owner, const std::string& name, Record* record = nullptr) \
        : TTestHelper(owner, name, RANK, record) {}                            \
  }

KIT_TEST_HELPER_CLASS(TTestGroup, rank::kFileGroup);
KIT_TEST_HELPER_CLASS(TTestFile, rank::kInstallFile);
KIT_TEST_HELPER_CLASS(TTestLinkGroup, rank::kShellLinkGroup);
KIT_TEST_HELPER_CLASS(TTestLink, rank::kShellLink);
// Of the class name that always goes first.
KIT_TEST_HELPER_CLASS(TInstallBDE, rank::kInstallFile);

// A dialog component: hears the information events of its container.
class TRecordingDialog : public TTestHelper {
  KIT_COMPONENT_CLASS(TRecordingDialog)

 public:
  TRecordingDialog(TComponent* owner, const std::string& name, Record* record)
      : TTestHelper(owner, name, rank::kDialog, record) {}

  std::function<void(const std::string&)> on_event;

  void HandleInformationEvent(TInstallContainer* container, const std::string& event_name,
                              TParameterObject* parameter) override {
    Note(Name() + " hears " + event_name + " from " + (container ? container->Name() : "none"));
    if (on_event) on_event(event_name);
  }
};

// The root of a tree, registered as the process's driver while it lives.
class TTestDriver : public TTestHelper, public InstallDriver {
  KIT_COMPONENT_CLASS(TTestDriver)

 public:
  TTestDriver(TComponent* owner, const std::string& name, Record* record = nullptr)
      : TTestHelper(owner, name, rank::kNone, record) {
    SetDriver(this);
  }
  TInstallContainer& DriverComponent() override { return *this; }
  std::string ProductName() const override { return "Tavrix"; }
  std::string SourceDirectory() const override { return source_directory; }
  std::string source_directory = "A:";
  void AddUnfinishedEntry(const std::string& subject, int kind) override {
    unfinished.push_back(subject + ";" + std::to_string(kind));
  }
  std::vector<std::string> unfinished;
  // The driver records no log entry of its own.
  void WriteUninstallLog(const std::string&) override {}
};

}  // namespace kit::testing
