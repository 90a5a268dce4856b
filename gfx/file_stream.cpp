#include "gfx/file_stream.h"

#include <algorithm>
#include <cstring>

#include "app/game_error.h"

namespace velmora {

std::unique_ptr<FileStream> FileStream::OpenFile(const std::string& path) {
  std::unique_ptr<FileStream> stream(new FileStream());
  stream->file_ = std::fopen(path.c_str(), "rb");
  if (!stream->file_) throw GameError("ファイル " + path + " を開けません");
  if (std::fseek(stream->file_, 0, SEEK_END) == 0) stream->size_ = std::ftell(stream->file_);
  if (stream->size_ < 0) stream->size_ = 0;
  return stream;
}

std::unique_ptr<FileStream> FileStream::FromBytes(std::vector<uint8_t> bytes) {
  std::unique_ptr<FileStream> stream(new FileStream());
  stream->size_ = static_cast<int64_t>(bytes.size());
  stream->bytes_ = std::move(bytes);
  return stream;
}

FileStream::~FileStream() {
  if (file_) std::fclose(file_);
}

size_t FileStream::Read(void* buffer, size_t count) {
  if (position_ >= size_ || count == 0) return 0;
  const size_t wanted = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), size_ - position_));
  size_t got = 0;
  if (file_) {
    if (std::fseek(file_, static_cast<long>(position_), SEEK_SET) != 0) return 0;
    got = std::fread(buffer, 1, wanted, file_);
  } else {
    std::memcpy(buffer, bytes_.data() + position_, wanted);
    got = wanted;
  }
  position_ += static_cast<int64_t>(got);
  return got;
}

void FileStream::ReadExact(void* buffer, size_t count, const char* what) {
  const int64_t at = position_;
  if (Read(buffer, count) != count)
    throw GameError(std::string("ストリームの読み込みエラー: ") + what + " が途中で切れています (位置 " +
                    std::to_string(at) + ")");
}

std::vector<uint8_t> FileStream::ReadToEnd() {
  std::vector<uint8_t> out(static_cast<size_t>(Remaining()));
  out.resize(Read(out.data(), out.size()));
  return out;
}

}  // namespace velmora
