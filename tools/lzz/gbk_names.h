#pragma once

// Entry names are GBK bytes in a container, file names are UTF-8 on the
// build machine. ASCII names are the same in both.

#include <string>

bool Utf8ToGbk(const std::string& utf8, std::string& gbk);
bool GbkToUtf8(const std::string& gbk, std::string& utf8);

// A stored name for messages and listings: its UTF-8 form, or, when it is
// not GBK or holds control bytes, the bytes with everything but printable
// ASCII shown as \xNN.
std::string DisplayName(const std::string& gbk);
