#pragma once
// Malformed BMP files, each named for what is wrong with it. The reader must give a
// clean error for every one of them without reading outside its input.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

struct BadBmp {
  std::string Name;
  std::vector<uint8_t> Bytes;
};

// A valid BMP with a recognisable pattern (24-bit, or 8-bit with a grey palette).
std::vector<uint8_t> ValidBmp(int width, int height, int bitCount);

// Header fields by their byte offset in the file.
void Put16At(std::vector<uint8_t>& bmp, size_t offset, uint16_t value);
void Put32At(std::vector<uint8_t>& bmp, size_t offset, uint32_t value);

std::vector<BadBmp> MalformedBmpCorpus();

}  // namespace velmora
