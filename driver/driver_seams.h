// What the driver reaches in parts of the kit that are built on top of it:
// the build modes and the self-extract offset, the shell link of the
// restart link, and the deletion of a Program Manager item. Each part fills
// its seam at program start; a seam left empty raises a plain error that
// says what is not available in this build.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "model/path_specifiers.h"

namespace kit {

class TInstall;

// A temporary shell link made for the driver.
class TemporaryShellLink {
 public:
  virtual ~TemporaryShellLink();
  virtual void SetDestination(TPathSpecifiers type, const std::string& dir) = 0;
  // The folder the link file goes into, resolved, without a trailing backslash.
  virtual std::string DestinationFolder() = 0;
  // The link's file name ("INSTALL.LNK").
  virtual std::string LinkName() = 0;
  // Writes the link (a shell link file or a Program Manager item).
  virtual void Create() = 0;
};

struct DriverSeams {
  // The "*BUILD" and "*TODISK" work; failures are shown by the driver.
  std::function<void(TInstall&)> build_from_inf_file;
  std::function<void(TInstall&)> build_to_disk;
  // Sets the engine's offset to the file archive inside the loading program.
  std::function<void(TInstall&)> find_self_extract_offset;
  // A link owned by the driver: name, target program, parameters.
  std::function<std::unique_ptr<TemporaryShellLink>(TInstall& owner, const std::string& name,
                                                    const std::string& target,
                                                    const std::string& parameters)>
      make_shell_link;
  // Deletes an item from a Program Manager group; raises on failure.
  std::function<void(const std::string& group, const std::string& item)> delete_program_manager_item;
};

// The seams of the process.
DriverSeams& Seams();

}  // namespace kit
