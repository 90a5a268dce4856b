// Fuzz target: the reader of the memory of pages read. With the first byte odd the rest is
// taken as the file's lines and closed with the right count and sum, so the fuzzer reaches
// the checks of every line and not only the sum. A file the reader takes must hold what
// the writer's file of the same pages holds; a file it refuses must say why.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>

#include "save/checksum.h"
#include "save/read_memory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  if (size == 0) return 0;
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if ((data[0] & 1) != 0) {
    bytes = "velmora read memory 1\n" + bytes;
    if (bytes.back() != '\n') bytes += '\n';
    size_t lines = 0;
    for (char c : bytes) lines += c == '\n';
    char end[48];
    std::snprintf(end, sizeof end, "end %zu %08x\n", lines - 1,
                  static_cast<unsigned>(Crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())));
    bytes += end;
  }
  std::unordered_set<std::string> ids;
  std::string problem;
  if (!DecodeReadMemory(bytes, ids, problem)) {
    if (problem.empty() || !ids.empty()) std::abort();
    return 0;
  }
  std::unordered_set<std::string> again;
  if (!DecodeReadMemory(EncodeReadMemory(ids), again, problem) || again != ids) std::abort();
  return 0;
}
