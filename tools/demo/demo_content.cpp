#include "tools/demo/demo_content.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <QGuiApplication>

#include "app/game_error.h"
#include "gfx/asset_layout.h"
#include "gfx/canvas.h"
#include "gfx/sjis.h"
#include "tools/asset_file.h"
#include "tools/bmp_writer.h"
#include "tools/demo/demo_pictures.h"
#include "tools/demo/paint_kit.h"

namespace velmora {

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw GameError("cannot write " + path.string());
}

}  // namespace

namespace demo {

const QImage& ArtFor(const Art& art, const std::string& name) {
  const auto it = art.find(name);
  if (it == art.end()) throw GameError("the demo has no picture for slot " + name);
  return it->second;
}

}  // namespace demo

std::vector<Picture> DrawDemoPictures() {
  // Text in the pictures is rasterised by QtGui, which needs its application object.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
    throw GameError("drawing the demo pictures needs a QGuiApplication");
  InstallJapaneseFonts();
  demo::Art art;
  demo::DrawOpeningPictures(art);
  demo::DrawTitlePictures(art);
  demo::DrawFramePictures(art);
  demo::DrawTownBackdrop(art);
  demo::DrawTownSprites(art);
  demo::DrawCardSheet(art);
  demo::DrawScenePictures(art);
  demo::DrawPortraitPictures(art);
  demo::DrawCgPictures(art);
  demo::DrawAlbumPictures(art);

  std::vector<Picture> pictures;
  for (const AssetSlot& slot : AssetSlots()) {
    const QImage& image = demo::ArtFor(art, slot.Name);
    Picture picture = slot.BitCount == 8 ? demo::ToMask(image) : demo::ToPicture(image);
    if (picture.Width() != slot.Width || picture.Height() != slot.Height)
      throw GameError(std::string("the demo picture for ") + slot.Name + " has the wrong size");
    pictures.push_back(std::move(picture));
  }
  return pictures;
}

std::vector<uint8_t> DemoAssetFile() {
  std::vector<std::vector<uint8_t>> bmps;
  for (const Picture& p : DrawDemoPictures()) bmps.push_back(WriteBmp(p));
  return BuildAssetFile(bmps, EncodeCp932(DemoScript()));
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
