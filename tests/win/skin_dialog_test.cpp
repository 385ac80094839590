#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/config_files.h"
#include "data/install_dir.h"
#include "data/user_data.h"
#include "payload/extract_container.h"
#include "payload/finish_install.h"
#include "payload/skin_dialog.h"
#include "shell/payload_memory.h"
#include "shell/wizard_window.h"
#include "system/state.h"
#include "test_support.h"
#include "wizard_fixture.h"

namespace {

using SkinDialog = WizardInProcess;

bool Checked(HWND dialog, int id) {
  return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string CheckedButtons(HWND dialog) {
  std::string ids;
  for (int id : {101, 102, 106, 107, 110, 111, 112}) {
    if (Checked(dialog, id)) ids += std::to_string(id) + " ";
  }
  return ids;
}

void Press(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

TEST_F(SkinDialog, KeepsItsTwoSetsApartIgnoresCancelAndReturnsBothChoices) {
  std::string initial, afterMode, afterSkin, afterCancel;
  bool overMainWindow = false;
  bool stillOpen = false;
  DriveNextDialog([&](HWND dialog) {
    RECT main, own;
    GetWindowRect(MainWindow, &main);
    GetWindowRect(dialog, &own);
    overMainWindow = main.left == own.left && main.top == own.top;
    initial = CheckedButtons(dialog);
    Press(dialog, 107);
    afterMode = CheckedButtons(dialog);
    Press(dialog, 111);
    afterSkin = CheckedButtons(dialog);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // Esc
    SendMessageA(dialog, WM_CLOSE, 0, 0);           // the close box
    afterCancel = CheckedButtons(dialog);
    stillOpen = IsWindowVisible(dialog) != 0;
    Press(dialog, 105);
  });
  WindowMode = 9;
  SkinChoice = 9;
  RunSkinDialog(MainWindow);
  EXPECT_TRUE(overMainWindow);
  EXPECT_EQ("101 110 ", initial);
  EXPECT_EQ("107 110 ", afterMode);
  EXPECT_EQ("107 111 ", afterSkin);
  EXPECT_EQ("107 111 ", afterCancel);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(4, WindowMode);
  EXPECT_EQ(2, SkinChoice);
}

TEST_F(SkinDialog, StartsFromItsDefaultsEveryTime) {
  for (int mode : {102, 106, 101}) {
    DriveNextDialog([&](HWND dialog) {
      Press(dialog, 112);
      Press(dialog, mode);
      Press(dialog, 105);
    });
    RunSkinDialog(MainWindow);
    EXPECT_EQ(mode == 102 ? 2 : mode == 106 ? 3 : 1, WindowMode);
    EXPECT_EQ(3, SkinChoice);
  }
  DriveNextDialog([](HWND dialog) { Press(dialog, 105); });
  RunSkinDialog(MainWindow);
  EXPECT_EQ(1, WindowMode);
  EXPECT_EQ(1, SkinChoice);
}

// The payload extracted into a directory of its own, as the first pass
// leaves it, with the reports of FinishFileInstall recorded.
class FinishChecks : public WizardInProcess {
 protected:
  void SetUp() override {
    WizardInProcess::SetUp();
    CreateDirectoryA("c:\\finish", nullptr);
    std::strcpy(InstallDir, "c:\\finish\\");
    ASSERT_EQ(1, ExtractContainer(Payload, PayloadSize, WorkBuffer, kWorkBufferSize));
    OldDataState = kOldDataNone;
  }

  static std::string Gbk(const std::wstring& text) {
    char out[256] = {};
    WideCharToMultiByte(936, 0, text.c_str(), -1, out, sizeof out, nullptr, nullptr);
    return out;
  }
};

const wchar_t kSkinLine[] = L"皮肤文件没有成功复制，请重新安装皮肤文件！\r\n";

TEST_F(FinishChecks, AChangedPayloadFileIsNamedAndTheSkinIsUnpacked) {
  ASSERT_TRUE(WriteBytes("c:\\finish\\lanzcyzk.lz1", "changed after installing"));
  RemoveFile("c:\\finish\\lzskin.lzh");
  DriveNextDialog([](HWND dialog) {
    Press(dialog, 111);
    Press(dialog, 105);
  });
  FinishFileInstall(MainWindow);
  ASSERT_EQ(1u, shown_.size());
  EXPECT_EQ(L"lanzcyzk.lz1....有文件没有成功解压，请重新下载安装！\r\n\r\n\r\n"
            L"上述文件没有成功复制，请重新下载安装！\r\n",
            shown_[0].text);
  EXPECT_EQ(L"智能岚舟", shown_[0].caption);
  EXPECT_TRUE(FileExists("c:\\finish\\lzskin.lzh"));
}

TEST_F(FinishChecks, AMissingSkinContainerGivesTheSkinMessageAlone) {
  DriveNextDialog([](HWND dialog) {
    RemoveFile("c:\\finish\\" + Gbk(L"小星辰.lzz"));
    Press(dialog, 112);
    Press(dialog, 105);
  });
  FinishFileInstall(MainWindow);
  ASSERT_EQ(1u, shown_.size());
  EXPECT_EQ(kSkinLine, shown_[0].text);
}

TEST_F(FinishChecks, KeepingTheOldDataShowsNoDialogAndLeavesRecordAndSkinAlone) {
  OldDataState = kOldDataKeep;
  ASSERT_TRUE(WriteBytes("c:\\finish\\lzszsj43.lzh", "the user's own"));
  RemoveFile("c:\\finish\\lzskin.lzh");
  FinishFileInstall(MainWindow);  // a dialog would wait here for ever
  WriteSettingsRecord();
  UnpackSkin(("c:\\finish\\" + Gbk(L"冰川蓝调.lzz")).c_str());
  EXPECT_TRUE(shown_.empty());
  EXPECT_FALSE(FileExists("c:\\finish\\lzskin.lzh"));
  std::string record;
  ASSERT_TRUE(ReadBytes("c:\\finish\\lzszsj43.lzh", &record));
  EXPECT_EQ("the user's own", record);
}

TEST_F(FinishChecks, ASettingsRecordThatCannotBeReadStartsFromTheDefault) {
  RemoveFile("c:\\finish\\lzszsj43.lzh");
  Edition = kWubiEdition;
  WindowMode = 3;
  WriteSettingsRecord();
  std::string record;
  ASSERT_TRUE(ReadBytes("c:\\finish\\lzszsj43.lzh", &record));
  ASSERT_EQ(200u, record.size());
  EXPECT_EQ(4, record[0]);
  EXPECT_EQ(1, record[1]);
  EXPECT_EQ(54, record[8]);
  EXPECT_EQ(1, record[15]);  // the default's, under either code page
  EXPECT_EQ(1, record[21]);
  EXPECT_EQ(1, record[36]);  // the Wubi edition keeps it
  Edition = kPinyinEdition;
}

}  // namespace
