#pragma once

// Removes from InstallDir exactly the files that the installation put there:
// the payload's and the skin containers' files, those the installer writes
// itself, and the backup "lanzback.lzz"; the user's data files (the backup
// list) only when `userData` is true. The folder "filer" and the directory
// itself go when they are empty. Nothing is done unless InstallDir is a real
// directory (no link) one level below a drive root that holds this product's
// edition marker, which the installation writes first: a record that names
// another directory never makes it delete there. A file in use is deleted at
// the next start of Windows, which the run notes as needed.
void RemoveInstalledFiles(bool userData);
