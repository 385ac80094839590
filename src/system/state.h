#pragma once

// The process-wide values of the installer and the uninstaller, in one
// place. Beside each: the one file that writes it. Every other file only
// reads it.

#include <windows.h>

#include <cstddef>

#include "core/install_dir_rules.h"
#include "core/key_value.h"

enum RunModeValue { kWindowMode = 2, kSilentMode = 3 };
enum EditionValue { kWubiEdition = 0, kPinyinEdition = 1 };
// Whether the user's data of an earlier installation was saved before this
// one, and whether the user asked to keep it.
enum OldDataStateValue { kOldDataNone = 0, kOldDataBackedUp = 1, kOldDataKeep = 2 };
constexpr int kRegistrationRequested = 5;
constexpr int kTraditionalCodePage = 950;
constexpr std::size_t kWorkBufferSize = 0x200000;
constexpr std::size_t kDirBufferSize = 200;

// Recorded at start-up by shell/main.cpp: GetOEMCP, the run mode, and 5 when
// the command line asks for registration mode.
extern int OemCodePage;
extern int RunMode;
extern int RegistrationFlag;
// The wizard's page: shell/page_flow.cpp.
extern int PageNumber;
// Wubi until the wizard window is created, then Pinyin: shell/wizard_window.cpp.
extern int Edition;

// The payload container, read in place from the locked resource, and the
// 2 MiB work buffer that every inflation, file read and long message uses;
// either is null when it could not be had: shell/payload_memory.cpp, for the
// window or the silent run that owns them.
extern const unsigned char* Payload;
extern std::size_t PayloadSize;
extern unsigned char* WorkBuffer;

// The installation directory; every installed file's path is this directly
// followed by the file name, so it ends in a backslash once persisted:
// data/install_dir.cpp.
extern char InstallDir[kInstallDirSize];
// data/user_data.cpp.
extern int OldDataState;
// The two web addresses the IME downloads articles from, the user's
// organisation's and the local government's (at most 99 characters each):
// data/config_files.cpp.
extern char SiteAddress1[kSiteAddressSize];
extern char SiteAddress2[kSiteAddressSize];
// The skin and window-mode dialog's results: WindowMode 1 two-line,
// 2 single-line, 3 dual, 4 Windows-like status window; SkinChoice 1 to 3:
// payload/skin_dialog.cpp.
extern int WindowMode;
extern int SkinChoice;
// Set when the old IME module in use ended the installation early:
// system/install_sequence.cpp.
extern int RestartFlag;
// The keyboard layout of this IME that the try-it page activates: the handle
// of the last ImmInstallIMEW call, or the one found by its description:
// system/ime_registration.cpp.
extern HKL ImeLayoutHandle;
// dwMajorVersion of GetVersionExA, refreshed by every IsWindows64, and
// "<Windows directory>\syswow64": system/platform.cpp.
extern int WindowsMajorVersion;
extern char SysWow64Dir[kDirBufferSize];
// The system or Windows directory, read into it right before a path is
// formatted with it, by whichever file formats one; several operations
// overwrite it, so every user reads it again first.
extern char SharedDirBuffer[kDirBufferSize];

// 950 selects traditional Chinese wherever it makes a difference.
inline bool IsTraditionalChinese() { return OemCodePage == kTraditionalCodePage; }
