#include "payload_entries.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "test_support.h"

const std::map<std::string, std::string>& Payload() {
  static const std::map<std::string, std::string> entries = [] {
    std::string container;
    EXPECT_TRUE(ReadBytes(WindowsPathOfNative(std::getenv("LANZ_PAYLOAD_LZZ")), &container));
    std::map<std::string, std::string> inflated = InflatedEntries(container);
    EXPECT_EQ(79u, inflated.size());
    return inflated;
  }();
  return entries;
}

std::string Bytes(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadBytes(path, &bytes)) << path;
  return bytes;
}

std::string Gbk(const std::wstring& text) {
  const int size = WideCharToMultiByte(936, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(936, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
  return out;
}
