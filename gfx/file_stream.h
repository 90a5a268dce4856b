#pragma once
// A read-only stream on the asset file (the game keeps one, AssetStream). Its position is
// shared by every reader, so each read first seeks to the absolute offset it needs.
// Tests give it bytes in memory instead.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

class FileStream {
 public:
  // Bytes laid over a base at Offset (tests and fuzzers patch a shared asset file so).
  struct Layer {
    int64_t Offset;
    std::vector<uint8_t> Bytes;
  };

  // Opens a file for reading; raises the game's error when it cannot be opened.
  static std::unique_ptr<FileStream> OpenFile(const std::string& path);
  static std::unique_ptr<FileStream> FromBytes(std::vector<uint8_t> bytes);
  // A stream of Size bytes: Base (zero past its end) with the layers laid over it.
  static std::unique_ptr<FileStream> FromLayers(std::shared_ptr<const std::vector<uint8_t>> base,
                                                std::vector<Layer> layers, int64_t size);
  ~FileStream();
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  int64_t Size() const { return size_; }
  int64_t Position() const { return position_; }
  int64_t Remaining() const { return position_ < size_ ? size_ - position_ : 0; }
  // Any position may be set; reads beyond the end simply find no bytes.
  void Seek(int64_t position) { position_ = position < 0 ? 0 : position; }
  // Reads up to Count bytes; returns how many were read.
  size_t Read(void* buffer, size_t count);
  // Reads exactly Count bytes or raises the error with What in its text.
  void ReadExact(void* buffer, size_t count, const char* what);
  // Everything from the position to the end.
  std::vector<uint8_t> ReadToEnd();

 private:
  FileStream() = default;
  std::FILE* file_ = nullptr;
  size_t ReadMemory(uint8_t* out, size_t count);
  std::shared_ptr<const std::vector<uint8_t>> base_;
  std::vector<Layer> layers_;
  int64_t size_ = 0;
  int64_t position_ = 0;
};

}  // namespace velmora
