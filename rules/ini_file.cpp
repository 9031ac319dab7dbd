// INI codec with the reading rules of the system's profile functions. The
// text is kept whole; sections and keys point into it, so a large rule
// database is read without a copy per line.
#include "rules/ini_file.h"

#include <cstring>

namespace zt {
namespace {

// Blanks as the profile functions see them: the C blanks and the DOS
// end-of-file mark ^Z (neither the separator controls nor the no-break space).
bool IsBlank(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A; }

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool SameName(const char* a, size_t na, const char* b, size_t nb) {
  if (na != nb) return false;
  for (size_t i = 0; i < na; ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && IsBlank(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

}  // namespace

uint32_t IniFile::HashName(const char* p, size_t n) const {
  uint32_t h = 2166136261u;
  for (size_t i = 0; i < n; ++i) h = (h ^ static_cast<unsigned char>(Fold(p[i]))) * 16777619u;
  return h;
}

IniFile IniFile::Parse(std::string bytes) {
  IniFile ini;
  ini.text_ = std::move(bytes);
  const std::string& t = ini.text_;
  size_t pos = t.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  Section* current = nullptr;
  while (pos < t.size()) {
    // A line ends at LF or at a lone CR, as the system reads profiles.
    size_t lineStart = pos;
    size_t e = pos;
    while (e < t.size() && t[e] != '\n' && t[e] != '\r') ++e;
    pos = e + 1;
    if (e < t.size() && t[e] == '\r' && pos < t.size() && t[pos] == '\n') ++pos;
    // The system's text ends at a NUL character.
    const void* nul = std::memchr(t.data() + lineStart, '\0', e - lineStart);
    if (nul) e = static_cast<const char*>(nul) - t.data();
    size_t b = lineStart;
    while (b < e && IsBlank(static_cast<unsigned char>(t[b]))) ++b;
    while (e > b && IsBlank(static_cast<unsigned char>(t[e - 1]))) --e;
    if (b == e) continue;

    if (t[b] == '[') {
      size_t close = t.rfind(']', e - 1);
      if (close != std::string::npos && close > b) {
        if (current) current->end = lineStart;
        ini.sections_.emplace_back();
        current = &ini.sections_.back();
        current->name = Trim(t.substr(b + 1, close - b - 1));
        current->begin = lineStart;
        continue;
      }
    }
    if (!current) continue;  // keys before the first section belong to none
    Key key;
    const void* eq = std::memchr(t.data() + b, '=', e - b);
    if (!eq) {
      key.name = {b, e};
    } else {
      size_t at = static_cast<const char*>(eq) - t.data();
      size_t ne = at;
      while (ne > b && IsBlank(static_cast<unsigned char>(t[ne - 1]))) --ne;
      size_t vb = at + 1;
      while (vb < e && IsBlank(static_cast<unsigned char>(t[vb]))) ++vb;
      key.name = {b, ne};
      key.value = {vb, e};
      key.hasValue = true;
    }
    // Of consecutive lines with an empty name only the first is kept.
    bool emptyName = key.name.begin == key.name.end;
    if (emptyName && !current->keys.empty() &&
        current->keys.back().name.begin == current->keys.back().name.end)
      continue;
    current->keys.push_back(key);
  }
  if (current) current->end = t.size();
  if (pos > t.size()) pos = t.size();
  return ini;
}

void IniFile::Index(const Section& s) const {
  size_t size = 16;
  while (size < s.keys.size() * 2) size *= 2;
  s.slots.assign(size, Slot());
  for (size_t i = 0; i < s.keys.size(); ++i) {
    const Span& n = s.keys[i].name;
    const char* p = text_.data() + n.begin;
    size_t len = n.end - n.begin;
    uint32_t hash = HashName(p, len);
    for (size_t slot = hash & (size - 1);; slot = (slot + 1) & (size - 1)) {
      Slot& at = s.slots[slot];
      if (at.key == 0) {
        at = {hash, static_cast<uint32_t>(i + 1)};
        break;
      }
      if (at.hash != hash) continue;
      const Span& o = s.keys[at.key - 1].name;
      if (SameName(text_.data() + o.begin, o.end - o.begin, p, len)) break;  // first wins
    }
  }
}

const IniFile::Section* IniFile::Find(const std::string& name) const {
  for (const Section& s : sections_)
    if (!s.name.empty() && SameName(s.name.data(), s.name.size(), name.data(), name.size())) return &s;
  return nullptr;
}

const IniFile::Key* IniFile::FindKey(const Section& s, const std::string& name) const {
  if (s.slots.empty()) Index(s);
  size_t mask = s.slots.size() - 1;
  uint32_t hash = HashName(name.data(), name.size());
  for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const Slot& at = s.slots[slot];
    if (at.key == 0) return nullptr;
    if (at.hash != hash) continue;
    const Key& k = s.keys[at.key - 1];
    if (SameName(text_.data() + k.name.begin, k.name.end - k.name.begin, name.data(), name.size()))
      return &k;
  }
}

bool IniFile::HasSection(const std::string& section) const { return Find(section) != nullptr; }

std::vector<std::string> IniFile::Keys(const std::string& section) const {
  std::vector<std::string> names;
  const Section* s = Find(section);  // the key list takes the name as it is
  if (!s) return names;
  for (const Key& k : s->keys) {
    if (!k.hasValue) continue;
    std::string name = text_.substr(k.name.begin, k.name.end - k.name.begin);
    if (!name.empty() && name[0] == ';') continue;
    // The system lists the names NUL-separated, so an empty name reads as
    // the end of the list.
    if (name.empty()) break;
    names.push_back(std::move(name));
  }
  return names;
}

size_t IniFile::KeyCount(const std::string& section) const {
  const Section* s = Find(section);
  if (!s) return 0;
  size_t count = 0;
  for (const Key& k : s->keys) {
    if (!k.hasValue) continue;
    if (k.name.begin == k.name.end) break;
    if (text_[k.name.begin] != ';') ++count;
  }
  return count;
}

std::string IniFile::Read(const std::string& section, const std::string& key,
                          const std::string& def) const {
  const Section* s = Find(Trim(section));  // a value lookup trims the names
  std::string name = Trim(key);
  const Key* k = (s && !name.empty()) ? FindKey(*s, name) : nullptr;
  if (!k || !k->hasValue) return def.substr(0, kProfileValueMax);
  return ValueOf(*k);
}

std::string IniFile::ValueOf(const Key& k) const {
  const char* v = text_.data() + k.value.begin;
  size_t n = k.value.end - k.value.begin;
  bool quoted = n >= 2 && (v[0] == '"' || v[0] == '\'') && v[n - 1] == v[0];
  if (!quoted) return std::string(v, n < kProfileValueMax ? n : kProfileValueMax);
  // The opening quote always goes; the closing one only when it was copied
  // into (or just past) the 2,048-character buffer.
  size_t rest = n - 1;
  size_t copy = rest < kProfileValueMax ? rest : kProfileValueMax;
  if (rest <= kProfileValueMax + 1) --copy;
  return std::string(v + 1, copy);
}

std::vector<std::string> IniFile::ReadNumbered(const std::string& section, size_t count) const {
  std::vector<std::string> values(count);
  const Section* s = Find(Trim(section));  // trimmed as Read trims it
  if (!s) return values;
  // Key n is the first key whose name is the decimal text of n (no sign, no
  // leading zero; names are already trimmed, digits have no case). Up to 19
  // digits are summed in 64 bits, which never wraps whatever the width of
  // size_t; a longer name is beyond any list the program can hold.
  std::vector<bool> taken(count + 1, false);
  for (const Key& k : s->keys) {
    size_t len = k.name.end - k.name.begin;
    const char* p = text_.data() + k.name.begin;
    if (len == 0 || len > 19 || p[0] == '0') continue;
    uint64_t sum = 0;
    bool digits = true;
    for (size_t i = 0; i < len && digits; ++i) {
      digits = p[i] >= '0' && p[i] <= '9';
      sum = sum * 10 + static_cast<uint64_t>(p[i] - '0');
    }
    if (!digits || sum < 1 || sum > count) continue;
    size_t n = static_cast<size_t>(sum);
    if (taken[n]) continue;
    taken[n] = true;
    if (k.hasValue) values[n - 1] = ValueOf(k);
  }
  return values;
}

std::string IniFile::TextWithout(std::initializer_list<const char*> names) const {
  std::string out;
  out.reserve(text_.size());
  size_t pos = 0;
  for (const Section& s : sections_) {
    bool drop = false;
    for (const char* n : names)
      if (SameName(s.name.data(), s.name.size(), n, std::strlen(n))) drop = true;
    if (!drop) continue;
    out.append(text_, pos, s.begin - pos);
    pos = s.end;
  }
  out.append(text_, pos, std::string::npos);
  if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
  return out;
}

}  // namespace zt
