// Replays a fuzz target's corpus without libFuzzer: every file of the folders named on the command
// line goes once to LLVMFuzzerTestOneInput, in name order. A target reports a fault by trapping,
// so a failing input ends the run, and the last name printed is the input that failed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
      if (entry.is_regular_file())
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      std::ifstream in(file, std::ios::binary);
      const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                             std::istreambuf_iterator<char>()};
      std::cout << "replay " << file.string() << " (" << bytes.size() << " bytes)" << std::endl;
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++replayed;
    }
  }
  if (replayed == 0) {
    std::cerr << "no seed files to replay\n";
    return 1;
  }
  std::cout << replayed << " inputs replayed\n";
  return 0;
}
