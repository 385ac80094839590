#pragma once

// The files the installation put into the system directories: the IME's
// module "lanzhu4.ime" (with the spare copies that replacing it in use left
// behind) and the uninstaller "lanzdel.exe".

// Whether the module is in one of the system directories.
bool ImeModuleInstalled();

// Removes them. A module in use is moved aside and deleted by Windows at its
// next start, which the run then notes as needed; the uninstaller's own
// copies are deleted at the next start too, which is no reason to restart.
// Notes what stays as the run's failure.
void RemoveSystemFiles();
