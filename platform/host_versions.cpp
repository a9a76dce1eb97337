#include "base/codepage.h"
#include "platform/host.h"
#include "platform/version_source.h"

namespace kit {

std::unique_ptr<VersionSource> OpenHostVersionSource(Platform& platform) {
#ifdef _WIN32
  (void)platform;
  return MakeWin32VersionSource();
#else
  return MakePeVersionSource(platform.Files(), [](std::u16string_view text) {
    return FromUtf16(std::u16string(text), AnsiCodePage());
  });
#endif
}

}  // namespace kit
