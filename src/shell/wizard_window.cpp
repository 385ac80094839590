#include "shell/wizard_window.h"

#include "data/user_data.h"
#include "payload/install_files.h"
#include "shell/page_flow.h"
#include "shell/page_painting.h"
#include "shell/payload_memory.h"
#include "shell/texts.h"
#include "system/narrow_text.h"
#include "system/platform.h"
#include "system/state.h"

HWND MainWindow;
HWND PathLine;
HWND SiteLine1;
HWND SiteLine2;
HFONT TextFont;
HFONT TitleFont;
HBRUSH ProgressBrush;
RECT ConfirmButtonRect;
RECT ExitButtonRect;
RECT SiteLine1FrameRect;
RECT PathLineFrameRect;
RECT ProgressBarRect;

static const char kClassName[] = "installWClass";
constexpr int kWindowWidth = 400;
constexpr int kWindowHeight = 310;
// The vertical centring uses 300, not the window's height.
constexpr int kCentringHeight = 300;
constexpr BYTE kGb2312Charset = 134;
constexpr COLORREF kProgressRed = 0x0000FF;

static HFONT CreateChineseFont(int height, int width, const wchar_t* face) {
  char faceGbk[LF_FACESIZE];
  ToNarrow(face, kGbkCodePage, faceGbk, sizeof faceGbk);
  return CreateFontA(height, width, 0, 0, 0, 0, 0, 0, kGb2312Charset, 0, 0, 0, 0, faceGbk);
}

static void OnCreate(HWND window) {
  Edition = kPinyinEdition;
  if (IsTraditionalChinese()) SetWindowTextW(window, kTitleTraditional);
  MainWindow = window;
  ProgressBarRect = {30, 188, 340, 30};
  TextFont = CreateChineseFont(22, 7, kTextFontFace);
  TitleFont = CreateChineseFont(40, 20, kTitleFontFace);
  ProgressBrush = CreateSolidBrush(kProgressRed);
  ConfirmButtonRect = {40, 245, 140, 270};
  ExitButtonRect = {260, 245, 360, 270};
  SiteLine1FrameRect = {30, 162, 365, 187};
  PathLineFrameRect = {30, 192, 365, 217};
  // The file passes draw on the directory page while they run.
  static const PassPainter kPassPainter = {RepaintDirectoryPage, DrawProgress};
  SetPassPainter(&kPassPainter);
  AcquirePayloadMemory();
  // The user's earlier data is saved before anything can overwrite it.
  if (WorkBuffer != nullptr) BackupUserData();
}

// The window closes itself by posting WM_DESTROY; whatever destroys it for
// real afterwards finds everything freed already.
static void OnDestroy() {
  ReleasePayloadMemory();
  DeleteObject(TitleFont);
  DeleteObject(TextFont);
  DeleteObject(ProgressBrush);
  TitleFont = nullptr;
  TextFont = nullptr;
  ProgressBrush = nullptr;
  PostQuitMessage(0);
}

static LRESULT CALLBACK WizardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_SETFOCUS:
      SetFocus(PathLine);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      PaintCurrentPage(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_TIMER:
      ShowTryItPage();
      return 0;
    case WM_MOUSEMOVE:
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      HandleClick(wParam, lParam);
      return 0;
    case WM_CLOSE:
      if (WizardBusy) return 0;
      return DefWindowProcA(window, message, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool RegisterWizardClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WizardWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "lanzhu");
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

static HWND CreateInputLine(HINSTANCE instance, int x, int y) {
  return CreateWindowExA(0, "EDIT", " ", WS_CHILD, x, y, 230, 20, MainWindow, nullptr, instance,
                         nullptr);
}

bool CreateWizardWindow(HINSTANCE instance, int showCommand) {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kCentringHeight) / 2;
  const wchar_t* title = IsWindows64() ? kTitle64 : kTitle32;
  HWND window = CreateWindowExW(0, L"installWClass", title, WS_SYSMENU, left, top, kWindowWidth,
                                kWindowHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return false;
  PathLine = CreateInputLine(instance, 120, 195);
  SiteLine2 = CreateInputLine(instance, 130, 195);
  SiteLine1 = CreateInputLine(instance, 130, 165);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  return true;
}
