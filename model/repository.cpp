#include "model/repository.h"

namespace kit {

TCustomRepository::TCustomRepository(RepositoryFile* file)
    : delphi2_(std::make_unique<TObjectRepositoryEntry>(file, RepositoryEnvironment::kDelphi2)),
      delphi3_(std::make_unique<TObjectRepositoryEntry>(file, RepositoryEnvironment::kDelphi3)),
      cbuilder_(std::make_unique<TObjectRepositoryEntry>(file, RepositoryEnvironment::kCBuilder)) {}

TCustomRepository::~TCustomRepository() = default;

void TCustomRepository::Register() {
  delphi2_->Register();
  delphi3_->Register();
  cbuilder_->Register();
}

const PropertyTable& TRepository::Properties() {
  static const PropertyTable table = PropertyTable::Make<TRepository>([](auto& p) {
    p.Object("Delphi2", [](TRepository* r) -> TObjectRepositoryEntry& { return r->Delphi2(); });
    p.Object("Delphi3", [](TRepository* r) -> TObjectRepositoryEntry& { return r->Delphi3(); });
    p.Object("CBuilder", [](TRepository* r) -> TObjectRepositoryEntry& { return r->CBuilder(); });
  });
  return table;
}

}  // namespace kit
