#pragma once
// Reads exactly one Windows BMP (8 or 24 bits, uncompressed) from the stream position.
// Everything is checked before anything is allocated or copied; a picture that does not
// hold together raises the game's error naming what is wrong and where.

#include "gfx/file_stream.h"
#include "gfx/picture.h"

namespace velmora {

// Largest width or height accepted: the biggest picture of the game is 1264 wide and
// 960 tall, and anything far beyond that is damage, not art.
constexpr int kMaxBmpDimension = 8192;

Picture ReadBmp(FileStream& stream);

}  // namespace velmora
