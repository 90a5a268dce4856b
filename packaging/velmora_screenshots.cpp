// velmora_screenshots GAME_DIR OUT_DIR: plays the game in GAME_DIR on the headless host, as
// a player would with the mouse, and saves four moments as 640x480 PNGs for software
// centres: OUT_DIR/velmora-title.png (the settled title screen), velmora-story.png (the
// opening's last page over its full-screen picture), velmora-town.png (its last page in the
// town frame, with the status panel) and velmora-photo.png (the photo game's cards dealt).
// The virtual clock makes every run draw the same pictures.

#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>
#include <string>

#include "app/form.h"
#include "gfx/canvas.h"
#include "platform/headless/headless_host.h"
#include "platform/qt/picture_image.h"

namespace {

using velmora::HeadlessHost;

// Where a player clicks: the title's "new game", and the page button in the town frame
// and over a full-screen picture.
constexpr int kNewGameX = 320, kNewGameY = 198;
constexpr int kPageX = 460, kPageY = 450;
constexpr int kPageOverPictureX = 570, kPageOverPictureY = 445;
// More page clicks than the opening has pages; reaching it means the story went elsewhere.
constexpr int kMostPages = 200;

// Runs the clock until no wipe, pan or card turn is under way.
void Settle(HeadlessHost& host) {
  for (int step = 0; step < 100000; ++step) {
    velmora::TForm1& form = host.Form();
    if (host.Closed()) return;
    if (!form.G_Timer.Enabled() && !form.CG_Timer.Enabled() && !form.Play_Timer.Enabled()) return;
    host.RunFor(10);
  }
}

void ClickAndSettle(HeadlessHost& host, int x, int y) {
  host.Move(x, y);
  host.Click(x, y);
  Settle(host);
}

// What the headless window shows, one pixel per game pixel.
QImage Grab(const HeadlessHost& host) {
  QImage image(640, 480, QImage::Format_RGB32);
  image.fill(Qt::black);
  velmora::DrawPictureOnImage(image, 0, 0, host.Window());
  return image;
}

bool Save(const QImage& image, const std::string& path) {
  if (image.save(QString::fromStdString(path), "PNG")) return true;
  std::fprintf(stderr, "velmora_screenshots: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: velmora_screenshots GAME_DIR OUT_DIR\n");
    return 2;
  }
  // Text is rasterised by QtGui; no display is needed for that.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  // The same face substitutions as the real program, so the text comes out the same.
  velmora::InstallJapaneseFonts();
  const std::string out = std::string(argv[2]) + "/";

  HeadlessHost host(argv[1]);
  host.Start();
  host.RunFor(500);  // the opening picture
  Settle(host);      // the title's wipe and settle
  if (!host.Messages().empty()) {
    std::fprintf(stderr, "velmora_screenshots: the game said: %s\n", host.Messages().front().c_str());
    return 1;
  }
  if (host.Form().State.ScreenMode != 1) {
    std::fprintf(stderr, "velmora_screenshots: the title did not come\n");
    return 1;
  }
  if (!Save(Grab(host), out + "velmora-title.png")) return 1;

  // A new game, read page by page up to the photo game that ends the opening, keeping the
  // last page shown over a picture and the last one in the town frame.
  ClickAndSettle(host, kNewGameX, kNewGameY);
  QImage storyPage, townPage;
  for (int page = 0;; ++page) {
    const velmora::GameState& state = host.Form().State;
    if (state.ScreenMode == 3 && state.GamePhase == 1) break;
    if (page == kMostPages || host.Closed() || !host.Messages().empty()) {
      std::fprintf(stderr, "velmora_screenshots: the opening did not lead to the photo game\n");
      return 1;
    }
    if (state.ScreenMode == 6) (state.CgShown != 0 ? storyPage : townPage) = Grab(host);
    if (state.CgShown != 0)
      ClickAndSettle(host, kPageOverPictureX, kPageOverPictureY);
    else
      ClickAndSettle(host, kPageX, kPageY);
  }
  if (storyPage.isNull() || townPage.isNull()) {
    std::fprintf(stderr, "velmora_screenshots: the opening showed no page over a picture or in the town\n");
    return 1;
  }
  if (!Save(storyPage, out + "velmora-story.png") || !Save(townPage, out + "velmora-town.png") ||
      !Save(Grab(host), out + "velmora-photo.png"))
    return 1;
  return 0;
}
