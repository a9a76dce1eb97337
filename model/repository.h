// The repository record of an install file: one object repository entry per
// development environment, owned by the record, which the install file owns
// and fills in place from the stored configuration
// ("Repository.Delphi2.RegisterIt = True").
//
// TInstallFile calls Register when it installs its file, after extraction.
#pragma once

#include <memory>

#include "base/property.h"
#include "model/object_repository_entry.h"

namespace kit {

class RepositoryFile;

class TCustomRepository {
 public:
  // The entries are created in the order Delphi2, Delphi3, CBuilder, each
  // describing `file`; none raises the entry's Exception.
  explicit TCustomRepository(RepositoryFile* file);
  virtual ~TCustomRepository();
  TCustomRepository(const TCustomRepository&) = delete;
  TCustomRepository& operator=(const TCustomRepository&) = delete;

  TObjectRepositoryEntry& Delphi2() const { return *delphi2_; }
  TObjectRepositoryEntry& Delphi3() const { return *delphi3_; }
  TObjectRepositoryEntry& CBuilder() const { return *cbuilder_; }

  // Register of Delphi2, then Delphi3, then CBuilder.
  virtual void Register();

 private:
  std::unique_ptr<TObjectRepositoryEntry> delphi2_, delphi3_, cbuilder_;
};

// The published record.
class TRepository : public TCustomRepository {
 public:
  using TCustomRepository::TCustomRepository;
  static const char* StaticClassName() { return "TRepository"; }
  static const PropertyTable& Properties();
};

}  // namespace kit
