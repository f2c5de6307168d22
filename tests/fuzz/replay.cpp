// The main of a fuzz target in the test command: one run over each file of the
// folder it is given (its seed corpus), each in a buffer of exactly its size,
// so that the sanitizers see any read past its end.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size);

int main(int, char** argv) {
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::vector<char> read{std::istreambuf_iterator<char>(file), {}};
    const std::vector<unsigned char> input(read.begin(), read.end());
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
}
