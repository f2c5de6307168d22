// The main of a fuzz target in the test command: one run over each file of the
// folder it is given (its seed corpus), each input in a buffer of exactly its
// size, so that the sanitizers see any read past its end.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char **argv) {
  if (argc != 2) return 2;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::vector<char> read{std::istreambuf_iterator<char>(file), {}};
    const std::vector<std::uint8_t> input(read.begin(), read.end());
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
}
