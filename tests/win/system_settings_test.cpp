#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/install_dir.h"
#include "shell/payload_memory.h"
#include "system/installed_files.h"
#include "system/state.h"
#include "system/system_entries.h"
#include "test_support.h"

namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\lanzqwb";
const char kPostPlatform[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";

// A value as stored: its type and its raw bytes.
struct StoredValue {
  bool found = false;
  DWORD type = 0;
  std::string bytes;
};

StoredValue ReadValueW(const wchar_t* keyName, const wchar_t* valueName) {
  StoredValue value;
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
  char data[2048];
  DWORD size = sizeof data;
  value.found = RegQueryValueExW(key, valueName, nullptr, &value.type,
                                 reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
  if (value.found) value.bytes.assign(data, size);
  RegCloseKey(key);
  return value;
}

std::string Utf16Bytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), 2 * text.size());
}

std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

TEST(SystemEntries, UninstallEntryNamesTheEditionAndTheUninstaller) {
  for (int edition : {kWubiEdition, kPinyinEdition}) {
    Edition = edition;
    WriteUninstallEntry();
    const StoredValue name = ReadValueW(kUninstallKey, L"DisplayName");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), name.type);
    // Stored without a terminator, or with the one Windows adds itself.
    const std::wstring expected = edition == kPinyinEdition ? L"岚舟拼音" : L"岚舟五笔";
    EXPECT_EQ(0u, name.bytes.find(Utf16Bytes(expected)));
    EXPECT_LE(name.bytes.size(), 2 * expected.size() + 2);
  }
  const StoredValue uninstaller = ReadValueW(kUninstallKey, L"UninstallString");
  EXPECT_EQ(0u, uninstaller.bytes.find(Utf16Bytes(Wide(SystemDir()) + L"\\lanzdel.exe")));
  Edition = kWubiEdition;
}

TEST(SystemEntries, RunValueIsReplaced) {
  WriteRunValue("c:\\old\\lanzlzsr.exe lz");
  WriteRunValue("c:\\lanzhu2\\lanzlzsr.exe lz");
  const StoredValue run =
      ReadValueW(L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"lzlzsjgl");
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), run.type);
  EXPECT_EQ(0u, run.bytes.find(Utf16Bytes(L"c:\\lanzhu2\\lanzlzsr.exe lz")));
}

TEST(SystemEntries, UserAgentKeepsOnlyThisVersionsTokenAndOthersValues) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPostPlatform, 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &key, nullptr));
  const char* const earlier[] = {"lzsr6300", "lzsr6400", "lzsr6500", "lzsr6600", "lzsr6700",
                                 "lzsr6800", "lzsr7000", "lzsr7100", "lzsr7200", "lzsr7300",
                                 "lzsr7400", "lzsr7500", "lzsr7600", "lzsr7700", "lzsr7800"};
  for (const char* name : earlier) RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)"x", 1);
  RegSetValueExA(key, "SLCC2", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 0);
  RegSetValueExA(key, "lzsr9900", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 0);
  RegCloseKey(key);

  WriteUserAgentToken();

  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPostPlatform, 0, KEY_READ, &key));
  std::string names;
  char name[64];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names += std::string(name) + " ";
  }
  DWORD type = 0;
  DWORD size = 99;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "lzsr7300", nullptr, &type, nullptr, &size));
  RegCloseKey(key);
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(0u, size);
  for (const char* gone : earlier) {
    if (std::strcmp(gone, "lzsr7300") != 0) {
      EXPECT_EQ(std::string::npos, names.find(gone)) << gone;
    }
  }
  EXPECT_NE(std::string::npos, names.find("SLCC2"));
  EXPECT_NE(std::string::npos, names.find("lzsr9900"));
}

std::string Utf16Text(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), 2 * text.size());
}

// The stamp's own side of Windows: the file read whole, rewritten whole, or
// left as it was when it cannot be (larger than the work buffer, held by a
// program that lets nobody read it, no work buffer at all). What the stamp
// changes in the bytes is the pure core's.
TEST(VersionStamp, RewritesTheFileWholeOrLeavesItAsItWas) {
  AcquirePayloadMemory();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "stamp.ime";
  const std::string old = Utf16Text(u"智能岚舟输入平台  6.7");
  const std::string raised = Utf16Text(u"智能岚舟输入平台  7.3");
  std::string big(300000, '\x5A');
  big.replace(250000, old.size(), old);
  std::string bigRaised = big;
  bigRaised.replace(250000, raised.size(), raised);
  std::string huge(kWorkBufferSize + 10, '\x5A');
  huge.replace(100, old.size(), old);
  struct Case {
    std::string before, after;
    bool stamped, locked;
  } const cases[] = {
      {"MZ" + old + "x" + old, "MZ" + raised + "x" + raised, true, false},
      {big, bigRaised, true, false},
      {huge, huge, false, false},
      {old, old, false, true},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteBytes(path, c.before));
    HANDLE lock = c.locked ? CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                         nullptr)
                           : INVALID_HANDLE_VALUE;
    EXPECT_EQ(c.stamped, StampImeVersion(path.c_str())) << c.before.size();
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    std::string after;
    ASSERT_TRUE(ReadBytes(path, &after));
    EXPECT_TRUE(after == c.after) << c.before.size();
  }
  ReleasePayloadMemory();
  EXPECT_FALSE(StampImeVersion(path.c_str()));
  RemoveFile(path);
}

TEST(InstallDirOperations, FileHeadCountsBytesTimes256PlusTheError) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::memset(InstallDir, 0, sizeof InstallDir);
  std::strcpy(InstallDir, temp);
  char head[20];
  ASSERT_TRUE(WriteBytes(std::string(temp) + "head.lzh", std::string(40, 'h')));
  EXPECT_EQ(20 * 256, ReadFileHead("head.lzh", head));
  EXPECT_EQ(std::string(20, 'h'), std::string(head, 20));

  ASSERT_TRUE(WriteBytes(std::string(temp) + "head.lzh", "twelve bytes"));
  const int shortRead = ReadFileHead("head.lzh", head);
  EXPECT_EQ(12, shortRead / 256);
  EXPECT_EQ(static_cast<int>(GetLastError()), shortRead - 12 * 256);

  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadFileHead("missing.lzh", head));
  RemoveFile(std::string(temp) + "head.lzh");
}

}  // namespace
