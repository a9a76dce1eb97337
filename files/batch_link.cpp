#include "files/batch_link.h"

#include "base/exception.h"
#include "system/translated_format.h"

namespace kit {
namespace {
BatchStartupLinkMaker& Maker() {
  static BatchStartupLinkMaker maker;
  return maker;
}
}  // namespace

void SetBatchStartupLinkMaker(BatchStartupLinkMaker maker) { Maker() = std::move(maker); }

void MakeBatchStartupLink(TInstallFile& owner, const std::string& batch_file, int platform_class) {
  if (!Maker())
    throw Exception(TranslatedFormat(
        "Cannot make the Startup link that runs %s at the next start of Windows: this installer "
        "has no shell-link component",
        {batch_file}));
  BatchStartupLinkMaker maker = Maker();
  maker(owner, batch_file, platform_class);
}

}  // namespace kit
