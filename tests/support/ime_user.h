#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A started lzimeuser (LANZ_IME_USER_EXE): its windows of the IME's UI
// class exist from construction to destruction. Each argument is "-" for a
// window without owner, or the title of the program window that owns one
// through a helper window; the first argument's window is enumerated first.
class ImeUser {
 public:
  explicit ImeUser(const std::vector<std::wstring>& windows);
  ~ImeUser();
  ImeUser(const ImeUser&) = delete;
  ImeUser& operator=(const ImeUser&) = delete;

  bool ready() const { return ready_; }

 private:
  HANDLE process_ = nullptr;
  bool ready_ = false;
};
