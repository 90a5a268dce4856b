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
  const auto size = static_cast<int64_t>(bytes.size());
  return FromLayers(std::make_shared<const std::vector<uint8_t>>(std::move(bytes)), {}, size);
}

std::unique_ptr<FileStream> FileStream::FromLayers(std::shared_ptr<const std::vector<uint8_t>> base,
                                                   std::vector<Layer> layers, int64_t size) {
  std::unique_ptr<FileStream> stream(new FileStream());
  stream->base_ = base ? std::move(base) : std::make_shared<const std::vector<uint8_t>>();
  stream->layers_ = std::move(layers);
  stream->size_ = size < 0 ? 0 : size;
  return stream;
}

size_t FileStream::ReadMemory(uint8_t* out, size_t count) {
  const int64_t start = position_;
  const int64_t end = start + static_cast<int64_t>(count);
  const int64_t baseSize = static_cast<int64_t>(base_->size());
  const int64_t fromBase = std::clamp<int64_t>(baseSize - start, 0, static_cast<int64_t>(count));
  if (fromBase > 0) std::memcpy(out, base_->data() + start, static_cast<size_t>(fromBase));
  std::memset(out + fromBase, 0, count - static_cast<size_t>(fromBase));
  for (const Layer& layer : layers_) {
    const int64_t from = std::max(start, layer.Offset);
    const int64_t to = std::min(end, layer.Offset + static_cast<int64_t>(layer.Bytes.size()));
    if (from < to)
      std::memcpy(out + (from - start), layer.Bytes.data() + (from - layer.Offset), static_cast<size_t>(to - from));
  }
  return count;
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
    got = ReadMemory(static_cast<uint8_t*>(buffer), wanted);
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
