#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "payload/container_append.h"
#include "payload/payload_lookup.h"
#include "payload_fixture.h"
#include "shell/payload_memory.h"
#include "test_support.h"

namespace {

// Bytes that zlib cannot shrink: its stream is a little longer than they are.
Bytes Noise(std::size_t size) {
  Bytes bytes(size);
  std::uint32_t state = 7300;
  for (auto& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<std::uint8_t>(state >> 24);
  }
  return bytes;
}

class ContainerWriter : public InstallDirFiles {
 protected:
  // Puts a source file into the directory and returns its path.
  std::string Source(const std::string& name, const Bytes& data) {
    EXPECT_TRUE(PutFile(Installed(name), data));
    return Installed(name);
  }
  int Append(const std::string& file) {
    return AppendFileToContainer(container_.c_str(), file.c_str());
  }
  const std::string container_ = "c:\\lzback.lzz";
  void SetUp() override {
    InstallDirFiles::SetUp();
    RemoveFile(container_);
  }
};

TEST_F(ContainerWriter, TwoAppendsMakeAContainerThatWalksBackToTheFiles) {
  const Bytes text = ToBytes(std::string(20000, 'w') + "lanzhou");
  const Bytes noise = Noise(5000);  // grows, but fits the 8 KiB room
  ASSERT_EQ(1, Append(Source("lanzyhzd.lzh", text)));
  ASSERT_EQ(1, Append(Source("lznoise.bin", noise)));

  const Bytes container = FileBytes(container_);
  const WalkResult walked = WalkAll(container);
  ASSERT_EQ(2u, walked.entries.size());
  EXPECT_FALSE(walked.walk.endedEarly);
  const std::uint32_t c1 = walked.entries[0].streamLength;
  const std::uint32_t c2 = walked.entries[1].streamLength;
  EXPECT_GT(c2, noise.size());
  EXPECT_EQ(container.size(), 10 + 56 + c1 + 56 + c2);
  EXPECT_EQ(ToBytes(std::string("L0", 2)), Bytes(container.begin(), container.begin() + 2));
  EXPECT_EQ(container.size(), ReadU32le(container.data() + kTotalSizeOffset));
  EXPECT_EQ(2u, ReadU32le(container.data() + kEntryCountOffset));

  EXPECT_STREQ("lanzyhzd.lzh", walked.entries[0].name);
  EXPECT_STREQ("lznoise.bin", walked.entries[1].name);
  Bytes out(30000);
  std::size_t inflated = 0;
  ASSERT_TRUE(InflateEntry(walked.entries[0].stream, c1, out.data(), out.size(), inflated));
  EXPECT_EQ(text, Bytes(out.begin(), out.begin() + inflated));
  ASSERT_TRUE(InflateEntry(walked.entries[1].stream, c2, out.data(), out.size(), inflated));
  EXPECT_EQ(noise, Bytes(out.begin(), out.begin() + inflated));
}

TEST_F(ContainerWriter, AnEmptyFileIsTheEightByteStreamOfNothing) {
  ASSERT_EQ(1, Append(Source("lanzempt.lzh", Bytes())));
  const Bytes container = FileBytes(container_);
  const WalkResult walked = WalkAll(container);
  ASSERT_EQ(1u, walked.entries.size());
  EXPECT_STREQ("D41D8CD98F00B204E9800998ECF8427E", walked.entries[0].checksum);
  const Bytes stream(walked.entries[0].stream, walked.entries[0].stream + 8);
  EXPECT_EQ((Bytes{0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}), stream);
  EXPECT_EQ(10u + 56 + 8, container.size());
}

TEST_F(ContainerWriter, NamesCompareByteForByte) {
  ASSERT_EQ(1, Append(Source("lanzuser.lzh", ToBytes("one"))));
  const std::string upper = Installed("sub");
  CreateDirectoryA(upper.c_str(), nullptr);
  ASSERT_TRUE(PutFile(upper + "\\LANZUSER.lzh", ToBytes("two")));
  EXPECT_EQ(1, Append(upper + "\\LANZUSER.lzh"));

  const Bytes before = FileBytes(container_);
  ASSERT_TRUE(PutFile(upper + "\\lanzuser.lzh", ToBytes("three")));
  EXPECT_EQ(0, Append(upper + "\\lanzuser.lzh"));
  EXPECT_EQ(before, FileBytes(container_));
  EXPECT_EQ(2u, WalkAll(before).entries.size());
}

TEST_F(ContainerWriter, ANameOver12BytesFailsBeforeAnythingIsCreated) {
  EXPECT_EQ(0, Append(Source("lanzabcde.lzh", ToBytes("13 bytes"))));
  EXPECT_FALSE(FileExists(container_));
  EXPECT_EQ(0, AppendFileToContainer(container_.c_str(), ""));
  EXPECT_FALSE(FileExists(container_));
  EXPECT_EQ(0, Append(Installed("..")));
  EXPECT_FALSE(FileExists(container_));
  EXPECT_EQ(1, Append(Source("lanzabcd.lzh", ToBytes("12 bytes"))));
}

TEST_F(ContainerWriter, FailuresLeaveTheContainerAsItWas) {
  ASSERT_EQ(1, Append(Source("lanzfirst.lz", ToBytes("first"))));
  const Bytes before = FileBytes(container_);

  // Larger than 8 KiB and growing when compressed: no room for its stream.
  EXPECT_EQ(0, Append(Source("lznoise.bin", Noise(9000))));
  EXPECT_EQ(before, FileBytes(container_));
  EXPECT_EQ(0, Append(Installed("missing.lzh")));
  EXPECT_EQ(before, FileBytes(container_));

  // A container held open by another program is neither written nor made anew.
  HANDLE held = CreateFileA(container_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(0, Append(Source("lanzmore.lzh", ToBytes("more"))));
  CloseHandle(held);
  EXPECT_EQ(before, FileBytes(container_));
}

TEST_F(ContainerWriter, ANewContainerKeepsItsEmptyHeaderWhenTheFileFails) {
  EXPECT_EQ(0, Append(Installed("missing.lzh")));
  EXPECT_EQ(FileBytes(container_),
            (Bytes{'L', '0', 10, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ContainerWriter, NothingIsAddedToWhatIsNoWholeContainer) {
  const std::string file = Source("lanzmore.lzh", ToBytes("more"));
  const Bytes twoEntries = ContainerBuilder(ContainerFormat::Checksummed)
                               .Add("a.lzh", ToBytes("a"))
                               .Add("b.lzh", ToBytes("b"))
                               .Build();
  Bytes countTooLarge = twoEntries;
  WriteU32le(3, countTooLarge.data() + kEntryCountOffset);
  Bytes hugeStream = twoEntries;
  WriteU32le(0xFFFFFFF0u, hugeStream.data() + kContainerHeaderSize + kCompressedSizeOffset);
  Bytes badTag = twoEntries;
  badTag[twoEntries.size() - Compressed(ToBytes("b")).size() - kEntryHeaderSize] = 'X';
  const Bytes plain =
      ContainerBuilder(ContainerFormat::Plain).Add("skin1.bmp", ToBytes("bmp")).Build();
  const Bytes shortHeader = ToBytes("L0");
  for (const Bytes& damaged : {countTooLarge, hugeStream, badTag, plain, shortHeader}) {
    ASSERT_TRUE(PutFile(container_, damaged));
    EXPECT_EQ(0, Append(file));
    EXPECT_EQ(damaged, FileBytes(container_));
  }
}

class PayloadLookup : public ::testing::Test {
 protected:
  void SetUp() override { AcquirePayloadMemory(); }
  void TearDown() override { ReleasePayloadMemory(); }
};

TEST_F(PayloadLookup, InflatesTheNamedEntryAtOffset100) {
  ASSERT_NE(nullptr, Payload);
  ASSERT_NE(nullptr, WorkBuffer);
  EXPECT_EQ(54u + 1204u * 310u, FindPayloadEntry("lzsr1.bmp"));
  EXPECT_EQ('B', WorkBuffer[100]);
  EXPECT_EQ('M', WorkBuffer[101]);
  // A 401 x 310 picture of 24 bits, rows padded to four bytes.
  EXPECT_EQ(54u + 1204u * 310u, ReadU32le(WorkBuffer + 102));
}

TEST_F(PayloadLookup, AMissLeavesBytes100And101Zero) {
  FindPayloadEntry("lzsr1.bmp");
  EXPECT_EQ(0u, FindPayloadEntry("LZSR1.BMP"));
  EXPECT_EQ(0, WorkBuffer[100]);
  EXPECT_EQ(0, WorkBuffer[101]);
  EXPECT_EQ(54u + 1204u * 310u, ReadU32le(WorkBuffer + 102));

  FindPayloadEntry("lzsr1.bmp");
  const unsigned char* payload = Payload;
  Payload = nullptr;
  EXPECT_EQ(0u, FindPayloadEntry("lzsr1.bmp"));
  Payload = payload;
  EXPECT_EQ(0, WorkBuffer[100]);
  EXPECT_EQ(0, WorkBuffer[101]);
}

}  // namespace
