// Fuzz target for the hosts import, the list file reader and the hosts file
// rewrite. `make test` runs it briefly and `make fuzz` longer through the
// random-input driver; with clang and libFuzzer:
//   cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DZT_FUZZ=ON
//   cmake --build build/fuzz --target fuzz_hosts
//   build/fuzz/fuzz_hosts -max_len=4096 -max_total_time=60 CORPUS_DIR
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "hosts_input_check.h"

extern const std::vector<std::string> kFuzzDictionary = {
    "127.0.0.1 ", "0.0.0.0 ", "127.0.0.1\t", "::1 localhost", "# comment", "localhost", "ads.example.com",
    "\\par", "\xEF\xBB\xBF", "\xA0", std::string(1, '\0'), "\r", "\n", "\r\n", " ", "\t", "www."};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::string broken = zt::test::CheckHostsInput(input);
  if (!broken.empty()) {
    std::fprintf(stderr, "hosts input: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
