// INI codec with the reading rules of the system's profile functions.
#include "rules/ini_file.h"

namespace zt {
namespace {

// Blanks as the profile functions see them: the C blanks and the DOS
// end-of-file mark ^Z (neither the separator controls nor the no-break space).
bool IsBlank(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A; }

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && IsBlank(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return s;
}

bool SameName(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

}  // namespace

IniFile IniFile::Parse(const std::string& bytes) {
  IniFile ini;
  size_t pos = 0;
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
  while (pos < bytes.size()) {
    // A line ends at LF or at a lone CR, as the system reads profiles.
    size_t nl = bytes.find_first_of("\r\n", pos);
    if (nl != std::string::npos && bytes[nl] == '\r' && nl + 1 < bytes.size() && bytes[nl + 1] == '\n') ++nl;
    size_t end = nl == std::string::npos ? bytes.size() : nl + 1;
    ini.lines_.push_back(bytes.substr(pos, end - pos));
    pos = end;
  }
  ini.Reparse();
  return ini;
}

void IniFile::Reparse() {
  sections_.clear();
  Section* current = nullptr;
  for (size_t i = 0; i < lines_.size(); ++i) {
    std::string line = Trim(lines_[i]);
    // The system's text ends at a NUL character.
    line = line.substr(0, line.find('\0'));
    line = Trim(line);
    if (line.empty()) continue;
    if (line[0] == '[') {
      size_t close = line.rfind(']');
      if (close != std::string::npos) {
        if (current) current->endLine = i;
        sections_.push_back(Section());
        current = &sections_.back();
        current->name = Trim(line.substr(1, close - 1));
        current->firstLine = i;
        continue;
      }
    }
    if (!current) continue;  // keys before the first section belong to none
    Key key;
    size_t eq = line.find('=');
    if (eq == std::string::npos) {
      key.name = line;
    } else {
      key.name = Trim(line.substr(0, eq));
      key.value = Trim(line.substr(eq + 1));
      key.hasValue = true;
    }
    // Of consecutive lines with an empty name only the first is kept.
    if (key.name.empty() && !current->keys.empty() && current->keys.back().name.empty()) continue;
    std::string upper = Upper(key.name);
    if (!current->index.count(upper)) current->index[upper] = current->keys.size();
    current->keys.push_back(std::move(key));
  }
  if (current) current->endLine = lines_.size();
}

const IniFile::Section* IniFile::Find(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (const Section& s : sections_)
    if (!s.name.empty() && SameName(s.name, name)) return &s;
  return nullptr;
}

bool IniFile::HasSection(const std::string& section) const { return Find(section) != nullptr; }

std::vector<std::string> IniFile::Keys(const std::string& section) const {
  std::vector<std::string> names;
  const Section* s = Find(section);  // the key list takes the name as it is
  if (!s) return names;
  for (const Key& k : s->keys) {
    if (!k.hasValue || (!k.name.empty() && k.name[0] == ';')) continue;
    // The system lists the names NUL-separated, so an empty name reads as
    // the end of the list.
    if (k.name.empty()) break;
    names.push_back(k.name);
  }
  return names;
}

std::string IniFile::Read(const std::string& section, const std::string& key,
                          const std::string& def) const {
  const Section* s = Find(Trim(section));  // a value lookup trims the names
  std::string name = Trim(key);
  if (!s || name.empty()) return def.substr(0, kProfileValueMax);
  auto it = s->index.find(Upper(name));
  if (it == s->index.end() || !s->keys[it->second].hasValue) return def.substr(0, kProfileValueMax);
  const std::string& v = s->keys[it->second].value;
  bool quoted = v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0];
  if (!quoted) return v.substr(0, kProfileValueMax);
  // The opening quote always goes; the closing one only when it was copied
  // into (or just past) the 2,048-character buffer.
  std::string rest = v.substr(1);
  std::string copy = rest.substr(0, kProfileValueMax);
  if (rest.size() <= kProfileValueMax + 1) copy.pop_back();
  return copy;
}

void IniFile::EraseSection(const std::string& section) {
  std::string name = Trim(section);
  for (size_t i = sections_.size(); i-- > 0;) {
    const Section& s = sections_[i];
    if (!s.name.empty() && SameName(s.name, name))
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(s.firstLine),
                   lines_.begin() + static_cast<std::ptrdiff_t>(s.endLine));
  }
  Reparse();
}

void IniFile::AppendSection(const std::string& section,
                            const std::vector<std::pair<std::string, std::string>>& entries) {
  if (!lines_.empty() && lines_.back().back() != '\n') lines_.back() += "\r\n";
  lines_.push_back("[" + section + "]\r\n");
  for (const auto& e : entries) lines_.push_back(e.first + "=" + e.second + "\r\n");
  Reparse();
}

std::string IniFile::Text() const {
  std::string out;
  size_t n = 0;
  for (const std::string& l : lines_) n += l.size();
  out.reserve(n);
  for (const std::string& l : lines_) out += l;
  return out;
}

}  // namespace zt
