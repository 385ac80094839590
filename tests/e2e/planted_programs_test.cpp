#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "installer_run.h"
#include "test_support.h"
#include "wizard_tour.h"

namespace {

// Programs planted where an installer that searched for a program, named one
// unquoted or ran one it had not written would start them elevated: the
// bench's marker, which writes c:\lzmarker.txt when started, as "icacls.exe"
// beside the downloaded setup.exe, as "c:\my.exe", and as a "setupw64.exe"
// held open so that the installer cannot replace it. Each row is one
// installation in a prefix of its own. (Wine keeps no integrity label, so
// the directory's low level cannot be read back here.)
struct PlantedRow {
  const char* name;
  const char* installDir;
  bool wizard;                 // else silent, with a log
  bool unreplaceableSetupw64;
};
const PlantedRow kRows[] = {
    {"DirectoryWithABlank", "c:\\my dir\\", false, false},
    {"UnreplaceableSetupw64Silent", "c:\\lanzhu2\\", false, true},
    {"UnreplaceableSetupw64Wizard", "c:\\lanzhu2\\", true, true},
};

const wchar_t kRegistered[] = L"智能岚舟已安装成功，如不能使用，请重新启动计算机！";
const wchar_t kNotRegistered64[] =
    L"没有成功为64位程序注册智能岚舟，在64位程序中将不能使用智能岚舟，请重新安装！";

// What an installation showed: the texts of every box, its own and
// setupw64.exe's, and the log and exit code of a silent run.
struct Seen {
  std::vector<std::wstring> boxes;
  DWORD exitCode = STILL_ACTIVE;
  std::string log;

  bool Showed(const wchar_t* text) const {
    return std::any_of(boxes.begin(), boxes.end(),
                       [text](const std::wstring& box) { return box.find(text) != box.npos; });
  }
};

Seen Install(const PlantedRow& row) {
  Seen seen;
  InstallerRun run(row.wizard ? L"" : L"setlzsrf32 loglz32=c:\\setup.log", L"c:\\downloads\\setup.exe");
  EXPECT_TRUE(run.started());
  if (row.wizard) {
    TourObserver answersOk;
    const TourRecord record = InstallThroughWizard(run.launched(), TourChoices{}, answersOk);
    EXPECT_EQ("", record.failure);
    seen.boxes = record.messages;
    seen.boxes.insert(seen.boxes.end(), record.otherMessages.begin(), record.otherMessages.end());
  } else {
    seen.exitCode = WaitAnsweringMessageBoxes(run.launched(), L"智能岚舟", 120000, &seen.boxes);
    ReadBytes("c:\\setup.log", &seen.log);
    // setupw64.exe is not waited for: its box may come after the installer ended.
    HWND box = CurrentConfig().windows64 && !row.unreplaceableSetupw64 && !seen.Showed(kRegistered)
                   ? WaitForMessageBoxTitled(L"智能岚舟", 60000)
                   : nullptr;
    if (box != nullptr) {
      seen.boxes.push_back(MessageBoxText(box));
      AnswerMessageBox(box, IDOK);
    }
  }
  // A program started at the end has a moment to leave its mark.
  for (int waited = 0; waited < 30 && !FileExists("c:\\lzmarker.txt"); ++waited) Sleep(100);
  return seen;
}

class PlantedPrograms : public ::testing::TestWithParam<PlantedRow> {};

TEST_P(PlantedPrograms, NeverRun) {
  const PlantedRow& row = GetParam();
  const std::string dir = row.installDir;
  ClearInstallDirRecords();
  ASSERT_TRUE(WriteBytes(WindowsDir() + "\\lanzpath.lzh", dir));
  const std::wstring marker = BuildProgram("LANZ_MARKER_EXE");
  CreateDirectoryA("c:\\downloads", nullptr);
  ASSERT_TRUE(CopyFileW(BuildProgram("LANZ_SETUP_EXE").c_str(), L"c:\\downloads\\setup.exe", FALSE));
  ASSERT_TRUE(CopyFileW(marker.c_str(), L"c:\\downloads\\icacls.exe", FALSE));
  ASSERT_TRUE(CopyFileW(marker.c_str(), L"c:\\my.exe", FALSE));
  HANDLE held = INVALID_HANDLE_VALUE;
  if (row.unreplaceableSetupw64) {
    CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(marker.c_str(), FromUtf8(dir + "setupw64.exe").c_str(), FALSE));
    held = CreateFileA((dir + "setupw64.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                       OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
  }

  const Seen seen = Install(row);
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

  std::string started;
  EXPECT_FALSE(ReadBytes("c:\\lzmarker.txt", &started)) << "planted programs ran: " << started;
  EXPECT_EQ(L"\"" + FromUtf8(dir) + L"lanzlzsr.exe\" lz", StartUpValue());
  const bool told = CurrentConfig().windows64 && row.unreplaceableSetupw64;
  EXPECT_EQ(CurrentConfig().windows64 && !told, seen.Showed(kRegistered));
  EXPECT_EQ(told && row.wizard, seen.Showed(kNotRegistered64));
  if (!row.wizard) {
    EXPECT_EQ(told ? 1603u : 0u, seen.exitCode);
    EXPECT_EQ(told, seen.log.find("not registered for 64-bit programs") != std::string::npos)
        << seen.log;
  }
}

INSTANTIATE_TEST_SUITE_P(, PlantedPrograms, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<PlantedRow>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
