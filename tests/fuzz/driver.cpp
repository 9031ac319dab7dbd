// A bounded random-input driver for the fuzz targets when libFuzzer is not
// at hand: feeds LLVMFuzzerTestOneInput with random byte strings built from
// the target's dictionary pieces and random bytes.
//   fuzz_x                 a short run (for make test)
//   fuzz_x SECONDS [SEED]  a longer run (make fuzz)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Pieces that make random inputs interesting for the target.
extern const std::vector<std::string> kFuzzDictionary;

int main(int argc, char** argv) {
  double seconds = argc > 1 ? std::atof(argv[1]) : 0;
  unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 12345u;
  long iterations = seconds > 0 ? -1 : 3000;
  std::mt19937 rng(seed);
  auto start = std::chrono::steady_clock::now();
  long done = 0;
  for (;; ++done) {
    if (iterations >= 0 && done >= iterations) break;
    if (iterations < 0 && std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > seconds)
      break;
    std::string input;
    int parts = static_cast<int>(rng() % 64);
    for (int p = 0; p < parts; ++p) {
      switch (rng() % 4) {
        case 0:
          input += kFuzzDictionary[rng() % kFuzzDictionary.size()];
          break;
        case 1:
          for (int i = static_cast<int>(rng() % 16); i > 0; --i) input += static_cast<char>(rng() & 0xFF);
          break;
        case 2:
          input += std::string(rng() % 3 == 0 ? 3000 + rng() % 3000 : rng() % 40, static_cast<char>("a \"\r\n=[]\0"[rng() % 9]));
          break;
        default:
          input += "\r\n";
          break;
      }
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
  }
  std::printf("%ld inputs, no failure\n", done);
  return 0;
}
