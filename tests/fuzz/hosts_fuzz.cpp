// libFuzzer target for the hosts import, the list file reader and the
// hosts file rewrite. Build: cmake -DZT_FUZZ=ON with clang, then run
// ./hosts_fuzz -max_len=4096.
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
