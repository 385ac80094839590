#pragma once

// Whether anything of this product is installed: its uninstall entry, a
// record of its directory, its keyboard layouts or its module in a system
// directory.
bool ProductInstalled();

// Takes back what the installation wrote, in this order: the keyboard layouts
// and the preload lists' entries, the start-up entry and the browser tokens,
// the system directories' files, the installation directory's files (the
// user's data only when `userData` is true), the directory records, and last
// the uninstall entry, so that an interrupted or failed run can be started
// again from the same entry. What stays or waits for a restart goes to the
// run's result.
void RunUninstall(bool userData);
