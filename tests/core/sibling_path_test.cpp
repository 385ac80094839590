#include "core/sibling_path.h"

#include <gtest/gtest.h>

#include <string>

TEST(SiblingPath, IsThePathAndATildeOrNothingWhenItDoesNotFit) {
  const std::string longest(30, 'a');
  struct Case {
    std::string path;
    std::string sibling;  // "": refused
  } const cases[] = {
      {"c:\\lanzhu2\\lznetsj.dat", "c:\\lanzhu2\\lznetsj.dat~"},
      {longest, longest + "~"},
      // Cut by the buffer, the sibling would be the file itself.
      {longest + "b", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    char out[32] = "x";
    EXPECT_EQ(!c.sibling.empty(), SiblingPath(c.path.c_str(), out, sizeof out)) << c.path;
    EXPECT_EQ(c.sibling, out);
  }
}
