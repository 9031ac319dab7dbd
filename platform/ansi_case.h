// How the system folds the letter case of CP1252 texts in its
// case-insensitive comparisons (class names, window titles, file names,
// the sorted sets of the rule lists): a-z, the accented letters, š, œ, ž, ÿ.
#pragma once
#include <array>
#include <string>

namespace zt {

inline std::string UpperAnsi(const std::string& s) {
  static const auto table = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) {
      int u = c;
      if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) u = c - 0x20;
      else if (c == 0x9A || c == 0x9C || c == 0x9E) u = c - 0x10;  // š œ ž
      else if (c == 0xFF) u = 0x9F;                                // ÿ
      t[c] = static_cast<unsigned char>(u);
    }
    return t;
  }();
  std::string out = s;
  for (char& ch : out) ch = static_cast<char>(table[static_cast<unsigned char>(ch)]);
  return out;
}

}  // namespace zt
