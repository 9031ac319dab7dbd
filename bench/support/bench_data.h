// The real public hosts lists the benchmarks read: from the folder named by
// ZT_DATA_DIR, else from the shared data folder beside the source tree.
#pragma once
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace zt::bench {

inline std::string DataDir() {
  const char* dir = std::getenv("ZT_DATA_DIR");
  return dir && *dir ? dir : ZT_SOURCE_DIR "/../shared/data";
}

inline std::string DataPath(const std::string& name) { return DataDir() + "/" + name; }

// The whole file; empty when it cannot be read.
inline std::string ReadDataFile(const std::string& name) {
  std::ifstream in(DataPath(name), std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The message of a benchmark that found no data.
inline std::string NoData() {
  return "no hosts lists in " + DataDir() + " (set ZT_DATA_DIR to the folder that holds them)";
}

}  // namespace zt::bench
