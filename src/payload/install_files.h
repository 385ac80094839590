#pragma once

// Places the installation's files: the first pass unpacks the payload into
// InstallDir and puts the first-pass IME modules and the uninstaller into
// the system directories; the second pass puts the full modules over them
// and removes the first-pass modules. Problems are shown and the pass goes on.
void InstallFiles(bool secondPass);

// What the passes show while they run: the directory page drawn again and the
// progress bar. The wizard installs it; without one (silent mode) the passes
// draw nothing and do not pause to show it.
struct PassPainter {
  void (*repaintPage)();
  void (*drawProgress)(int done, int total);
};
void SetPassPainter(const PassPainter* painter);
