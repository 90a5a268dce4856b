#include "tools/demo/demo_content.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include "gfx/asset_layout.h"
#include "gfx/sjis.h"
#include "tools/asset_file.h"
#include "tools/bmp_writer.h"

namespace velmora {

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

std::vector<Picture> DrawDemoPictures() {
  std::vector<Picture> pictures;
  uint32_t hue = 0x203040;
  for (const AssetSlot& slot : AssetSlots()) {
    Picture p(slot.Width, slot.Height, slot.BitCount == 8 ? PixelFormat::Indexed8 : PixelFormat::Bgr24);
    if (slot.BitCount == 8) {
      for (int i = 0; i < 256; ++i) p.Palette()[static_cast<size_t>(i)] = static_cast<uint32_t>(i * 0x010101);
      for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) p.Row(y)[x] = static_cast<uint8_t>(x * 255 / (p.Width() - 1));
    } else {
      p.Fill(hue);
    }
    hue += 0x0B0907;
    pictures.push_back(std::move(p));
  }
  return pictures;
}

std::vector<uint8_t> DemoAssetFile() {
  std::vector<std::vector<uint8_t>> bmps;
  for (const Picture& p : DrawDemoPictures()) bmps.push_back(WriteBmp(p));
  return BuildAssetFile(bmps, EncodeCp932(DemoScript()));
}

std::vector<uint8_t> DemoSound(int id) {
  // A short sine blip per effect: 8-bit mono PCM at 22050 Hz.
  const int rate = 22050;
  const int samples = rate / 10;
  const double freq = 440.0 * (1 + id);
  std::vector<uint8_t> data(static_cast<size_t>(samples));
  for (int i = 0; i < samples; ++i) {
    const double fade = 1.0 - static_cast<double>(i) / samples;
    data[static_cast<size_t>(i)] = static_cast<uint8_t>(128 + 90 * fade * std::sin(2 * M_PI * freq * i / rate));
  }
  std::vector<uint8_t> wav;
  auto put = [&](const char* s) { wav.insert(wav.end(), s, s + 4); };
  auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) wav.push_back(static_cast<uint8_t>(v >> (8 * i))); };
  auto put16 = [&](uint16_t v) { wav.push_back(static_cast<uint8_t>(v)); wav.push_back(static_cast<uint8_t>(v >> 8)); };
  put("RIFF");
  put32(36 + static_cast<uint32_t>(data.size()));
  put("WAVE");
  put("fmt ");
  put32(16);
  put16(1);
  put16(1);
  put32(rate);
  put32(rate);
  put16(1);
  put16(8);
  put("data");
  put32(static_cast<uint32_t>(data.size()));
  wav.insert(wav.end(), data.begin(), data.end());
  return wav;
}

void WriteDemoGameFolder(const std::string& dir) {
  const std::filesystem::path root(dir);
  WriteFile(root / "data" / "qelvart.red", DemoAssetFile());
  for (int id = 1; id <= 4; ++id) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.wav", id);
    WriteFile(root / "wav" / name, DemoSound(id));
  }
}

}  // namespace velmora
