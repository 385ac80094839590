#include "core/sibling_path.h"

#include <gtest/gtest.h>

#include <string>

TEST(SiblingPath, IsThePathAndATildeOrNothingWhenItDoesNotFit) {
  const std::string longest(30, 'a');
  // Cut by the buffer, the sibling of the longer path would be that path.
  for (const std::string& path : {std::string("c:\\lanzhu2\\lznetsj.dat"), longest,
                                  longest + "b", std::string()}) {
    char out[32] = "x";
    const bool fits = !path.empty() && path.size() <= longest.size();
    EXPECT_EQ(fits, SiblingPath(path.c_str(), out, sizeof out)) << path;
    EXPECT_EQ(fits ? path + "~" : "", out);
  }
}
