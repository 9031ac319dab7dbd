// The four rule lists: window captions, addresses, keywords and window sizes
// (width in the first column, height in the second).
#pragma once
#include "rules/list_model.h"

namespace zt {

struct RuleLists {
  ListModel WCS{ListViewId::WCS};
  ListModel URL{ListViewId::URL};
  ListModel ADS{ListViewId::ADS};
  ListModel WDS{ListViewId::WDS};
};

}  // namespace zt
