// Numbered keys: key n is the key named exactly like the decimal text of n,
// whatever the width of the program's integers. A long numeric name must not
// wrap around to a small number and hide the real key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/ini_file.h"

namespace zt::test {
namespace {

struct NumberedCase {
  const char* lines;  // the keys of section [S]
  size_t count;
  std::vector<std::string> values;
};

const NumberedCase kNumberedCases[] = {
    // 2^32 + 1 and friends: a 32-bit sum lands on 1, 2 and 3.
    {"4294967297=wrapped\r\n1=real\r\n", 2, {"real", ""}},
    {"4294967298=wrapped\r\n2=two\r\n", 2, {"", "two"}},
    {"4294967299=wrapped\r\n", 3, {"", "", ""}},
    {"8589934593=wrapped\r\n1=real\r\n", 1, {"real"}},            // 2 * 2^32 + 1
    {"9223372041149743105=wrapped\r\n1=real\r\n", 1, {"real"}},   // 19 digits, 2^63 + 2^32 + 1
    // 2^64 + 1 and the 20- and 25-digit names.
    {"18446744073709551617=wrapped\r\n1=real\r\n", 1, {"real"}},
    {"99999999999999999999=x\r\n1=real\r\n", 1, {"real"}},
    {"1844674407370955161600001=x\r\n1=real\r\n", 1, {"real"}},
    // Only the plain decimal text counts: no leading zero, sign or suffix.
    {"01=zero\r\n+1=plus\r\n1a=suffix\r\n0=nought\r\n1=one\r\n", 1, {"one"}},
    {"00000000004294967297=x\r\n1=one\r\n", 1, {"one"}},
    // The first of two equal names wins; a line without '=' still takes the name.
    {"2=first\r\n2=second\r\n1\r\n1=late\r\n", 2, {"", "first"}},
};

TEST(IniNumberedKeys, LongNumericNamesDoNotHideSmallKeys) {
  for (const NumberedCase& c : kNumberedCases) {
    IniFile ini = IniFile::Parse(std::string("[S]\r\n") + c.lines);
    std::vector<std::string> got = ini.ReadNumbered("S", c.count);
    EXPECT_EQ(c.values, got) << c.lines;
    // Reading the keys one by one by name gives the same.
    for (size_t n = 1; n <= c.count && n <= got.size(); ++n)
      EXPECT_EQ(ini.Read("S", std::to_string(n)), got[n - 1]) << c.lines << " key " << n;
  }
}

TEST(IniNumberedKeys, SectionNameIsTrimmedAsForRead) {
  IniFile ini = IniFile::Parse("[ADS]\r\n1=one\r\n");
  EXPECT_EQ(std::vector<std::string>{"one"}, ini.ReadNumbered(" ads ", 1));
}

}  // namespace
}  // namespace zt::test
