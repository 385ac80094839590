#pragma once

#include <string>

// What a silent installation left in the prefix, read back as a user or
// Windows would see it: the installation directory and a few of its files,
// the system-directory modules and the registry values. UTF-8 lines.
std::string InstallSummary();
