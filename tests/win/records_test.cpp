// What the installer keeps in the prefix: the records of its directory, files
// rewritten whole, the user's data, extracted containers and the report.
#include <cstring>

#include "core/container_format.h"
#include "core/container_walk.h"
#include "data/install_dir.h"
#include "data/install_report.h"
#include "data/user_data.h"
#include "payload/container_append.h"
#include "payload/extract_container.h"
#include "payload/md5_text.h"
#include "shell/payload_memory.h"
#include "system/platform.h"
#include "system/seams.h"
#include "system/state.h"
#include "system/whole_file.h"
#include "test_support.h"

namespace {

std::vector<std::string> Shown;

int WINAPI RecordA(HWND, LPCSTR text, LPCSTR, UINT) {
  Shown.push_back(text);
  return IDOK;
}

UINT WINAPI EveryDriveFixed(LPCSTR) { return DRIVE_FIXED; }

std::vector<std::string> EntryNames(const std::string& container) {
  std::vector<std::string> names;
  ContainerWalk walk = StartWalk(reinterpret_cast<const std::uint8_t*>(container.data()), container.size());
  ContainerEntry entry{};
  while (NextEntry(walk, entry)) names.push_back(entry.name);
  return names;
}

class Records : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearInstallDirRecords();
    std::memset(InstallDir, 0, sizeof InstallDir);
    IsWindows64();
    Shown.clear();
    Platform.MessageBoxA = RecordA;
  }
  // A directory of its own as InstallDir.
  static std::string Dir(const std::string& name) {
    CreateDirectoryA(("c:\\" + name).c_str(), nullptr);
    std::strcpy(InstallDir, ("c:\\" + name + "\\").c_str());
    return InstallDir;
  }
};

TEST_F(Records, TheDirectoryGoesIntoEveryRecordAndTheSpareFileCountsOnlyAlone) {
  const std::string pathFile = WindowsDir() + "\\lanzpath.lzh";
  std::strcpy(InstallDir, "d:\\lanzhu2");
  ASSERT_TRUE(PersistInstallDir());
  EXPECT_STREQ("d:\\lanzhu2\\", InstallDir);
  EXPECT_EQ("d:\\lanzhu2\\", Bytes(pathFile));  // no terminator, no line end
  std::string value;
  ASSERT_TRUE(ReadPathValue(&value));
  EXPECT_EQ("d:\\lanzhu2\\", value);
  // A 32-bit installer on 64-bit Windows writes the 32-bit registry view.
  EXPECT_EQ(!CurrentConfig().windows64, ReadPathValue(&value, KEY_WOW64_64KEY));
  // Vista and later keep a third copy on the first fixed drive; XP does not.
  EXPECT_EQ(CurrentConfig().majorVersion >= 6 ? "d:\\lanzhu2\\" : "",
            Bytes("c:\\lanzhu\\lanzpath.lzh"));

  // Anyone may write the spare file: it is believed only when neither of the
  // other records is there.
  ClearInstallDirRecords();
  CreateDirectoryA("c:\\lanzhu", nullptr);
  ASSERT_TRUE(WriteBytes("c:\\lanzhu\\lanzpath.lzh", "d:\\spare\\"));
  std::memset(InstallDir, 0, sizeof InstallDir);
  EXPECT_STREQ("d:\\spare\\", ResolveInstallDir());
  ASSERT_TRUE(WriteBytes(pathFile, ""));
  std::memset(InstallDir, 0, sizeof InstallDir);
  EXPECT_STREQ("c:\\lanzhu2\\", ResolveInstallDir());

  char spare[kInstallDirSize];
  Platform.GetDriveTypeA = EveryDriveFixed;
  SpareDir(spare);
  Platform.GetDriveTypeA = ::GetDriveTypeA;
  EXPECT_STREQ("g:\\lanzhu\\", spare);  // probed from G: down
}

TEST_F(Records, AWriteThatStopsShortLeavesTheFileAsItWas) {
  // The bytes to write end in memory nobody may read: the write stops short.
  const DWORD page = 4096;
  auto* bytes = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(nullptr, bytes);
  std::memset(bytes, 'n', page);
  DWORD previous;
  ASSERT_TRUE(VirtualProtect(bytes + page, page, PAGE_NOACCESS, &previous));
  const std::string existing = "c:\\rewritten.lzh", absent = "c:\\written.lzh";
  ASSERT_TRUE(WriteBytes(existing, "as it was"));
  for (const std::string& path : {existing, absent}) {
    EXPECT_FALSE(WriteFileWhole(path.c_str(), bytes, 2 * page)) << path;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((path + "~").c_str())) << path;
  }
  VirtualFree(bytes, 0, MEM_RELEASE);
  EXPECT_EQ("as it was", Bytes(existing));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(absent.c_str()));
}

TEST_F(Records, UserDataIsBackedUpInTheEditionsOrder) {
  const std::string dir = Dir("userdata");
  for (const char* stem : {"lanzcyzk", "lfontset", "lwbzlcz1", "lzwbcmxz", "lzdhzcm", "lanzdhz", "lzgbkhz"}) {
    ASSERT_TRUE(WriteBytes(dir + stem + ".lzh", std::string("the user's ") + stem));
    ASSERT_TRUE(WriteBytes(dir + stem + ".lz1", "as unpacked"));
  }
  for (const char* name : {"lzszsj43.lzh", "lanzdwdw.txt", "lanzzdym.lzh", "lzpyzdym.lzh",
                           "lzwbpy.txt", "lanzynhz.txt", "lanzzdfh.lzh", "userck.txt", "delck.txt",
                           "ftlzzdym.txt", "ftpylzym.txt", "lwb.ov1"}) {
    ASSERT_TRUE(WriteBytes(dir + name, std::string("the user's ") + name));
  }
  Edition = kWubiEdition;
  AcquirePayloadMemory();
  ASSERT_EQ(1, BackupUserData());
  const std::vector<std::string> names = EntryNames(Bytes(dir + "lanzback.lzz"));
  ASSERT_EQ(19u, names.size());
  EXPECT_EQ((std::vector<std::string>{"lanzcyzk.lz1", "lfontset.lz1", "lwbzlcz1.lz1"}),
            std::vector<std::string>(names.begin(), names.begin() + 3));

  ReleasePayloadMemory();
  Edition = kPinyinEdition;
}

std::string NotExtracted(const std::string& name) {
  return Gbk(L"没有成功解压复制") + name + Gbk(L"文件！请重新下载安装。");
}

// A container made by the installer's own writer, then given an entry whose
// stored checksum is not its file's and one named "..".
TEST_F(Records, ExtractionWritesNoEntryThatIsNoPlainNameOrDoesNotMatchItsChecksum) {
  char text[kChecksumTextSize];
  Md5Text("", 0, text);
  EXPECT_STREQ("D41D8CD98F00B204E9800998ECF8427E", text);

  const std::string source = Dir("source");
  RemoveFile("c:\\made.lzz");
  for (const char* name : {"keep.lzh", "bad.lzh", "xx"}) {
    ASSERT_TRUE(WriteBytes(source + name, std::string(3000, name[0])));
    ASSERT_EQ(1, AppendFileToContainer("c:\\made.lzz", (source + name).c_str()));
  }
  std::string container = Bytes("c:\\made.lzz");
  auto* bytes = reinterpret_cast<std::uint8_t*>(&container[0]);
  EXPECT_EQ(container.size(), ReadU32le(bytes + kTotalSizeOffset));
  ContainerWalk walk = StartWalk(bytes, container.size());
  ContainerEntry entries[3];
  for (ContainerEntry& entry : entries) ASSERT_TRUE(NextEntry(walk, entry));
  char& digit = container[entries[1].headerOffset + kChecksumOffset];
  digit = digit == '0' ? '1' : '0';
  std::memcpy(bytes + entries[2].headerOffset + kEntryNameOffset, "..", 2);

  const std::string dir = Dir("extracted");
  std::vector<unsigned char> work(1 << 16);
  EXPECT_EQ(0, ExtractContainer(bytes, container.size(), work.data(), work.size()));
  EXPECT_EQ((std::vector<std::string>{NotExtracted("bad.lzh"), NotExtracted("..")}), Shown);
  // The name fails before anything of its entry is inflated.
  EXPECT_EQ(std::string(3000, 'b'), std::string(work.begin() + 100, work.begin() + 3100));
  EXPECT_EQ(std::string(3000, 'k'), Bytes(dir + "keep.lzh"));
  EXPECT_FALSE(FileExists(dir + "bad.lzh"));
}

TEST_F(Records, TheReportCountsEveryFileAndWantsTheModule) {
  const std::string dir = Dir("report");
  for (const char* name : {"lanzcyzk.lzh", "lanzpyck.lzh", "lanzhu4.ime"}) {
    ASSERT_TRUE(WriteBytes(dir + name, std::string(26, 'h')));
  }
  for (int i = 0; i < 256; ++i) {
    if (i == 71) {
      EXPECT_EQ(0, InstallReport());  // 74 files are complete
      EXPECT_NE(std::string::npos, std::string(ReportCodes).find(";F--74;")) << ReportCodes;
    }
    ASSERT_TRUE(WriteBytes(dir + std::to_string(i) + ".txt", ""));
  }
  EXPECT_EQ(0, InstallReport());
  EXPECT_NE(std::string::npos, std::string(ReportCodes).find(";F--259;")) << ReportCodes;
  EXPECT_TRUE(Shown.empty());

  RemoveFile(dir + "lanzhu4.ime");
  EXPECT_EQ(1, InstallReport());
  ASSERT_EQ(1u, Shown.size());
  EXPECT_NE(std::string::npos, Shown[0].find(Gbk(L"错误为：缺少文件！"))) << Shown[0];
}

}  // namespace
