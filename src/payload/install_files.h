#pragma once

// Places the installation's files: the first pass unpacks the payload into
// InstallDir and puts the first-pass IME modules and the uninstaller into
// the system directories; the second pass puts the full modules over them
// and removes the first-pass modules. Problems are shown and the pass goes on.
void InstallFiles(bool secondPass);
