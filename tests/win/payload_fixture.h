#pragma once

// What the tests of containers, extraction and verification share: a fresh
// installation directory of real files in the prefix, and the message boxes
// the code under test shows, answered with OK and recorded.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "container_builder.h"

struct ShownMessage {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

// The GBK bytes of a wide text, as the installer shows and writes them.
std::string Gbk(const std::wstring& text);

// The message that names an entry extraction could not write.
std::string EntryNotExtracted(const std::string& name);

Bytes FileBytes(const std::string& path);
bool PutFile(const std::string& path, const Bytes& bytes);

class InstallDirFiles : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // InstallDir + name.
  std::string Installed(const std::string& name) const;

  static std::vector<ShownMessage> shown_;

 private:
  static int WINAPI RecordMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
};
