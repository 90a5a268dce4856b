#include "save/checksum.h"

#include <array>
#include <cstring>
#include <vector>

#include "gfx/file_stream.h"

namespace velmora {

namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;

uint64_t RotateLeft(uint64_t v, int bits) { return (v << bits) | (v >> (64 - bits)); }

// One 8-byte word into the running value: multiply, rotate, multiply (as the well-known
// fast non-cryptographic hashes do), so every input bit reaches every output bit.
uint64_t Mix(uint64_t h, uint64_t word) {
  h ^= RotateLeft(word * kPrime2, 31) * kPrime1;
  return RotateLeft(h, 27) * kPrime1 + 0x27D4EB2F165667C5ull;
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) c = kCrcTable[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

uint64_t FingerprintOf(FileStream& stream) {
  constexpr size_t kBlock = 1 << 20;
  std::vector<uint8_t> block(kBlock);
  uint64_t h = 0x165667B19E3779F9ull;
  uint64_t total = 0;
  stream.Seek(0);
  for (;;) {
    const size_t n = stream.Read(block.data(), block.size());
    if (n == 0) break;
    total += n;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
      uint64_t word;
      std::memcpy(&word, block.data() + i, 8);
      h = Mix(h, word);
    }
    if (i < n) {  // only the very last block can end off a word boundary
      uint64_t word = 0;
      std::memcpy(&word, block.data() + i, n - i);
      h = Mix(h, word ^ (static_cast<uint64_t>(n - i) << 56));
    }
  }
  h = Mix(h, total);
  h ^= h >> 33;
  h *= kPrime2;
  h ^= h >> 29;
  return h;
}

}  // namespace velmora
