// Shared set-up of the tests of file containers and install files: a fresh
// test machine, a file-container driver whose unfinished entries the test
// reads, source files in the scratch directory and an archive made from them
// with the shared engine.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "files/file_container.h"
#include "files/install_engine.h"
#include "files/install_file.h"
#include "files/install_file_group.h"
#include "model/install_driver.h"
#include "model/reboot_needed.h"
#include "system/testing/install_machine.h"

namespace kit::testing {

// The root of a tree of files, registered as the process's driver.
class TFileTestDriver : public TFileContainer, public InstallDriver {
  KIT_COMPONENT_CLASS(TFileTestDriver)

 public:
  explicit TFileTestDriver(TComponent* owner, const std::string& name = "Install1")
      : TFileContainer(owner) {
    SetName(name);
    SetDriver(this);
  }
  TInstallContainer& DriverComponent() override { return *this; }
  std::string ProductName() const override { return product; }
  std::string SourceDirectory() const override { return "A:"; }
  void AddUnfinishedEntry(const std::string& subject, int kind) override {
    unfinished.push_back(subject + ";" + std::to_string(kind));
  }
  void WriteUninstallLog(const std::string&) override {}

  std::string product = "Tavrix";
  std::vector<std::string> unfinished;
};

inline std::string Bytes(size_t n, unsigned seed) {
  std::string s(n, '\0');
  unsigned x = seed * 2654435761u + 1;
  for (char& c : s) {
    x = x * 1103515245u + 12345u;
    c = static_cast<char>('a' + (x >> 16) % 7);  // compressible, not uniform
  }
  return s;
}

class FileTest : public ::testing::Test {
 protected:
  FileTest() : src_(m_.Scratch() + "\\src"), dest_(m_.Scratch() + "\\Dest"), archive_(m_.Scratch() + "\\disk\\files.1") {
    SetRebootNeeded(false);
    m_.platform().Files().MakeDirectories(src_);
    m_.platform().Files().MakeDirectories(m_.Scratch() + "\\disk");
    driver_ = std::make_unique<TFileTestDriver>(nullptr);
    driver_->product = UniqueName("Tavrix");
    driver_->SetArchiveFile(archive_);
    driver_->SetDestDir(dest_);
    log_ = std::make_unique<ScopedKey>(m_.platform(), RegRoot::kLocalMachine,
                                       UninstallLogKey(*driver_));
  }
  ~FileTest() override {
    files_.clear();
    groups_.clear();
    driver_.reset();
    SetRebootNeeded(false);
    ResetInstallEngine();
  }

  // A source file in the source directory; returns its path.
  std::string Source(const std::string& name, const std::string& bytes) {
    std::string path = src_ + "\\" + name;
    EXPECT_TRUE(PutFile(m_.platform(), path, bytes)) << path;
    return path;
  }
  // An install file of `container` for src\name, installed into the
  // container's directory.
  TInstallFile* File(TInstallContainer* container, const std::string& name, const std::string& bytes,
                     const std::string& component_name = "") {
    Source(name, bytes);
    auto f = std::make_unique<TInstallFile>(nullptr);
    f->SetName(component_name.empty() ? "File" + std::to_string(files_.size() + 1) : component_name);
    f->SetContainer(container);
    f->SetIncludeFromDir(src_);
    f->SetFileName(name);
    f->SetDestDirType(ddContainerDestDir);
    files_.push_back(std::move(f));
    return files_.back().get();
  }
  TInstallFileGroup* Group(TInstallContainer* container, const std::string& name, const std::string& subdir) {
    auto g = std::make_unique<TInstallFileGroup>(nullptr);
    g->SetName(name);
    g->SetContainer(container);
    g->SetDestDirType(ddContainerDestDir);
    g->SetDestDir("\\" + subdir);
    groups_.push_back(std::move(g));
    return groups_.back().get();
  }
  // Compresses every file of the tree into the driver's archive.
  void Build() { driver_->CompressFiles(true); }

  std::string Get(const std::string& path) { return GetFile(m_.platform(), path); }
  bool Exists(const std::string& path) { return m_.platform().Files().Exists(path); }
  std::vector<std::string> Log() {
    return ListKey(m_.platform(), RegRoot::kLocalMachine, UninstallLogKey(*driver_));
  }

  InstallMachine m_;
  std::string src_, dest_, archive_;
  std::unique_ptr<TFileTestDriver> driver_;
  std::unique_ptr<ScopedKey> log_;
  std::vector<std::unique_ptr<TInstallFileGroup>> groups_;
  std::vector<std::unique_ptr<TInstallFile>> files_;
};

}  // namespace kit::testing
