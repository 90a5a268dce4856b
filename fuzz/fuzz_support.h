#pragma once
// What the fuzz targets share: a QGuiApplication for text, the demo asset file in memory,
// and a little reader over the fuzzer's bytes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace velmora::fuzz {

// Creates the QGuiApplication on the offscreen platform once.
void EnsureGuiApplication();
// The demo asset file (drawn once per process).
std::shared_ptr<const std::vector<uint8_t>> DemoAsset();

// Reads the fuzzer's input front to back; past the end it gives zeros.
class InputReader {
 public:
  InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool AtEnd() const { return pos_ >= size_; }
  size_t Remaining() const { return AtEnd() ? 0 : size_ - pos_; }
  uint8_t Byte() { return AtEnd() ? 0 : data_[pos_++]; }
  uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
  uint32_t Dword() { return Word() | (static_cast<uint32_t>(Word()) << 16); }
  std::vector<uint8_t> Bytes(size_t n) {
    n = n < Remaining() ? n : Remaining();
    std::vector<uint8_t> out(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return out;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace velmora::fuzz
