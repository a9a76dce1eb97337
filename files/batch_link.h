// The Startup link of the batch fallback of a file replacement: when the
// delayed move of a file in use is refused, a batch file does the swap at
// the next start of Windows, started by a shell link (a Program Manager
// item on platform class 3) in the Startup folder. The shell-link component
// provides the maker; it creates the link, owned by the install file, and
// records it in the driver's unfinished list.
#pragma once

#include <functional>
#include <string>

namespace kit {

class TInstallFile;

using BatchStartupLinkMaker =
    std::function<void(TInstallFile& owner, const std::string& batch_file, int platform_class)>;

void SetBatchStartupLinkMaker(BatchStartupLinkMaker maker);
// Makes the link; without a maker raises an Exception naming the batch file.
void MakeBatchStartupLink(TInstallFile& owner, const std::string& batch_file, int platform_class);

}  // namespace kit
