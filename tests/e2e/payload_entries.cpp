#include "payload_entries.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/container_walk.h"
#include "core/entry_stream.h"
#include "test_support.h"

std::map<std::string, std::string> InflatedEntries(const std::string& container) {
  std::map<std::string, std::string> inflated;
  ContainerWalk walk =
      StartWalk(reinterpret_cast<const std::uint8_t*>(container.data()), container.size());
  ContainerEntry entry;
  std::vector<std::uint8_t> out(kInflateLimit);
  while (NextEntry(walk, entry)) {
    std::size_t length = 0;
    EXPECT_TRUE(InflateEntry(entry.stream, entry.streamLength, out.data(), out.size(), length));
    inflated[entry.name] = std::string(reinterpret_cast<char*>(out.data()), length);
  }
  return inflated;
}

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
