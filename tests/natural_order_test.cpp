#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "folder/folder.h"

namespace {

using Names = std::vector<std::string>;

struct OrderCase {
  const char* why;
  std::string less;
  std::string greater;
};

const std::vector<OrderCase>& OrderCases() {
  static const std::vector<OrderCase> cases = {
      {"digit runs compare by value", "a2", "a10"},
      {"file numbers past nine", "2_a.jpg", "10_a.jpg"},
      {"equal value: the shorter run first", "a1", "a01"},
      {"equal value decides at the run, not after it", "a01z", "a001b"},
      {"value before run length", "a001", "a2"},
      {"zero and a run of zeros", "0", "00"},
      {"zeros are below one", "000", "1"},
      {"letters without case", "apple", "Banana"},
      {"case only as the last tie-break", "A", "a"},
      {"case counts only after the whole name", "aa", "Ab"},
      {"folding before comparing: '[' lies between 'Z' and 'a'", "[x", "Zx"},
      {"digits before letters", "1", "a"},
      {"space and '-' before digits", "-", "0"},
      {"'/' right below the digits", "a/", "a0"},
      {"':' right above the digits", "a9", "a:"},
      {"'_' after digits", "a1", "a_"},
      {"more than 20 digits", "x99999999999999999999", "x100000000000000000000"},
      {"long runs differing in the last digit", "n1234567890123456789012345",
       "n1234567890123456789012346"},
      {"leading zeros on a long run", "k0000000000000000000000002", "k3"},
      {"254 nines below 1 and 254 zeros", std::string(254, '9'), "1" + std::string(254, '0')},
      {"300 digits above 256", "1" + std::string(255, '0'), "1" + std::string(299, '0')},
      {"bytes from 0x80 after ASCII", "z", "\xd5\xd5.jpg"},
      {"bytes from 0x80 by value", "\x80", "\xff"},
      {"a name that runs out first", "abc", "abcd"},
      {"a name that runs out inside a number's name", "a1", "a1.jpg"},
      {"a name that runs out before a digit", "a", "a0"},
  };
  return cases;
}

TEST(NaturalOrder, OrdersEachPairBothWays) {
  for (const OrderCase& c : OrderCases()) {
    SCOPED_TRACE(c.why);
    EXPECT_TRUE(NaturalLess(c.less, c.greater));
    EXPECT_FALSE(NaturalLess(c.greater, c.less));
    EXPECT_FALSE(NaturalLess(c.less, c.less));
    Names sorted = {c.greater, c.less};
    SortNaturally(sorted);
    EXPECT_EQ(sorted, (Names{c.less, c.greater}));
  }
}

TEST(NaturalOrder, SortAgreesWithTheComparisonOnRandomNames) {
  // Few symbols, so that ties, equal runs and shared prefixes are common.
  const std::string alphabet = "0019aAzZ_.[:/ \xd5\x80";
  std::mt19937 random(20240611);
  for (const std::size_t count : {std::size_t{50}, std::size_t{3000}}) {
    Names names;
    for (std::size_t at = 0; at < count; ++at) {
      std::string name(random() % 14, ' ');
      for (char& c : name) c = alphabet[random() % alphabet.size()];
      names.push_back(name);
    }
    Names expected = names;
    std::sort(expected.begin(), expected.end(), NaturalLess);
    SortNaturally(names);
    EXPECT_EQ(names, expected) << count << " names";
  }
}

TEST(NaturalOrder, SortsLargeListsAndNamesHoldingZeroBytes) {
  Names names;
  for (int number = 3000; number >= 1; --number) {
    names.push_back("IMG_2023" + std::to_string(number) + (number % 2 == 0 ? ".JPG" : ".jpg"));
  }
  names.push_back(std::string("a\0b", 3));
  names.push_back("a");
  Names expected = names;
  std::sort(expected.begin(), expected.end(), NaturalLess);
  SortNaturally(names);
  EXPECT_EQ(names, expected);
}

}  // namespace
