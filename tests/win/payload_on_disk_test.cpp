#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "data/install_dir.h"
#include "payload/container_append.h"
#include "payload/extract_container.h"
#include "payload/verify_files.h"
#include "payload_fixture.h"
#include "shell/payload_memory.h"
#include "test_support.h"

namespace {

// A native path of the build, given by CTest, as this prefix sees it.
std::string BuildPath(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr ? WindowsPathOfNative(value) : std::string();
}

class PayloadOnDisk : public InstallDirFiles {
 protected:
  void SetUp() override {
    InstallDirFiles::SetUp();
    payload_ = FileBytes(BuildPath("LANZ_PAYLOAD_LZZ"));
    ASSERT_FALSE(payload_.empty()) << "LANZ_PAYLOAD_LZZ names no payload";
  }
  Bytes payload_;
};

// The directory is kept for lzz verify, which checks it natively afterwards.
// Under Big5 the GBK names of the skin containers become other names, the
// same ones for extraction and verification.
TEST_F(PayloadOnDisk, ExtractsAndVerifiesEveryEntry) {
  const std::string dir = BuildPath("LANZ_EXTRACTED_DIR") + "\\" + CurrentConfig().name + "\\";
  ASSERT_LT(dir.size(), sizeof InstallDir);
  CreateDirectoryA(dir.substr(0, dir.rfind('\\', dir.size() - 2)).c_str(), nullptr);
  CreateDirectoryA(dir.c_str(), nullptr);
  std::strcpy(InstallDir, dir.c_str());
  std::vector<unsigned char> work(kWorkBufferSize);
  EXPECT_EQ(1, ExtractContainer(payload_.data(), payload_.size(), work.data(), work.size()));
  EXPECT_TRUE(shown_.empty());

  char report[79 * 16 + 64];
  EXPECT_EQ(79u, VerifyInstalledFiles(payload_.data(), payload_.size(), report, sizeof report,
                                      kPayloadUncheckedFiles));
  EXPECT_STREQ("", report);
  EXPECT_EQ(79u, VerifyInstalledFiles(payload_.data(), payload_.size(), report, sizeof report, ""));
}

// payload.lzz is what lzz pack made of the payload's files at build time.
TEST_F(PayloadOnDisk, TheWriterPacksTheSameBytesAsLzz) {
  // The narrow calls read a path in the system's code page; the skin
  // containers' GBK names name other files under Big5.
  if (GetACP() != 936) GTEST_SKIP() << "the payload's GBK file names need code page 936";
  const std::string files = BuildPath("LANZ_PAYLOAD_DIR") + "\\";
  const std::string container = Installed("payload.lzz");
  ContainerWalk walk = StartWalk(payload_.data(), payload_.size());
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) {
    ASSERT_EQ(1, AppendFileToContainer(container.c_str(), (files + entry.name).c_str()))
        << entry.name;
  }
  EXPECT_EQ(79u, walk.walked);
  EXPECT_TRUE(payload_ == FileBytes(container)) << "the containers differ";
}

}  // namespace
