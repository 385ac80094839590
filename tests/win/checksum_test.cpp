#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/install_dir.h"
#include "payload/extract_container.h"
#include "payload/md5_text.h"
#include "payload/verify_files.h"
#include "payload_fixture.h"
#include "test_support.h"

namespace {

std::string Checksum(const Bytes& data) {
  char text[kChecksumTextSize];
  Md5Text(data.data(), data.size(), text);
  return text;
}

const Bytes kFox = ToBytes("The quick brown fox jumps over the lazy dog");

TEST(ChecksumText, IsUpperCaseHexOfAdvapiMd5EndedByTwoNuls) {
  char text[kChecksumTextSize];
  std::memset(text, 'x', sizeof text);
  Md5Text("", 0, text);
  EXPECT_EQ(0, std::memcmp("D41D8CD98F00B204E9800998ECF8427E\0", text, sizeof text));
  Md5Text(kFox.data(), kFox.size(), text);
  EXPECT_STREQ("9E107D9D372BB6826BD81D3542A419D6", text);
}

TEST(ChecksumText, OfAFileCountsTheBytesRead) {
  const std::string path = "c:\\lzfox.txt";
  ASSERT_TRUE(PutFile(path, kFox));
  char text[kChecksumTextSize];
  EXPECT_EQ(kFox.size(), FileMd5Text(path.c_str(), text));
  EXPECT_STREQ("9E107D9D372BB6826BD81D3542A419D6", text);

  ASSERT_TRUE(PutFile(path, Bytes()));
  EXPECT_EQ(0u, FileMd5Text(path.c_str(), text));
  EXPECT_STREQ("D41D8CD98F00B204E9800998ECF8427E", text);

  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(0u, FileMd5Text("c:\\no-such-file.lzh", text));
  EXPECT_EQ(0, std::memcmp(text, std::string(kChecksumTextSize, '\0').data(), sizeof text));
}

class InstalledFiles : public InstallDirFiles {
 protected:
  // A checksummed container of the files, which are also put in place.
  Bytes Installed3() {
    ContainerBuilder builder(ContainerFormat::Checksummed);
    for (const auto& [name, data] : files_) {
      builder.Add(name, data, Checksum(data));
      EXPECT_TRUE(PutFile(Installed(name), data));
    }
    return builder.Build();
  }

  unsigned Verify(const Bytes& container, const char* exclusions = kPayloadUncheckedFiles) {
    return VerifyInstalledFiles(container.data(), container.size(), report_, sizeof report_,
                                exclusions);
  }

  const std::vector<std::pair<std::string, Bytes>> files_ = {
      {"lanz320.ime", ToBytes("first-pass module")},
      {"lanzabc.lzh", kFox},
      {"LANZ321.IME", ToBytes("upper-case name")},
  };
  char report_[200];
  const std::string closing_ = Gbk(L"有文件没有成功解压，请重新下载安装！\r\n");
};

TEST_F(InstalledFiles, AllIntactPassWithAnEmptyReport) {
  std::memset(report_, 'x', sizeof report_);
  EXPECT_EQ(3u, Verify(Installed3()));
  EXPECT_STREQ("", report_);
}

TEST_F(InstalledFiles, ListedNamesMayDifferOrBeMissingOthersAreReported) {
  const Bytes container = Installed3();
  RemoveFile(Installed("lanz320.ime"));
  RemoveFile(Installed("lanzabc.lzh"));
  EXPECT_EQ(2u, Verify(container));
  EXPECT_EQ("lanzabc.lzh...." + closing_, std::string(report_));

  // The list is lower case; an upper-case entry name is not found in it.
  ASSERT_TRUE(PutFile(Installed("LANZ321.IME"), ToBytes("rewritten")));
  ASSERT_TRUE(PutFile(Installed("lanz320.ime"), ToBytes("rewritten")));
  EXPECT_EQ(1u, Verify(container));
  EXPECT_EQ("lanzabc.lzh....LANZ321.IME...." + closing_, std::string(report_));

  // Without a list every difference counts.
  EXPECT_EQ(0u, Verify(container, ""));
  EXPECT_EQ("lanz320.ime....lanzabc.lzh....LANZ321.IME...." + closing_, std::string(report_));
}

TEST_F(InstalledFiles, PlainEntriesAreCheckedByLengthOnly) {
  const Bytes bitmap = ToBytes(std::string(3000, 'B'));
  const Bytes container = ContainerBuilder(ContainerFormat::Plain).Add("skin1.bmp", bitmap).Build();
  const std::size_t streamLength = Compressed(bitmap).size();
  ASSERT_TRUE(PutFile(Installed("skin1.bmp"), Bytes(streamLength - 1, 'z')));
  EXPECT_EQ(0u, Verify(container));
  EXPECT_EQ("skin1.bmp...." + closing_, std::string(report_));
  ASSERT_TRUE(PutFile(Installed("skin1.bmp"), Bytes(streamLength, 'z')));
  EXPECT_EQ(1u, Verify(container));
  EXPECT_STREQ("", report_);
}

TEST_F(InstalledFiles, AWalkEndedByABadTagReportsOnlyTheClosingLine) {
  Bytes container = Installed3();
  container[kContainerHeaderSize] = 'X';
  EXPECT_EQ(0u, Verify(container));
  EXPECT_EQ(closing_, std::string(report_));
  // Too short for a header: no entries counted, and still not intact.
  container.resize(kContainerHeaderSize - 1);
  EXPECT_EQ(0u, Verify(container));
  EXPECT_EQ(closing_, std::string(report_));
}

TEST_F(InstalledFiles, AnEntryOutsideTheDirectoryNeverPasses) {
  // "..\lzout.lzh" would name a real, intact file beside the directory.
  ASSERT_TRUE(PutFile("c:\\lzout.lzh", kFox));
  const Bytes container =
      ContainerBuilder(ContainerFormat::Checksummed).Add("..\\lzout.lzh", kFox, Checksum(kFox)).Build();
  EXPECT_EQ(0u, Verify(container));
  EXPECT_EQ("..\\lzout.lzh...." + closing_, std::string(report_));
}

TEST_F(InstalledFiles, TheReportStaysInItsBuffer) {
  const Bytes container = Installed3();
  for (const auto& file : files_) RemoveFile(Installed(file.first));
  char small[24];
  std::memset(small, 'x', sizeof small);
  EXPECT_EQ(0u, VerifyInstalledFiles(container.data(), container.size(), small, 20, ""));
  EXPECT_STREQ("lanz320.ime....", small);
  EXPECT_EQ(std::string(4, 'x'), std::string(small + 20, 4));
}

}  // namespace
