#include "payload_fixture.h"

#include <cstring>

#include "data/install_dir.h"
#include "system/seams.h"
#include "test_support.h"

std::vector<ShownMessage> InstallDirFiles::shown_;

std::string Gbk(const std::wstring& text) {
  const int size = WideCharToMultiByte(936, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(936, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
  return out;
}

std::string EntryNotExtracted(const std::string& name) {
  return Gbk(L"没有成功解压复制") + name + Gbk(L"文件！请重新下载安装。");
}

Bytes FileBytes(const std::string& path) {
  std::string bytes;
  if (!ReadBytes(path, &bytes)) return Bytes();
  return ToBytes(bytes);
}

bool PutFile(const std::string& path, const Bytes& bytes) {
  return WriteBytes(path, std::string(bytes.begin(), bytes.end()));
}

int WINAPI InstallDirFiles::RecordMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  shown_.push_back({owner, text, caption, type});
  return IDOK;
}

// Every test starts from an empty directory of its own name in the prefix.
void InstallDirFiles::SetUp() {
  const std::string dir =
      std::string("c:\\lz-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  CreateDirectoryA(dir.c_str(), nullptr);
  std::strcpy(InstallDir, (dir + "\\").c_str());
  shown_.clear();
  Platform.MessageBoxA = RecordMessage;
}

void InstallDirFiles::TearDown() { Platform.MessageBoxA = ::MessageBoxA; }

std::string InstallDirFiles::Installed(const std::string& name) const {
  return std::string(InstallDir) + name;
}
