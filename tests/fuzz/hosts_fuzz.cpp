// libFuzzer target for the hosts import, the list file reader and the
// hosts file rewrite. Build and run:
//   cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DZT_FUZZ=ON
//   cmake --build build/fuzz --target hosts_fuzz
//   build/fuzz/hosts_fuzz -max_len=4096 -max_total_time=60 CORPUS_DIR
#include <cstdio>
#include <cstdlib>

#include "hosts_input_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::string broken = zt::test::CheckHostsInput(input);
  if (!broken.empty()) {
    std::fprintf(stderr, "hosts input: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
