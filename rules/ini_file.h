// INI text in the form the system's profile functions read and write it.
// Reading follows their rules: lines end at LF (a CR before it is a blank),
// blanks around names and values are dropped, section and key names match
// without regard to case and the first of two equal names counts, a value
// is read up to 2,047 characters and one pair of enclosing quotes (double
// or single) is removed. Lines starting with ';' and lines without '=' are
// not keys. Unlike the system's key enumeration, every key is listed (no
// 16 KB buffer limit). Writing keeps every line outside the sections it
// replaces as it was.
#pragma once
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zt {

constexpr size_t kProfileValueMax = 2047;

class IniFile {
 public:
  // Parses file bytes (8-bit text; a UTF-8 byte-order mark is skipped).
  static IniFile Parse(const std::string& bytes);

  bool HasSection(const std::string& section) const;
  // The key names of the first section of that name, in file order,
  // duplicates included, up to the first empty name.
  std::vector<std::string> Keys(const std::string& section) const;
  // The value as the profile function returns it; def when key or section
  // is missing or the line has no '='.
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& def = "") const;

  // Removes every section of that name with its lines.
  void EraseSection(const std::string& section);
  // Appends a section with the given keys and values at the end of the text.
  void AppendSection(const std::string& section,
                     const std::vector<std::pair<std::string, std::string>>& entries);
  // The text with CR LF line ends for the appended sections.
  std::string Text() const;

 private:
  struct Key {
    std::string name;   // trimmed
    std::string value;  // trimmed
    bool hasValue = false;
  };
  struct Section {
    std::string name;            // between '[' and the last ']', trimmed
    size_t firstLine = 0;        // header line
    size_t endLine = 0;          // one past the section's last line
    std::vector<Key> keys;
    std::unordered_map<std::string, size_t> index;  // upper-cased name -> first key
  };
  const Section* Find(const std::string& section) const;
  void Reparse();

  std::vector<std::string> lines_;  // raw lines, each with its line end
  std::vector<Section> sections_;
};

}  // namespace zt
