// The installer's pages and prompts: their entries in the page registries
// (in the order the program registers them at start) and the hidden
// instances the program creates after its main form.
#pragma once

namespace kit {

// Fills the BIF list (bad install, good install, welcome, licence), the DCF
// list (copy progress) and the BCDF list (change disk). Once per process;
// later calls do nothing.
void RegisterInstallerPages();

// One hidden instance each of the bad-install, change-disk, copy,
// good-install, welcome and licence forms, owned by the application.
void CreateHiddenPageInstances();

}  // namespace kit
