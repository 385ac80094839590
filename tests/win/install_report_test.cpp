#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "data/install_dir.h"
#include "data/install_report.h"
#include "payload_fixture.h"
#include "test_support.h"

namespace {

class InstallReportChecks : public InstallDirFiles {
 protected:
  // A whole installation: both dictionaries, the module, and `others` more
  // files named with `extension`.
  void Installation(int others, const std::string& extension = ".dat") {
    const std::string head(20, 'h');
    ASSERT_TRUE(WriteBytes(Installed("lanzcyzk.lzh"), head));
    ASSERT_TRUE(WriteBytes(Installed("lanzpyck.lzh"), head));
    ASSERT_TRUE(WriteBytes(Installed("lanzhu4.ime"), head + "module"));
    for (int i = 0; i < others; ++i) {
      ASSERT_TRUE(WriteBytes(Installed("f" + std::to_string(i) + extension), ""));
    }
  }
  std::string Dir() const { return InstallDir; }
  // The one narrow box of a report, checked whole.
  void ExpectReport(const wchar_t* sentence) {
    ASSERT_EQ(1u, shown_.size());
    EXPECT_EQ(Gbk(std::wstring(L"智能岚舟汉字输入系统7.3版安装情况报告。\r\n\r\n安装出现错误！错误为：") +
                  sentence +
                  L"\r\n\r\n请到主页http://www.lanzhu.example/"
                  L"重新下载安装！并解除杀毒软件对安装过程的拦截！\r\n\r\n"),
              shown_[0].text);
    EXPECT_EQ(Gbk(L"智能岚舟7.3"), shown_[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), shown_[0].type);
    EXPECT_EQ(nullptr, shown_[0].owner);
  }
};

TEST_F(InstallReportChecks, AWholeInstallationShowsNothingAndKeepsItsCodes) {
  Installation(71);
  EXPECT_EQ(0, InstallReport());
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ("path--" + Dir() + "--14;F--74;FR1--1400;FR2--1400;FR3--1400;",
            std::string(ReportCodes));
}

TEST_F(InstallReportChecks, FewerThan74FilesAreIncompleteAndSubdirectoriesDoNotCount) {
  Installation(70);
  CreateDirectoryA(Installed("skins").c_str(), nullptr);
  EXPECT_EQ(1, InstallReport());
  ExpectReport(L"文件不完整！");
  EXPECT_EQ("path--" + Dir() + "--14;F--73;", std::string(ReportCodes));
}

TEST_F(InstallReportChecks, CountsHundredsOfFilesOfOneKindWithoutWrapping) {
  // 256 ".txt" files and the three probed ones: 259, never 3.
  Installation(256, ".txt");
  EXPECT_EQ(0, InstallReport());
  EXPECT_TRUE(shown_.empty());
  EXPECT_NE(std::string::npos, std::string(ReportCodes).find(";F--259;"));
}

TEST_F(InstallReportChecks, AMissingDirectoryIsReportedFirst) {
  std::strcpy(InstallDir, "c:\\lz-not-there");
  EXPECT_EQ(1, InstallReport());
  ExpectReport(L"检测不到安装路径！");
  // The survey ended the directory in its backslash.
  EXPECT_EQ("path--c:\\lz-not-there\\--0;", std::string(ReportCodes));
}

TEST_F(InstallReportChecks, ADirectoryWithMoreThanItsDirectoryAttributeIsReported) {
  // Wine keeps no attribute set on a directory, but shows one whose name
  // starts with a dot as hidden.
  std::strcpy(InstallDir, "c:\\.lz-hidden\\");
  CreateDirectoryA(InstallDir, nullptr);
  ASSERT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN),
            GetFileAttributesA(InstallDir));
  Installation(71);
  EXPECT_EQ(1, InstallReport());
  ExpectReport(L"检测不到安装路径！");
  EXPECT_EQ("path--c:\\.lz-hidden\\--11;", std::string(ReportCodes));
}

TEST_F(InstallReportChecks, DictionariesPassByAFallbackAndFailWhenShort) {
  Installation(71);
  // The Wubi dictionary only as its ".lzu" copy: it passes.
  ASSERT_TRUE(MoveFileA(Installed("lanzcyzk.lzh").c_str(), Installed("lanzcyzk.lzu").c_str()));
  // The Pinyin one shorter than 20 bytes.
  ASSERT_TRUE(WriteBytes(Installed("lanzpyck.lzh"), std::string(19, 'p')));
  EXPECT_EQ(1, InstallReport());
  ExpectReport(L"无拼音词库文件！");
  const std::string codes = ReportCodes;
  EXPECT_NE(std::string::npos, codes.find(";FR1--1400;FR2--2;")) << codes;

  shown_.clear();
  ASSERT_TRUE(MoveFileA(Installed("lanzcyzk.lzu").c_str(), Installed("lanzcyzk.old").c_str()));
  EXPECT_EQ(1, InstallReport());
  ExpectReport(L"无五笔词库文件！");
}

TEST_F(InstallReportChecks, AMissingModuleIsAMissingFile) {
  Installation(72);
  RemoveFile(Installed("lanzhu4.ime"));
  EXPECT_EQ(1, InstallReport());
  ExpectReport(L"缺少文件！");
}

}  // namespace
