#pragma once

// The rules of the installation report: how the files of the installation
// directory are counted, which checks pass, in which order they are made and
// what the line of diagnostic codes says. The probing itself is the caller's.

#include <cstddef>
#include <cstdint>

// The directory's score: listed 1, enterable 10, attributes exactly the
// directory bit 3. Only the whole score passes.
constexpr int kDirListedScore = 1;
constexpr int kDirEnteredScore = 10;
constexpr int kDirPlainAttributesScore = 3;
constexpr int kWholeDirScore = 14;
// A complete installation leaves at least this many files.
constexpr std::uint32_t kCompleteFileCount = 74;
// A head probe of a readable file of at least 20 bytes: 20 bytes read, × 256.
constexpr int kWholeHeadProbe = 5120;

// The files found in the directory, by name. The counters do not wrap: a
// directory of many files is never taken for one of few.
struct FileCounters {
  std::uint32_t txt;
  std::uint32_t lzh;
  std::uint32_t other;
};

// Counts a file by its name: ".txt" anywhere in it, else ".lzh" anywhere,
// else other; upper-case letters of the name match too.
void CountSurveyedFile(FileCounters& counters, const char* name);
std::uint32_t FileCount(const FileCounters& counters);

// The checks in their order; None when every one passed.
enum class ReportCheck { None, Directory, FileCount, WubiDictionary, PinyinDictionary, ImeModule };

// Gives the head probe result of a file of the installation directory.
using HeadProbe = int (*)(const char* name, void* context);

// Makes the checks in order and stops at the first that fails: the directory's
// score, the file count, the Wubi dictionary (".lzh", else ".lz1", else
// ".lzu"), the Pinyin dictionary the same way, the IME module. `codes`
// (`codesSize` bytes, always NUL-terminated) gets one code for each check
// reached: "path--<dir>--<score>;", "F--<count>;" and "FR1--", "FR2--",
// "FR3--" with the last probe of each in lower-case hexadecimal and ";". A
// code that would not fit is left out whole.
ReportCheck FirstFailingCheck(const char* dir, int dirScore, std::uint32_t fileCount,
                              HeadProbe probe, void* context, char* codes, std::size_t codesSize);
