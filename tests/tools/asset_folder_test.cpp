// Taking an asset file apart into PNGs and a UTF-8 script, and building it back: byte for
// byte the same file, and plain words for every picture or script line that does not fit.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/game_error.h"
#include "gfx/asset_layout.h"
#include "gfx/asset_table.h"
#include "support/fixtures.h"
#include "tools/asset_folder.h"
#include "tools/bmp_corpus.h"
#include "tools/script_encoding.h"
#include "tools/tool_run.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::DemoAssetBytes;
using testing::ScratchDir;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {bytes.begin(), bytes.end()};
}

// What building from Dir with Script says, or "" when it builds.
std::string BuildProblems(const fs::path& dir, const fs::path& script) {
  try {
    BuildAssetFileFromFolder(dir, script);
  } catch (const GameError& e) {
    return e.what();
  }
  return "";
}

TEST(AssetFolder, TheDemoAndFilesBuiltFromBmpsComeBackByteForByte) {
  const fs::path demo = tools_test::ExtractedDemo();
  // Masks are 8-bit grey PNGs, everything else true colour, each the slot's size.
  for (const AssetSlot& slot : AssetSlots()) {
    const QImage image(QString::fromStdString((demo / (std::string(slot.Name) + ".png")).string()));
    ASSERT_FALSE(image.isNull()) << slot.Name;
    EXPECT_EQ(image.size(), QSize(slot.Width, slot.Height)) << slot.Name;
    EXPECT_EQ(image.format() == QImage::Format_Grayscale8, slot.BitCount == 8) << slot.Name;
  }
  const std::string manifest = ReadText(demo / kManifestFileName);
  EXPECT_NE(manifest.find("mask_1 12454568 400x470 8\n"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find("script 24761012 "), std::string::npos) << manifest;

  ScratchDir out;
  const fs::path rebuilt = fs::path(out.Path()) / "rebuilt.red";
  const tools_test::ToolRun build =
      tools_test::RunTool("qelvart_build", {demo.string(), (demo / kScriptFileName).string(), rebuilt.string()});
  ASSERT_EQ(build.Status, 0) << build.Output;
  EXPECT_TRUE(ReadText(rebuilt) == ReadText(tools_test::DemoAssetPath())) << "the rebuilt file differs from the demo";

  // A BMP from another editor (no resolution, no image size in its header) in place of a
  // PNG: the built file is in the game's own BMP form, and comes back the same.
  const fs::path mixed = fs::path(out.Path()) / "mixed";
  fs::copy(demo, mixed);
  fs::remove(mixed / "scene_park.png");
  std::vector<uint8_t> bmp = ValidBmp(500, 460, 24);
  for (const size_t field : {34u, 38u, 42u}) Put32At(bmp, field, 0);
  out.Write("mixed/scene_park.bmp", bmp);
  const std::vector<uint8_t> fromBmps = BuildAssetFileFromFolder(mixed, mixed / kScriptFileName);
  const fs::path again = fs::path(out.Path()) / "again";
  const ExtractReport report = ExtractAssetFile(fromBmps, again);
  EXPECT_TRUE(report.Problems.empty() && report.Notes.empty());
  EXPECT_TRUE(BuildAssetFileFromFolder(again, again / kScriptFileName) == fromBmps);
}

TEST(AssetFolder, AnUnreadableSlotIsNamedAndTheRestAreWritten) {
  // The title backdrop's header spoilt, and the file cut off inside the album backdrop.
  std::vector<uint8_t> file(DemoAssetBytes().begin(), DemoAssetBytes().begin() + 2000000);
  file[957708] = 'X';
  ScratchDir dir;
  const ExtractReport report = ExtractAssetFile(file, dir.Path());
  EXPECT_TRUE(fs::exists(fs::path(dir.Path()) / "opening_logo.png"));
  EXPECT_TRUE(fs::exists(fs::path(dir.Path()) / "plain_backdrop.png"));
  EXPECT_FALSE(fs::exists(fs::path(dir.Path()) / "title_backdrop.png"));
  ASSERT_GE(report.Problems.size(), 3u);
  EXPECT_EQ(report.Problems[0].rfind("title_backdrop was not written: it is not a picture the game can read", 0), 0u)
      << report.Problems[0];
  EXPECT_EQ(report.Problems[1], "album_backdrop was not written: it runs past the end of the file");
  EXPECT_EQ(report.Problems.back(), "the script was not written: there is none after the pictures");
}

TEST(AssetFolder, EveryPictureOrLineThatDoesNotFitIsRefusedInPlainWords) {
  ScratchDir dir;
  QImage small(10, 10, QImage::Format_RGB888);
  small.fill(Qt::white);
  dir.Write("opening_logo.png", Png(small));
  QImage redMask(400, 470, QImage::Format_RGB32);
  redMask.fill(Qt::white);
  redMask.setPixel(3, 2, qRgb(255, 0, 0));
  dir.Write("mask_1.png", Png(redMask));
  QImage seeThrough(640, 480, QImage::Format_ARGB32);
  seeThrough.fill(qRgba(0, 0, 0, 0));
  dir.Write("plain_backdrop.png", Png(seeThrough));
  dir.Write("title_backdrop.png", ValidBmp(640, 480, 24));
  dir.Write("title_backdrop.bmp", ValidBmp(640, 480, 24));
  dir.Write("album_backdrop.png", std::string("not a picture"));
  // A grey 24-bit BMP is a good mask; an 8-bit BMP a good backdrop.
  dir.Write("mask_2.bmp", ValidBmp(400, 470, 8));
  dir.Write("town_backdrop.bmp", ValidBmp(640, 480, 8));
  dir.Write("script.txt", std::string("*OP\nBL\nA line\n한 and 😀\n*next_ba\n"));

  const std::string problems = BuildProblems(dir.Path(), fs::path(dir.Path()) / "script.txt");
  for (const char* expected : {
           "opening_logo.png is 10x10 pixels; the slot opening_logo needs 300x40\n",
           "mask_1.png is not grey: the pixel at (3, 2) is #FF0000.",
           "plain_backdrop.png has see-through pixels, the first at (0, 0)",
           "both title_backdrop.png and title_backdrop.bmp are there; keep only the one you mean\n",
           "album_backdrop.png is neither a PNG nor a BMP picture that can be read\n",
           "no picture for the slot page_button: put page_button.png or page_button.bmp in ",
           "script.txt line 4, column 1: '한' cannot be written in the game's Japanese text encoding (code page 932)\n",
           "script.txt line 4, column 7: '😀' cannot be written",
       })
    EXPECT_NE(problems.find(expected), std::string::npos) << expected << "\nin:\n" << problems;
  EXPECT_EQ(problems.find("mask_2"), std::string::npos) << problems;
  EXPECT_EQ(problems.find("town_backdrop"), std::string::npos) << problems;
  EXPECT_EQ(problems.find("column 2:"), std::string::npos) << "one report per character:\n" << problems;

  // Bytes that are no UTF-8 at all, and a byte-order mark an editor put in front.
  EXPECT_THROW(
      {
        try {
          EncodeScriptText("*OP\n\x82\xA0\n", "s.txt");
        } catch (const GameError& e) {
          EXPECT_STREQ(e.what(), "s.txt line 2, column 1: these bytes are not UTF-8 text; save the script as UTF-8\n");
          throw;
        }
      },
      GameError);
  EXPECT_EQ(EncodeScriptText("\xEF\xBB\xBF*OP\n春\n", "s.txt"), "*OP\n\x8F\x74\n");
}

}  // namespace
}  // namespace velmora
