#pragma once

#include <map>
#include <string>

// The payload that setup.exe carries, read once.
const std::map<std::string, std::string>& Payload();
// A whole file of the prefix; a failed test when it cannot be read.
std::string Bytes(const std::string& path);
// The GBK bytes of a wide text, as the installer names its files.
std::string Gbk(const std::wstring& text);
