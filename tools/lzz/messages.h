#pragma once

#include <string>

// One line on stderr, "lzz: " first.
void PrintError(const std::string& message);
