#include "gfx/sjis.h"

#include <iconv.h>

#include <cerrno>

namespace velmora {

namespace {

// One conversion with glibc's iconv. On a byte sequence it cannot convert it writes
// Replacement and steps over one input byte; a sequence cut off by the end of the input
// ends the text with Replacement.
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view replacement) {
  std::string out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // No converter: keep the ASCII part readable.
    for (unsigned char c : in) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
  }
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[1024];
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (r != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) continue;
    out += replacement;
    if (errno == EINVAL) break;  // cut off at the end
    ++src;                       // EILSEQ: skip one byte and go on
    --srcLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string DecodeCp932(std::string_view sjis) { return Convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD"); }

std::string EncodeCp932(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8, "?"); }

}  // namespace velmora
