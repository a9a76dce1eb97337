// The installer's error classes (the EAI family). Each class builds its own
// message from the English text: passed through TranslateMessage first and
// then filled with its arguments, except where noted as fixed text. The
// family's base EAI and its fixed-text directory errors are the system
// routines' (system/system_errors.h).
#pragma once

#include <cstdint>
#include <string>

#include "model/component_class.h"
#include "system/system_errors.h"

namespace kit {

class TInstallContainer;

// ---------------------------------------------------------------- install files

class EAIIF : public EAI {
 public:
  const char* ClassName() const override { return "EAIIF"; }

 protected:
  using EAI::EAI;
};

class EAIIFCouldNotOpenFileImage : public EAIIF {
 public:
  explicit EAIIFCouldNotOpenFileImage(const std::string& source_path);
  const char* ClassName() const override { return "EAIIFCouldNotOpenFileImage"; }
};

class EAIIFBlankArchiveFile : public EAIIF {
 public:
  explicit EAIIFBlankArchiveFile(const std::string& file_name);
  const char* ClassName() const override { return "EAIIFBlankArchiveFile"; }
};

class EAIIFNotFileContainer : public EAIIF {
 public:
  explicit EAIIFNotFileContainer(const std::string& component_name);
  const char* ClassName() const override { return "EAIIFNotFileContainer"; }
};

class EAIIFDLLNameConflict : public EAIIF {
 public:
  explicit EAIIFDLLNameConflict(const std::string& file_name);
  const char* ClassName() const override { return "EAIIFDLLNameConflict"; }
};

class EAIIFDuplicateFileInGroup : public EAIIF {
 public:
  explicit EAIIFDuplicateFileInGroup(const std::string& source_path);
  const char* ClassName() const override { return "EAIIFDuplicateFileInGroup"; }
};

class EAIIFCannotUpdateDLLCountInRegistry : public EAIIF {
 public:
  explicit EAIIFCannotUpdateDLLCountInRegistry(const std::string& file_name);
  const char* ClassName() const override { return "EAIIFCannotUpdateDLLCountInRegistry"; }
};

// ---------------------------------------------------------------- containers

class EAIIC : public EAI {
 public:
  const char* ClassName() const override { return "EAIIC"; }

 protected:
  using EAI::EAI;
};

// Comp found no helper of that class at that index.
class EAIICBadCompCall : public EAIIC {
 public:
  EAIICBadCompCall(int32_t index, const ComponentClass& component_class);
  const char* ClassName() const override { return "EAIICBadCompCall"; }
  int32_t Index() const { return index_; }
  const ComponentClass& ClassAsked() const { return class_; }

 private:
  int32_t index_;
  ComponentClass class_;
};

class EAIICAddingNilHelperComponent : public EAIIC {
 public:
  explicit EAIICAddingNilHelperComponent(TInstallContainer* container);
  const char* ClassName() const override { return "EAIICAddingNilHelperComponent"; }
  TInstallContainer* Container() const { return container_; }

 private:
  TInstallContainer* container_;
};

class EAIICCircularInstallContainer : public EAIIC {
 public:
  // A container added to itself: fixed text "Circular reference".
  EAIICCircularInstallContainer();
  // A container added below itself (helper's and container's names).
  EAIICCircularInstallContainer(const std::string& helper_name, const std::string& container_name);
  const char* ClassName() const override { return "EAIICCircularInstallContainer"; }
};

// ---------------------------------------------------------------- meta-variables

// %a or %c could not be expanded.
class EAICannotExpandContainerDirMV : public EAI {
 public:
  enum class Reason {
    kComponentNilForA,   // %a without a component
    kComponentNilForC,   // %c without a component
    kContainerNil,       // %c for a component without a container
  };
  explicit EAICannotExpandContainerDirMV(Reason reason);
  const char* ClassName() const override { return "EAICannotExpandContainerDirMV"; }
  Reason WhatFailed() const { return reason_; }

 private:
  Reason reason_;
};

// %i without a driver.
class EAICannotExpandInstallDirMV : public EAI {
 public:
  EAICannotExpandInstallDirMV();
  const char* ClassName() const override { return "EAICannotExpandInstallDirMV"; }
};

// ---------------------------------------------------------------- driver

class EAITwoInstallComponents : public EAI {
 public:
  EAITwoInstallComponents();
  const char* ClassName() const override { return "EAITwoInstallComponents"; }
};

// The user cancelled; the driver tells it apart from failures.
class EAIUserAbort : public EAI {
 public:
  EAIUserAbort();
  const char* ClassName() const override { return "EAIUserAbort"; }
};

}  // namespace kit
