// INI text in the form the system's profile functions read and write it.
// Reading follows their rules: lines end at CR LF, LF or a lone CR, blanks
// around names and values are dropped, section and key names match without
// regard to case and the first of two equal names counts, a value is read
// up to 2,047 characters and one pair of enclosing quotes (double or
// single) is removed. Lines starting with ';' and lines without '=' are not
// keys. Unlike the system's key enumeration, every key is listed (no 16 KB
// buffer limit). Writing keeps every line outside the replaced sections as
// it was.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace zt {

constexpr size_t kProfileValueMax = 2047;

class IniFile {
 public:
  // Parses file bytes (8-bit text; a UTF-8 byte-order mark is skipped).
  static IniFile Parse(std::string bytes);

  bool HasSection(const std::string& section) const;
  // The key names of the first section of that name, in file order,
  // duplicates included, up to the first empty name.
  std::vector<std::string> Keys(const std::string& section) const;
  size_t KeyCount(const std::string& section) const;
  // The value as the profile function returns it; def when key or section
  // is missing or the line has no '='.
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& def = "") const;
  // The values of the keys "1" .. "count" as Read gives them (empty when
  // missing), in one pass over the section.
  std::vector<std::string> ReadNumbered(const std::string& section, size_t count) const;

  // The text without the sections of these names (header and lines); the
  // last line is ended so that sections can be appended.
  std::string TextWithout(std::initializer_list<const char*> sections) const;

 private:
  struct Span {
    size_t begin = 0, end = 0;
  };
  struct Key {
    Span name, value;
    bool hasValue = false;
  };
  struct Slot {
    uint32_t hash = 0;
    uint32_t key = 0;  // key number + 1; 0 = empty
  };
  struct Section {
    std::string name;  // between '[' and the last ']', trimmed
    size_t begin = 0;  // offset of the header line
    size_t end = 0;    // offset after the section's last line
    std::vector<Key> keys;
    mutable std::vector<Slot> slots;  // index of the key names, built on first lookup
  };

  const Section* Find(const std::string& name) const;
  const Key* FindKey(const Section& s, const std::string& name) const;
  void Index(const Section& s) const;
  std::string ValueOf(const Key& k) const;
  uint32_t HashName(const char* p, size_t n) const;

  std::string text_;
  std::vector<Section> sections_;
};

}  // namespace zt
