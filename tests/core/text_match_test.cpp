#include "core/command_line.h"
#include "core/text_match.h"

#include <gtest/gtest.h>

#include <string>

TEST(ContainsNoCase, FoldsUpperCaseTextOntoLowerCasePatternOnly) {
  EXPECT_EQ(1, ContainsNoCase("LANZ320.IME", "lanz320.ime"));
  EXPECT_EQ(0, ContainsNoCase("lanz320.ime", "LANZ320.IME"));
  EXPECT_EQ(1, ContainsNoCase("ReGlZ32=d:\\x\\", "reglz32"));
  EXPECT_EQ(1, ContainsNoCase("SETLZSRF32", "setlzsrf32"));
  // Digits and punctuation match only themselves.
  EXPECT_EQ(0, ContainsNoCase("reglz33", "reglz32"));
  EXPECT_EQ(0, ContainsNoCase("[", "{"));  // '[' + 32 is '{' but '[' is no letter
}

TEST(ContainsNoCase, FindsThePatternAnywhereAndHandlesTheEnds) {
  EXPECT_EQ(1, ContainsNoCase("/norestart reglz32=d:\\lanzhu2\\", "reglz32"));
  EXPECT_EQ(1, ContainsNoCase("xxsetlzsrf32", "setlzsrf32"));
  EXPECT_EQ(0, ContainsNoCase("setlzsrf3", "setlzsrf32"));  // the text ends first
  EXPECT_EQ(1, ContainsNoCase("a", ""));                    // empty pattern, non-empty text
  EXPECT_EQ(0, ContainsNoCase("", ""));                     // empty text matches nothing
  EXPECT_EQ(0, ContainsNoCase("", "r"));
}

TEST(ContainsNoCase, BytesAboveAsciiMatchOnlyThemselves) {
  // GBK "岚" is 0xE1 0xB0; 0xC1 would be its byte minus 32.
  EXPECT_EQ(1, ContainsNoCase("\xE1\xB0reglz32", "reglz32"));
  EXPECT_EQ(0, ContainsNoCase("\xC1", "\xE1"));
  EXPECT_EQ(0, ContainsNoCase("\xE1", "\xC1"));
  std::string longLine(8000, '\xB0');
  EXPECT_EQ(0, ContainsNoCase(longLine.c_str(), "reglz32"));
  longLine += "REGLZ32";
  EXPECT_EQ(1, ContainsNoCase(longLine.c_str(), "reglz32"));
}

TEST(FindLogPathArgument, TakesTheQuotedOrBlankEndedPathAfterTheKeyword) {
  struct Case {
    const char* commandLine;
    const char* path;  // nullptr: no log
    const char* rest;  // the command line without the log argument
  } const cases[] = {
      {"setlzsrf32 loglz32=c:\\logs\\lz.log", "c:\\logs\\lz.log", "setlzsrf32 "},
      {"LOGLZ32=c:\\a.log setlzsrf32", "c:\\a.log", " setlzsrf32"},
      {"setlzsrf32 loglz32=\"c:\\my logs\\lz.log\" x", "c:\\my logs\\lz.log", "setlzsrf32  x"},
      {"setlzsrf32 \"loglz32=c:\\my logs\\lz.log\"", "c:\\my logs\\lz.log", "setlzsrf32 "},
      // A log path that names a keyword is no keyword.
      {"loglz32=c:\\reglz32\\setlzsrf32.log", "c:\\reglz32\\setlzsrf32.log", ""},
      {"setlzsrf32", nullptr, nullptr},
      {"loglz32=", nullptr, nullptr},
      {"loglz32= c:\\a.log", nullptr, nullptr},
      {"loglz32=\"c:\\unclosed", nullptr, nullptr},
      {"loglz32=c:\\a\x01.log", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    char out[32] = "x";
    ArgumentSpan span{};
    EXPECT_EQ(c.path != nullptr, FindLogPathArgument(c.commandLine, out, sizeof out, &span))
        << c.commandLine;
    EXPECT_STREQ(c.path != nullptr ? c.path : "", out) << c.commandLine;
    if (c.rest != nullptr) {
      EXPECT_EQ(c.rest, std::string(c.commandLine).erase(span.begin, span.end - span.begin));
    }
  }
  // A path that does not fit is refused, not cut.
  char out[9];
  ArgumentSpan span{};
  EXPECT_FALSE(FindLogPathArgument("loglz32=c:\\a.logx", out, sizeof out, &span));
  EXPECT_TRUE(FindLogPathArgument("loglz32=c:\\a.log", out, sizeof out, &span));
}
