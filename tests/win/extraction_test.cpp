#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data/install_dir.h"
#include "payload/extract_container.h"
#include "payload/file_replace.h"
#include "payload/md5_text.h"
#include "payload_fixture.h"
#include "test_support.h"

namespace {

std::string Checksum(const Bytes& data) {
  char text[kChecksumTextSize];
  Md5Text(data.data(), data.size(), text);
  return text;
}

// A checksummed container of the given files, each with its true checksum.
Bytes Container(const std::vector<std::pair<std::string, Bytes>>& files) {
  ContainerBuilder builder(ContainerFormat::Checksummed);
  for (const auto& [name, data] : files) builder.Add(name, data, Checksum(data));
  return builder.Build();
}

// Names and contents of the files in a directory.
std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
      names.push_back(found.cFileName);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

const Bytes kDict = ToBytes(std::string(30000, 'c') + "lanzhou");
const Bytes kKeys = ToBytes("a=1\r\nb=2\r\n");

class Extraction : public InstallDirFiles {
 protected:
  int Extract(const Bytes& container) {
    return ExtractContainer(container.data(), container.size(), work_.data(), work_.size());
  }
  std::vector<unsigned char> work_ = std::vector<unsigned char>(1 << 16);
};

TEST_F(Extraction, WritesEveryEntryAndNamesTheCurrentOneInTheWorkArea) {
  EXPECT_EQ(1, Extract(Container({{"lanzcyzk.lz1", kDict}, {"lanzkey.lzh", kKeys}})));
  EXPECT_EQ(kDict, FileBytes(Installed("lanzcyzk.lz1")));
  EXPECT_EQ(kKeys, FileBytes(Installed("lanzkey.lzh")));
  EXPECT_TRUE(shown_.empty());
  EXPECT_STREQ("lanzkey.lzh", reinterpret_cast<const char*>(work_.data()));
  EXPECT_EQ(0, std::memcmp(work_.data() + 100, kKeys.data(), kKeys.size()));
}

TEST_F(Extraction, NoEntriesWriteNothingAndSucceed) {
  EXPECT_EQ(1, Extract(ContainerBuilder(ContainerFormat::Checksummed).Build()));
  EXPECT_EQ(1, Extract(ContainerBuilder(ContainerFormat::Plain).Build()));
  EXPECT_TRUE(FilesIn(InstallDir).empty());
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(0, ExtractContainer(nullptr, 0, work_.data(), work_.size()));
  EXPECT_TRUE(shown_.empty());
}

TEST_F(Extraction, AWrongChecksumIsNamedOnceAndLeavesTheOldFile) {
  ContainerBuilder builder(ContainerFormat::Checksummed);
  builder.Add("lanzcyzk.lz1", kDict, Checksum(kDict));
  builder.Add("lanzkey.lzh", kKeys, Checksum(kDict));
  builder.Add("lanzpy.lzh", kKeys, Checksum(kKeys));
  ASSERT_TRUE(PutFile(Installed("lanzkey.lzh"), ToBytes("old")));
  EXPECT_EQ(0, Extract(builder.Build()));

  ASSERT_EQ(1u, shown_.size());
  EXPECT_EQ(nullptr, shown_[0].owner);
  EXPECT_EQ(EntryNotExtracted("lanzkey.lzh"), shown_[0].text);
  EXPECT_EQ(Gbk(L"智能岚舟安装"), shown_[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK), shown_[0].type);
  EXPECT_EQ(ToBytes("old"), FileBytes(Installed("lanzkey.lzh")));
  EXPECT_EQ(kDict, FileBytes(Installed("lanzcyzk.lz1")));
  EXPECT_EQ(kKeys, FileBytes(Installed("lanzpy.lzh")));
}

TEST_F(Extraction, PlainEntriesNeedNoChecksumAndGbkNamesArePassedOn) {
  const std::string skin = Gbk(L"小星辰.lzz");
  const Bytes plain = ContainerBuilder(ContainerFormat::Plain).Add("skin1.bmp", kKeys).Build();
  EXPECT_EQ(1, Extract(Container({{skin, plain}})));
  EXPECT_EQ(plain, FileBytes(Installed(skin)));
  EXPECT_EQ(1, Extract(plain));
  EXPECT_EQ(kKeys, FileBytes(Installed("skin1.bmp")));
}

TEST_F(Extraction, ABadTagEndsTheWalkSilently) {
  Bytes container = Container({{"lanzcyzk.lz1", kDict}, {"lanzkey.lzh", kKeys}});
  container[container.size() - Compressed(kKeys).size() - kEntryHeaderSize] = 'l';
  EXPECT_EQ(0, Extract(container));
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(std::vector<std::string>{"lanzcyzk.lz1"}, FilesIn(InstallDir));
}

TEST_F(Extraction, ContainersCutShortOrCountingTooMuchEndTheWalk) {
  const Bytes whole = Container({{"lanzcyzk.lz1", kDict}, {"lanzkey.lzh", kKeys}});
  Bytes tooMany = whole;
  WriteU32le(0x7FFFFFFF, tooMany.data() + kEntryCountOffset);
  EXPECT_EQ(0, Extract(tooMany));
  EXPECT_EQ((std::vector<std::string>{"lanzcyzk.lz1", "lanzkey.lzh"}), FilesIn(InstallDir));
  RemoveFile(Installed("lanzcyzk.lz1"));
  RemoveFile(Installed("lanzkey.lzh"));

  Bytes hugeStream = whole;
  WriteU32le(0xFFFFFFF0u, hugeStream.data() + kContainerHeaderSize + kCompressedSizeOffset);
  EXPECT_EQ(0, Extract(hugeStream));
  EXPECT_TRUE(FilesIn(InstallDir).empty());
  // Cut inside the second entry's header, then inside its stream: the walk
  // never reads what the container does not hold.
  const std::size_t second = whole.size() - Compressed(kKeys).size() - kEntryHeaderSize;
  EXPECT_EQ(0, ExtractContainer(whole.data(), second + 30, work_.data(), work_.size()));
  EXPECT_EQ(0, ExtractContainer(whole.data(), whole.size() - 1, work_.data(), work_.size()));
  EXPECT_EQ(0, ExtractContainer(whole.data(), 9, work_.data(), work_.size()));
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(std::vector<std::string>{"lanzcyzk.lz1"}, FilesIn(InstallDir));
}

TEST_F(Extraction, StreamsThatDoNotInflateWithinTheWorkAreaFail) {
  // A stream whose stored length holds only its first half.
  Bytes truncated = Container({{"lanzcyzk.lz1", kDict}});
  const std::uint32_t half = Compressed(kDict).size() / 2;
  WriteU32le(half, truncated.data() + kContainerHeaderSize + kCompressedSizeOffset);
  truncated.resize(kContainerHeaderSize + kEntryHeaderSize + half);
  EXPECT_EQ(0, Extract(truncated));

  // Inflating to more than the work area after its first 100 bytes: the
  // bytes behind the area stay as they were.
  std::vector<unsigned char> work(100 + 1000 + 16, 0xAB);
  const Bytes big = Container({{"lanzkey.lzh", ToBytes(std::string(1001, 'k'))}});
  EXPECT_EQ(0, ExtractContainer(big.data(), big.size(), work.data(), 1100));
  EXPECT_EQ(std::vector<unsigned char>(16, 0xAB), std::vector<unsigned char>(work.end() - 16, work.end()));

  // An entry that inflates to nothing is not taken as written.
  EXPECT_EQ(0, Extract(Container({{"lanzempt.lzh", Bytes()}})));

  ASSERT_EQ(3u, shown_.size());
  EXPECT_EQ(EntryNotExtracted("lanzcyzk.lz1"), shown_[0].text);
  EXPECT_EQ(EntryNotExtracted("lanzkey.lzh"), shown_[1].text);
  EXPECT_EQ(EntryNotExtracted("lanzempt.lzh"), shown_[2].text);
  EXPECT_TRUE(FilesIn(InstallDir).empty());
}

TEST_F(Extraction, NamesThatAreNoPlainFileNameAreNeverWritten) {
  const std::vector<std::string> names = {"..\\lzesc.lzh", "c:lzdrv.lzh", "lzsub/a.lzh", ".", "",
                                          ".."};
  std::vector<std::pair<std::string, Bytes>> files;
  for (const auto& name : names) files.push_back({name, kKeys});
  files.push_back({"lanzkey.lzh", kKeys});
  EXPECT_EQ(0, Extract(Container(files)));

  ASSERT_EQ(names.size(), shown_.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(EntryNotExtracted(names[i]), shown_[i].text);
  }
  EXPECT_EQ(std::vector<std::string>{"lanzkey.lzh"}, FilesIn(InstallDir));
  EXPECT_FALSE(FileExists("c:\\lzesc.lzh"));
  EXPECT_FALSE(FileExists("c:\\lzdrv.lzh"));
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_FALSE(FileExists(std::string(current) + "\\lzdrv.lzh"));
}

TEST_F(Extraction, AReadOnlyFileInTheWayIsReplaced) {
  ASSERT_TRUE(PutFile(Installed("lanzkey.lzh"), ToBytes("old")));
  SetFileAttributesA(Installed("lanzkey.lzh").c_str(),
                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(1, Extract(Container({{"lanzkey.lzh", kKeys}})));
  EXPECT_EQ(kKeys, FileBytes(Installed("lanzkey.lzh")));
  const DWORD attributes = GetFileAttributesA(Installed("lanzkey.lzh").c_str());
  EXPECT_EQ(0u, attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM));
}

// A module in use, as an IME module loaded by running programs is: it can be
// renamed but not deleted.
class ModuleInUse : public Extraction {
 protected:
  HMODULE Load(const std::string& name) {
    const char* dir = std::getenv("LANZ_PAYLOAD_DIR");
    EXPECT_NE(nullptr, dir);
    if (dir == nullptr) return nullptr;
    const std::string module = WindowsPathOfNative(std::string(dir) + "/lanzhu4.ime");
    EXPECT_TRUE(CopyFileA(module.c_str(), Installed(name).c_str(), FALSE));
    HMODULE loaded = LoadLibraryExA(Installed(name).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    EXPECT_NE(nullptr, loaded);
    loaded_.push_back(loaded);
    return loaded;
  }
  void TearDown() override {
    for (HMODULE module : loaded_) FreeLibrary(module);
    InstallDirFiles::TearDown();
  }
  std::vector<HMODULE> loaded_;
};

TEST_F(ModuleInUse, IsRenamedAsideToTheSpareWith2) {
  Load("lanzhu4.ime");
  const Bytes before = FileBytes(Installed("lanzhu4.ime"));
  EXPECT_EQ(-1, DeleteFileIfPresent(Installed("lanzhu4.ime").c_str()));
  EXPECT_EQ(1, Extract(Container({{"lanzhu4.ime", kKeys}})));
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(kKeys, FileBytes(Installed("lanzhu4.ime")));
  EXPECT_EQ(before, FileBytes(Installed("lanzhu2.ime")));
  EXPECT_FALSE(FileExists(Installed("lanzhu1.ime")));
}

TEST_F(ModuleInUse, IsRenamedToTheSpareWith1WhenThe2OneIsInUseToo) {
  Load("lanzhu2.ime");
  Load("lanzhu4.ime");
  ASSERT_TRUE(PutFile(Installed("lanzhu1.ime"), ToBytes("an old spare")));
  EXPECT_EQ(0, RenameAside(Installed("lanzhu4.ime").c_str()));
  EXPECT_FALSE(FileExists(Installed("lanzhu4.ime")));
  EXPECT_TRUE(FileExists(Installed("lanzhu2.ime")));
  EXPECT_NE(ToBytes("an old spare"), FileBytes(Installed("lanzhu1.ime")));

  // With both spare names held by modules in use nothing can move.
  ASSERT_TRUE(PutFile(Installed("lanzhu4.ime"), kKeys));
  EXPECT_EQ(-1, RenameAside(Installed("lanzhu4.ime").c_str()));
  EXPECT_EQ(kKeys, FileBytes(Installed("lanzhu4.ime")));
}

class FileReplace : public InstallDirFiles {};

TEST_F(FileReplace, DeletesWhatIsThereEvenReadOnly) {
  EXPECT_EQ(0, DeleteFileIfPresent(Installed("missing.lzh").c_str()));
  ASSERT_TRUE(PutFile(Installed("lanzkey.lzh"), kKeys));
  SetFileAttributesA(Installed("lanzkey.lzh").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_NE(0, std::remove(Installed("lanzkey.lzh").c_str())) << "read-only files are deletable";
  EXPECT_EQ(0, DeleteFileIfPresent(Installed("lanzkey.lzh").c_str()));
  EXPECT_FALSE(FileExists(Installed("lanzkey.lzh")));
  EXPECT_EQ(-1, RenameAside("a.b"));
}

// A file held open without delete and write sharing can be neither deleted,
// renamed nor created anew, on Windows as under Wine: the entry fails and the
// old file stays.
TEST_F(FileReplace, AFileHeldOpenWithoutDeleteSharingStaysAndItsEntryFails) {
  ASSERT_TRUE(PutFile(Installed("lanzkey.lzh"), ToBytes("old")));
  HANDLE held = CreateFileA(Installed("lanzkey.lzh").c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(-1, DeleteFileIfPresent(Installed("lanzkey.lzh").c_str()));
  EXPECT_EQ(-1, RenameAside(Installed("lanzkey.lzh").c_str()));

  std::vector<unsigned char> work(1 << 16);
  const Bytes container = Container({{"lanzkey.lzh", kKeys}});
  EXPECT_EQ(0, ExtractContainer(container.data(), container.size(), work.data(), work.size()));
  CloseHandle(held);
  ASSERT_EQ(1u, shown_.size());
  EXPECT_EQ(EntryNotExtracted("lanzkey.lzh"), shown_[0].text);
  EXPECT_EQ(ToBytes("old"), FileBytes(Installed("lanzkey.lzh")));
}

}  // namespace
