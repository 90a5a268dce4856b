#pragma once
// Where pictures keep their pixels. Every screen change makes and drops a handful of
// full-screen pictures (about 1.2 MB each); the store keeps a few dropped blocks of each
// size for the next picture of that size instead of giving them back to the system at
// once. Allocators that serve each large block with a fresh mapping (the sanitizers' do)
// otherwise fault in and zero every page of every frame again.

#include <cstddef>
#include <cstdint>

namespace velmora {

namespace pixel_store {
// A block of Bytes bytes (at least one), its contents unspecified.
uint8_t* Take(size_t bytes);
// Gives back a block Take returned for the same Bytes.
void Give(uint8_t* block, size_t bytes) noexcept;
}  // namespace pixel_store

// A picture's bytes: owned, copied whole, zeroed when sized.
class PixelBytes {
 public:
  PixelBytes() = default;
  PixelBytes(const PixelBytes& other);
  PixelBytes(PixelBytes&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
  }
  PixelBytes& operator=(const PixelBytes& other);
  PixelBytes& operator=(PixelBytes&& other) noexcept;
  ~PixelBytes() { Free(); }

  // Bytes zero bytes.
  void AssignZeros(size_t bytes);
  // Bytes bytes of whatever they held.
  void AssignUnset(size_t bytes);
  uint8_t* data() { return data_; }
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  void Free() noexcept;

  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace velmora
