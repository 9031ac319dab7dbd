// What the keyword and size passes derive from their rule lists, kept
// between cycles and rebuilt whenever the list's revision changes.
#pragma once
#include "engine/keyword_matcher.h"
#include "engine/size_table.h"

namespace zt {

struct ScanCache {
  KeywordMatcher keywords;
  SizeTable sizes;
};

}  // namespace zt
