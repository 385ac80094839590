#pragma once

// Facts recorded at start-up and read by the whole program.
enum RunModeValue { kWindowMode = 2, kSilentMode = 3 };
enum EditionValue { kWubiEdition = 0, kPinyinEdition = 1 };
constexpr int kRegistrationRequested = 5;
constexpr int kTraditionalCodePage = 950;

extern int OemCodePage;
extern int RunMode;
extern int RegistrationFlag;
extern int PageNumber;
extern int Edition;

// 950 selects traditional Chinese wherever it makes a difference.
inline bool IsTraditionalChinese() { return OemCodePage == kTraditionalCodePage; }
