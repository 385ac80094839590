#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "registry_snapshot.h"

// The keyboard layouts and preload lists of the prefix, as the IME's
// registration sees them, put back after every test.
extern const char kLayouts[];          // under HKEY_LOCAL_MACHINE
extern const char kUserLayout[];       // under HKEY_CURRENT_USER
extern const char kDefaultUserLayout[];  // under HKEY_USERS

// A keyboard-layout entry with a "layout text" (none when `text` is null).
void AddLayout(const std::string& id, const wchar_t* text);
std::vector<std::string> LayoutIds();
// A value of a layout entry as stored; "<missing>" when there is none.
std::wstring LayoutValue(const std::string& id, const char* name);

// A preload list, place number to id. NT: values of "<layout>\preload";
// 9x: default values of its subkeys.
using Places = std::map<int, std::string>;
void SetPreload(HKEY root, const char* layout, const Places& places, bool as9x = false);
Places Preload(HKEY root, const char* layout, bool as9x = false);
Places Listed(const std::vector<std::string>& ids);

std::string Narrow(const wchar_t* text, UINT codePage);
std::string Lower(std::string text);

// Message boxes answered OK and recorded as (text, caption).
extern std::vector<std::pair<std::string, std::string>> Messages;
// A Windows 98 for the GetVersion seam, and an input-method manager that
// refuses every module.
DWORD WINAPI Windows98Version();
HKL WINAPI RefuseIme(LPCWSTR moduleFile, LPCWSTR layoutText);

class ImeRegistry : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Removes the layout entries that the test added so far.
  void ForgetNewLayouts();
  std::vector<std::string> NewLayouts();

  bool traditional_ = false;
  std::string language_;  // "0804", or "0404" under code page 950
  std::wstring productName_;  // in the script of the code page

 private:
  std::vector<std::string> layoutsBefore_;
  SavedKey layouts_;
  SavedKey userLayout_;
  SavedKey defaultUserLayout_;
};
