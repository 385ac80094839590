#include "core/program_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::u16string kHead2 = u"智能岚舟安软件装检测到有下列 2 个软件在使用智能岚舟输入法:\r\n\r\n";
const std::u16string kClosing =
    u"\r\n\r\n请关闭使上述软件后再继续安装！\r\n如无法关闭，则请重新启动机器后立即安装！";

// Builds the message for `titles` (null: a window without owner or parent)
// in a buffer of `capacity` units followed by guard units that must stay.
std::u16string Build(const std::vector<const char16_t*>& titles, std::size_t capacity) {
  std::vector<char16_t> buffer(capacity + 16, u'#');
  ProgramMessage message;
  StartProgramMessage(message, buffer.data(), capacity);
  for (const char16_t* title : titles) AddProgram(message, title);
  FinishProgramMessage(message);
  for (std::size_t at = capacity; at < buffer.size(); ++at) EXPECT_EQ(u'#', buffer[at]) << at;
  EXPECT_EQ(static_cast<int>(titles.size()), message.count);
  return capacity > 0 ? std::u16string(buffer.data()) : std::u16string();
}

TEST(ProgramMessage, NumbersEachLineWithTheCountSoFarAndSkipsUnownedWindows) {
  EXPECT_EQ(kHead2 + u"\u3000\u30001：记事本 - 无标题\r\n" + kClosing,
            Build({u"记事本 - 无标题", nullptr}, 4096));
  EXPECT_EQ(kHead2 + u"\u3000\u30002：记事本 - 无标题\r\n" + kClosing,
            Build({nullptr, u"记事本 - 无标题"}, 4096));
  // An empty title still gets its line.
  EXPECT_EQ(kHead2 + u"\u3000\u30001：\r\n\u3000\u30002：Word\r\n" + kClosing,
            Build({u"", u"Word"}, 4096));
}

TEST(ProgramMessage, TakesAtMost199UnitsOfATitle) {
  const std::u16string longTitle(300, u'题');
  const std::u16string message = Build({longTitle.c_str()}, 4096);
  EXPECT_NE(std::u16string::npos, message.find(u"1：" + std::u16string(199, u'题') + u"\r\n"));
  EXPECT_EQ(std::u16string::npos, message.find(std::u16string(200, u'题')));
}

TEST(ProgramMessage, StaysInItsBufferLeavingOutWholeLinesThatDoNotFit) {
  const std::u16string title(199, u'x');
  std::vector<const char16_t*> titles(1000, title.c_str());
  for (std::size_t capacity : {kMinProgramMessage, std::size_t{1000}, std::size_t{4096}}) {
    const std::u16string message = Build(titles, capacity);
    ASSERT_LT(message.size(), capacity);
    const std::u16string head = u"智能岚舟安软件装检测到有下列 1000 个软件在使用智能岚舟输入法:\r\n\r\n";
    ASSERT_EQ(0u, message.find(head));
    ASSERT_EQ(message.size() - kClosing.size(), message.rfind(kClosing));
    // What lies between is whole lines, numbered in turn from 1.
    std::u16string list = message.substr(head.size(), message.size() - head.size() - kClosing.size());
    int lines = 0;
    while (!list.empty()) {
      ++lines;
      std::u16string number;
      for (char c : std::to_string(lines)) number += static_cast<char16_t>(c);
      const std::u16string line = u"\u3000\u3000" + number + u"：" + title + u"\r\n";
      ASSERT_EQ(0u, list.find(line)) << capacity << " line " << lines;
      list.erase(0, line.size());
    }
    // The room the buffer has is used: less than two lines' room is left.
    EXPECT_LT(capacity - message.size(), 64 + 2 * 210u) << capacity;
    EXPECT_EQ(capacity == kMinProgramMessage, lines == 0);
  }
}

TEST(ProgramMessage, ABufferTooSmallForHeadAndClosingStaysEmpty) {
  EXPECT_EQ(u"", Build({u"a", u"b"}, kMinProgramMessage - 1));
  EXPECT_EQ(u"", Build({u"a"}, 1));
  EXPECT_EQ(u"", Build({u"a"}, 0));
}

}  // namespace
