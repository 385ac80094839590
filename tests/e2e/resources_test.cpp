#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

// setup.exe's resources, as the loader and Explorer see them.
class SetupResources : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = WindowsPathOfNative(std::getenv("LANZ_SETUP_EXE"));
    module_ = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module_) << path;
  }
  void TearDown() override { FreeLibrary(module_); }

  std::string Resource(const char* name, const char* type, WORD language = 0) {
    HRSRC found = language != 0 ? FindResourceExA(module_, type, name, language)
                                : FindResourceA(module_, name, type);
    if (found == nullptr) return {};
    const char* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return std::string(data, SizeofResource(module_, found));
  }

  HMODULE module_ = nullptr;
};

TEST_F(SetupResources, ManifestAsksForAdministratorWithoutUiAccess) {
  const std::string manifest = Resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  EXPECT_NE(std::string::npos,
            manifest.find("<requestedExecutionLevel level=\"requireAdministrator\" uiAccess=\"false\"/>"));
}

TEST_F(SetupResources, ClassIconLanzhuLoads) {
  EXPECT_FALSE(Resource("LANZHU", MAKEINTRESOURCEA(14)).empty());  // RT_GROUP_ICON
  HICON icon = LoadIconA(module_, "lanzhu");
  ASSERT_NE(nullptr, icon);
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour;
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(32, colour.bmWidth);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

// An extended dialog template read field by field.
class TemplateReader {
 public:
  explicit TemplateReader(const std::string& bytes) : bytes_(bytes) {}
  WORD Word() {
    WORD value = 0;
    if (at_ + 2 <= bytes_.size()) std::memcpy(&value, bytes_.data() + at_, 2);
    at_ += 2;
    return value;
  }
  DWORD Dword() {
    const DWORD low = Word();
    return low | static_cast<DWORD>(Word()) << 16;
  }
  std::wstring Text() {
    std::wstring text;
    for (WORD c = Word(); c != 0; c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }
  // A name or ordinal: 0xFFFF and a number, or a text.
  std::wstring NameOrOrdinal() {
    if (Word() == 0xFFFF) return L"#" + std::to_wstring(Word());
    at_ -= 2;
    return Text();
  }
  void AlignDword() { at_ = (at_ + 3) & ~static_cast<std::size_t>(3); }
  bool AtEnd() const { return at_ >= bytes_.size(); }

 private:
  const std::string& bytes_;
  std::size_t at_ = 0;
};

struct Control {
  int id;
  DWORD style;
  short x, y, cx, cy;
  std::wstring className, text;
};

struct DialogTemplate {
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::wstring menu, className, caption, face;
  WORD points = 0, weight = 0;
  BYTE charset = 0;
  std::vector<Control> controls;
};

DialogTemplate ReadTemplate(const std::string& bytes) {
  TemplateReader read(bytes);
  DialogTemplate dialog;
  EXPECT_EQ(1, read.Word());       // version
  EXPECT_EQ(0xFFFF, read.Word());  // extended
  read.Dword();                    // help id
  EXPECT_EQ(0u, read.Dword());     // extended style
  dialog.style = read.Dword();
  const WORD count = read.Word();
  dialog.x = static_cast<short>(read.Word());
  dialog.y = static_cast<short>(read.Word());
  dialog.cx = static_cast<short>(read.Word());
  dialog.cy = static_cast<short>(read.Word());
  dialog.menu = read.NameOrOrdinal();
  dialog.className = read.NameOrOrdinal();
  dialog.caption = read.Text();
  dialog.points = read.Word();
  dialog.weight = read.Word();
  const WORD italicAndCharset = read.Word();
  dialog.charset = static_cast<BYTE>(italicAndCharset >> 8);
  dialog.face = read.Text();
  for (WORD i = 0; i < count; ++i) {
    read.AlignDword();
    Control control;
    read.Dword();                // help id
    EXPECT_EQ(0u, read.Dword());  // extended style
    control.style = read.Dword();
    control.x = static_cast<short>(read.Word());
    control.y = static_cast<short>(read.Word());
    control.cx = static_cast<short>(read.Word());
    control.cy = static_cast<short>(read.Word());
    control.id = static_cast<int>(read.Dword());
    control.className = read.NameOrOrdinal();
    control.text = read.NameOrOrdinal();
    read.Word();  // no creation data
    dialog.controls.push_back(control);
  }
  return dialog;
}

constexpr DWORD kChildVisible = WS_CHILD | WS_VISIBLE;
const wchar_t kButton[] = L"BUTTON";
const wchar_t kStatic[] = L"STATIC";

// A control class by its ordinal or by its name, both of which Windows takes.
std::wstring ClassOf(const std::wstring& name) {
  if (name == L"#128") return kButton;
  if (name == L"#130") return kStatic;
  std::wstring upper = name;
  for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
  return upper;
}

void ExpectSkinDialog(const DialogTemplate& dialog, const std::vector<std::wstring>& texts) {
  EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT),
            dialog.style);
  EXPECT_EQ(10, dialog.x);
  EXPECT_EQ(15, dialog.y);
  EXPECT_EQ(219, dialog.cx);
  EXPECT_EQ(140, dialog.cy);
  EXPECT_EQ(L"", dialog.menu);
  EXPECT_EQ(L"", dialog.className);
  struct Expected {
    int id;
    DWORD style;
    short x, y, cx, cy;
    const wchar_t* className;
  };
  const Expected expected[] = {
      {105, BS_DEFPUSHBUTTON | WS_TABSTOP, 88, 117, 44, 14, kButton},
      {-1, BS_GROUPBOX, 6, 8, 204, 39, kButton},
      {-1, BS_GROUPBOX, 6, 54, 204, 39, kButton},
      {101, BS_AUTORADIOBUTTON, 15, 25, 44, 10, kButton},
      {102, BS_AUTORADIOBUTTON, 66, 25, 44, 10, kButton},
      {106, BS_AUTORADIOBUTTON, 113, 25, 36, 10, kButton},
      {107, BS_AUTORADIOBUTTON, 155, 25, 48, 10, kButton},
      {110, BS_AUTORADIOBUTTON, 15, 72, 48, 10, kButton},
      {111, BS_AUTORADIOBUTTON, 84, 72, 48, 10, kButton},
      {112, BS_AUTORADIOBUTTON, 150, 71, 40, 10, kButton},
      {-1, SS_LEFT | WS_GROUP, 13, 99, 145, 8, kStatic},
  };
  ASSERT_EQ(11u, dialog.controls.size());
  for (std::size_t i = 0; i < 11; ++i) {
    const Control& control = dialog.controls[i];
    EXPECT_EQ(expected[i].id, control.id) << i;
    EXPECT_EQ(expected[i].style | kChildVisible, control.style) << i;
    EXPECT_EQ(expected[i].x, control.x) << i;
    EXPECT_EQ(expected[i].y, control.y) << i;
    EXPECT_EQ(expected[i].cx, control.cx) << i;
    EXPECT_EQ(expected[i].cy, control.cy) << i;
    EXPECT_EQ(expected[i].className, ClassOf(control.className)) << i;
    EXPECT_EQ(texts[i], control.text) << i;
  }
}

TEST_F(SetupResources, SkinDialogInSimplifiedChinese) {
  const std::string bytes = Resource("PYKEY", MAKEINTRESOURCEA(5), 2052);
  ASSERT_FALSE(bytes.empty());
  const DialogTemplate dialog = ReadTemplate(bytes);
  EXPECT_EQ(L"智能岚舟皮肤及窗口模式选择", dialog.caption);
  EXPECT_EQ(L"宋体", dialog.face);
  EXPECT_EQ(12, dialog.points);
  EXPECT_EQ(400, dialog.weight);
  EXPECT_EQ(134, dialog.charset);
  ExpectSkinDialog(dialog, {L"确定", L"输入法状态窗口模式选择", L"输入法皮肤选择", L"双行窗口",
                            L"单行窗口", L"双窗口", L"仿WIN窗口", L"冰川蓝调", L"暖橙釉面",
                            L"小星辰", L"注：你也可在安装完毕后改变这些参数。"});
}

TEST_F(SetupResources, SkinDialogInTraditionalChinese) {
  const std::string bytes = Resource("PYKEYB", MAKEINTRESOURCEA(5), 1028);
  ASSERT_FALSE(bytes.empty());
  const DialogTemplate dialog = ReadTemplate(bytes);
  EXPECT_EQ(L"智能嵐舟皮膚及窗口模式選擇", dialog.caption);
  EXPECT_EQ(L"System", dialog.face);
  EXPECT_EQ(10, dialog.points);
  EXPECT_EQ(0, dialog.weight);
  EXPECT_EQ(1, dialog.charset);
  ExpectSkinDialog(dialog, {L"確定", L"輸入法狀態窗口模式選擇", L"輸入法皮膚選擇", L"雙行窗口",
                            L"單行窗口", L"雙窗口", L"仿WIN窗口", L"冰川蓝调", L"暖橙釉面",
                            L"小星辰", L"注：你也可在安裝完畢后改變這些參數。"});
}

}  // namespace
