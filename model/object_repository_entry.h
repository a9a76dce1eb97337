// Object repository entries: an installed form or project listed in the
// Object Repository of a development environment (Delphi 2, Delphi 3,
// C++Builder 1). Each environment keeps its repository in an INI-format
// file ("DELPHI32.DRO", "BCB.DRO") that it finds through its registry
// settings; Register writes the owner file into it.
//
// Register is called for each of the three entries of an install file's
// TRepository when the file is installed, after extraction, whether or not
// the file was written.
// Nothing of it goes into the installation log.
#pragma once

#include <memory>
#include <string>

#include "base/component.h"
#include "base/property.h"

namespace kit {

class RepositoryFile;

// The environments, by the number the entries carry.
enum class RepositoryEnvironment { kDelphi3 = 0, kDelphi2 = 1, kCBuilder = 2 };

// The product key below "\Software\Borland" ("\Delphi\3.0") and the
// repository file ("DELPHI32.DRO") of an environment.
const char* RepositoryProductKey(RepositoryEnvironment environment);
const char* RepositoryFileName(RepositoryEnvironment environment);

// The environment's repository file: "BaseDir" of HKEY_CURRENT_USER
// "\Software\Borland" + product key + "\repository" with the file name, or,
// when that is empty, "RootDir" of HKEY_LOCAL_MACHINE "\Software\Borland" +
// product key with "Bin\" and the file name. Raises an Exception when
// "RootDir" is blank too, or when no file exists at the path.
std::string LocateRepositoryFile(RepositoryEnvironment environment);

class TCustomObjectRepositoryEntry {
 public:
  // `file` is the install file the entry describes; none raises an
  // Exception ("Cannot create the TObjectRepositoryEntry because the file
  // component passed to the contructor was NIL", translated).
  TCustomObjectRepositoryEntry(RepositoryFile* file, RepositoryEnvironment environment);
  virtual ~TCustomObjectRepositoryEntry();
  TCustomObjectRepositoryEntry(const TCustomObjectRepositoryEntry&) = delete;
  TCustomObjectRepositoryEntry& operator=(const TCustomObjectRepositoryEntry&) = delete;

  // Install files named by the entry; they must implement RepositoryFile
  // (else an Exception). The reference is dropped when the file is freed.
  TComponent* Ancestor() const { return ancestor_; }
  void SetAncestor(TComponent* file);
  TComponent* IconFile() const { return icon_file_; }
  void SetIconFile(TComponent* file);

  const std::string& Author() const { return author_; }
  void SetAuthor(const std::string& v) { author_ = v; }
  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& v) { description_ = v; }
  const std::string& EntryName() const { return entry_name_; }
  void SetEntryName(const std::string& v) { entry_name_ = v; }
  const std::string& EntryType() const { return entry_type_; }
  void SetEntryType(const std::string& v) { entry_type_ = v; }
  const std::string& Page() const { return page_; }
  void SetPage(const std::string& v) { page_ = v; }
  bool RegisterIt() const { return register_it_; }
  void SetRegisterIt(bool v) { register_it_ = v; }
  bool RaiseExceptionOnFailure() const { return raise_exception_on_failure_; }
  void SetRaiseExceptionOnFailure(bool v) { raise_exception_on_failure_ = v; }
  bool OverwriteSameFileName() const { return overwrite_same_file_name_; }
  void SetOverwriteSameFileName(bool v) { overwrite_same_file_name_ = v; }

  RepositoryFile& File() const { return *file_; }
  RepositoryEnvironment Environment() const { return environment_; }

  // Writes the entry into its environment's repository file when RegisterIt
  // is set. With OverwriteSameFileName, a repository file of two sections
  // or more first loses every section whose name contains the owner file's
  // DestName stem (upper case, ANSI letters), except "Repository Pages";
  // an empty stem erases nothing. Then "Repository Pages" lists Page (when
  // it is not empty) and the section GetDestDir\stem gets Name, Page, Type,
  // Description, Author, and Icon and Ancestor when those files are set.
  // Any failure is raised only with RaiseExceptionOnFailure and otherwise
  // skips the entry.
  virtual void Register();

 private:
  class Watch;
  void Forget(TComponent* component);
  void Refer(TComponent*& slot, TComponent* file, const char* property);
  void WriteEntry();

  RepositoryFile* file_;
  RepositoryEnvironment environment_;
  TComponent* ancestor_ = nullptr;
  TComponent* icon_file_ = nullptr;
  std::string author_, description_, entry_name_, entry_type_, page_;
  bool register_it_ = false;
  bool raise_exception_on_failure_ = false;
  bool overwrite_same_file_name_ = true;
  std::unique_ptr<Watch> watch_;
};

// The published entry: the properties a stored configuration sets, as
// "Repository.Delphi3.RegisterIt = True".
class TObjectRepositoryEntry : public TCustomObjectRepositoryEntry {
 public:
  using TCustomObjectRepositoryEntry::TCustomObjectRepositoryEntry;
  static const char* StaticClassName() { return "TObjectRepositoryEntry"; }
  static const PropertyTable& Properties();
};

}  // namespace kit
