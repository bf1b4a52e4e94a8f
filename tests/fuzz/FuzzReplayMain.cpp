// Runs a fuzz target once over every file it is given (folders are read through, in name
// order), as libFuzzer does when replaying a corpus, so the normal builds replay the seeds and
// the kept findings without libFuzzer. A crash, an assertion or a sanitizer report fails the run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
#ifdef QW_FUZZ_HAS_INITIALIZE
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
#endif

namespace fs = std::filesystem;

int main(int argc, char **argv) {
#ifdef QW_FUZZ_HAS_INITIALIZE
  LLVMFuzzerInitialize(&argc, &argv);
#endif
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; i++) {
    std::error_code error;
    if (fs::is_directory(argv[i], error)) {
      for (const auto &entry : fs::recursive_directory_iterator(argv[i]))
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    } else if (fs::is_regular_file(argv[i], error)) {
      inputs.push_back(argv[i]);
    } else {
      fprintf(stderr, "no such input: %s\n", argv[i]);
      return 1;
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    fprintf(stderr, "usage: %s <file or folder>... (found no input)\n", argv[0]);
    return 1;
  }
  for (const fs::path &path : inputs) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) {
      fprintf(stderr, "cannot read %s\n", path.c_str());
      return 1;
    }
    printf("replaying %s (%zu bytes)\n", path.c_str(), bytes.size());
    fflush(stdout);
    // A copy of exactly the input's size, so reading past its end shows under AddressSanitizer.
    std::vector<uint8_t> input(bytes);
    LLVMFuzzerTestOneInput(input.empty() ? nullptr : input.data(), input.size());
  }
  printf("%zu inputs replayed\n", inputs.size());
  return 0;
}
