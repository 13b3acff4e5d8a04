#include "forms/composite_value.h"

#include <gtest/gtest.h>

namespace forms {
namespace {

TEST(CompositeValueTest, TheHostIsBetweenTheSchemeAndThePath) {
  EXPECT_EQ(hostOfAddress("https://www.example.com/a/b?c"), "www.example.com");
  EXPECT_EQ(hostOfAddress("www.example.com"), "www.example.com");
  EXPECT_EQ(hostOfAddress("example.com/path"), "example.com");
  EXPECT_EQ(hostOfAddress("http://"), "");
  EXPECT_EQ(hostOfAddress("http:///x"), "");
  EXPECT_EQ(hostOfAddress("http://中文.网/页"), "中文.网");
  EXPECT_EQ(hostOfAddress(""), "");
}

TEST(CompositeValueTest, PiecesAreCutOrPaddedToTheCount) {
  EXPECT_EQ(compositePieces("u||p", 3), (std::vector<base::TextValue>{"u", "p", ""}));
  EXPECT_EQ(compositePieces("a||b||c||d", 2), (std::vector<base::TextValue>{"a", "b"}));
  EXPECT_EQ(compositePieces("", 2), (std::vector<base::TextValue>{"", ""}));
}

}  // namespace
}  // namespace forms
