#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Reads the whole file. False with `error` set (the system's reason).
bool ReadWholeFile(const std::string& path, Bytes& data, std::string& error);

// Replaces whatever is at `path` (a file, or a link, which is removed rather
// than followed) with a new file holding `length` bytes.
bool ReplaceFile(const std::string& path, const std::uint8_t* data, std::size_t length,
                 std::string& error);

std::string BaseName(const std::string& path);
