#pragma once
// The two sums a save file relies on: CRC-32 over the file's bytes, which catches every
// single-bit flip and every burst up to 32 bits, and a 64-bit fingerprint of the asset
// file, which tells one asset file from another without keeping a copy of its name.

#include <cstddef>
#include <cstdint>

namespace velmora {

class FileStream;

// CRC-32 (the polynomial of zip and PNG) of Size bytes.
uint32_t Crc32(const uint8_t* data, size_t size);

// A fingerprint of every byte of Stream from its start, read in large blocks. The stream's
// position is left at its end; the game seeks before every read, so that is harmless.
uint64_t FingerprintOf(FileStream& stream);

}  // namespace velmora
