// Our INI reader against the system's profile functions on generated files:
// existing rule databases must read the same.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "rules/ini_file.h"
#include "wine_support.h"

namespace zt::test {
namespace {

std::vector<std::string> SystemKeys(const std::string& file, const std::string& section) {
  std::vector<char> buf(1 << 20);
  DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buf.data(),
                                     static_cast<DWORD>(buf.size()), file.c_str());
  std::vector<std::string> keys;
  // Read the list as the program does: it ends at the first empty name.
  for (DWORD i = 0; i < n;) {
    std::string k(&buf[i]);
    if (k.empty()) break;
    keys.push_back(k);
    i += static_cast<DWORD>(k.size()) + 1;
  }
  return keys;
}

std::string SystemValue(const std::string& file, const std::string& section, const std::string& key) {
  char buf[2048];
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buf, sizeof buf, file.c_str());
  return buf;
}

// The decimal text of m * 2^64 + add, for names longer than any integer.
std::string TimesTwoTo64(uint32_t m, uint32_t add) {
  std::string digits = "18446744073709551616";
  uint64_t carry = add;
  for (size_t i = digits.size(); i-- > 0;) {
    uint64_t d = static_cast<uint64_t>(digits[i] - '0') * m + carry;
    digits[i] = static_cast<char>('0' + d % 10);
    carry = d / 10;
  }
  return carry ? std::to_string(carry) + digits : digits;
}

// A numeric key name of 10 to 25 digits whose value wraps around 2^32 or
// 2^64 to a small key number, or a small number with leading zeros.
std::string LongNumber(std::mt19937& rng) {
  uint32_t small = rng() % 18;
  switch (rng() % 4) {
    case 0: return (small ? "0" : "00") + std::to_string(small);
    case 1: return TimesTwoTo64(1 + rng() % 100000, small);
    default: {
      uint32_t bits = rng() % 32;
      uint64_t high = 1 + rng() % (1u << bits);  // 10 to 19 digits in all
      return std::to_string((high << 32) + small);
    }
  }
}

// Random pieces that exercise the reading rules: blanks of every kind,
// quotes, comments, lines without '=', duplicate names in any case,
// repeated sections, CR LF / LF / stray CR, long values.
std::string RandomText(std::mt19937& rng) {
  static const char* const pieces[] = {
      "[ADS]", "[ads]", "[ URL ]", "[WCS]", "[WDS]", "[Other]", "[ADS", "1=casino", "1 = Casino ",
      "2=gewinn", "2=\"quoted value\"", "3='single'", "3=\"half", "4=  spaced  ", "5=", "5",
      "; comment", ";1=hidden", "=novalue", "7=a=b", "8=\"\"", "9=\"", "10=x\ty", "\t11=tab",
      "12=Gr\xFC\xDF" "e", "13=\xA0nbsp\xA0", "14=trail\x1A", "16=\x1Funit\x1C", "17=\x0Bvt\x0C", "KEY=Upper", "key=lower", "1=again"};
  std::string out;
  int lines = static_cast<int>(rng() % 40);
  for (int i = 0; i < lines; ++i) {
    int r = static_cast<int>(rng() % 40);
    if (r == 0) out += std::string(static_cast<size_t>(2040 + rng() % 20), 'L');
    else if (r == 1) out += "15=\"" + std::string(static_cast<size_t>(2044 + rng() % 6), 'q') + "\"";
    else if (r < 6) out += LongNumber(rng) + "=long" + std::to_string(r);
    else out += pieces[rng() % (sizeof pieces / sizeof *pieces)];
    switch (rng() % 6) {
      case 0: out += "\n"; break;
      case 1: out += " \r\n"; break;
      case 2: out += "\r"; break;
      default: out += "\r\n"; break;
    }
  }
  return out;
}

}  // namespace

TEST(IniDifferential, ReadsLikeTheProfileFunctions) {
  TempDir dir;
  std::mt19937 rng(20261209);
  const char* const sections[] = {"ADS", "URL", "WCS", "WDS", "Other", " ads "};
  const char* const keys[] = {"1", "2", "3", "4", "5", "7", "8", "9", "10", "11", "12", "13",
                              "14", "15", "16", "17", "key", " 1 ", ";1", "01", "4294967297",
                              "18446744073709551617"};
  for (int round = 0; round < 120; ++round) {
    std::string text = RandomText(rng);
    std::string file = dir.path() + "\\db" + std::to_string(round % 7) + ".ini";
    WriteBytes(file, text);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());  // drop the system's cache
    IniFile ini = IniFile::Parse(text);
    for (const char* s : sections) {
      ASSERT_EQ(SystemKeys(file, s), ini.Keys(s)) << "section " << s << " of:\n" << text;
      for (const char* k : keys)
        ASSERT_EQ(SystemValue(file, s, k), ini.Read(s, k)) << s << "/" << k << " of:\n" << text;
      std::vector<std::string> numbered = ini.ReadNumbered(s, 18);
      for (size_t n = 1; n <= numbered.size(); ++n)
        ASSERT_EQ(SystemValue(file, s, std::to_string(n)), numbered[n - 1])
            << s << " key number " << n << " of:\n" << text;
    }
  }
}

}  // namespace zt::test

namespace zt::test {

// Saving with our writer and reading with the system's functions gives the
// lists back, and so does the reverse.
TEST(IniDifferential, SavedDatabaseReadsBackThroughTheProfileFunctions) {
  TempDir dir;
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    std::vector<std::pair<std::string, std::string>> entries;
    int n = static_cast<int>(rng() % 30);
    for (int i = 1; i <= n; ++i) {
      std::string v = "v" + std::to_string(rng() % 1000) + (rng() % 3 ? " mit Umlaut \xE4" : "=x");
      entries.emplace_back(std::to_string(i), v);
    }
    std::string file = dir.path() + "\\rt.ini";
    std::string text = IniFile::Parse("[Other]\r\nk=v\r\n[ADS]\r\n1=old\r\n").TextWithout({"ADS"});
    text += "[ADS]\r\n";
    for (const auto& e : entries) text += e.first + "=" + e.second + "\r\n";
    WriteBytes(file, text);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    ASSERT_EQ(static_cast<size_t>(n), SystemKeys(file, "ADS").size());
    for (const auto& e : entries) ASSERT_EQ(e.second, SystemValue(file, "ADS", e.first));
    EXPECT_EQ("v", SystemValue(file, "Other", "k"));

    WritePrivateProfileStringA("WCS", nullptr, nullptr, file.c_str());
    for (const auto& e : entries)
      WritePrivateProfileStringA("WCS", e.first.c_str(), e.second.c_str(), file.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    IniFile back = IniFile::Parse(ReadBytes(file));
    ASSERT_EQ(static_cast<size_t>(n), back.Keys("WCS").size());
    for (const auto& e : entries) ASSERT_EQ(e.second, back.Read("WCS", e.first));
  }
}

}  // namespace zt::test
