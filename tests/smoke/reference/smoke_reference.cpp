// Renders, on the headless host, what the real window must show at the two moments the
// desktop smoke test looks at: the settled title screen, and the opening scene's first
// text page after a click on the title's first button. Both come out as 640x480 PNGs, so
// the test can compare them with screenshots of the real program pixel for pixel.
//
//   smoke_reference GAME_DIR OUT_DIR   writes OUT_DIR/title.png and OUT_DIR/first_page.png

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

// Saves what the headless window shows, one pixel per game pixel.
bool SaveWindow(const velmora::HeadlessHost& host, const std::string& path) {
  QImage image(640, 480, QImage::Format_RGB32);
  image.fill(Qt::black);
  velmora::DrawPictureOnImage(image, 0, 0, host.Window());
  if (image.save(QString::fromStdString(path), "PNG")) return true;
  std::fprintf(stderr, "smoke_reference: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: smoke_reference GAME_DIR OUT_DIR\n");
    return 2;
  }
  // Text is rasterised by QtGui; no display is needed for that.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  // The same face substitutions as the real program, so the text comes out the same.
  velmora::InstallJapaneseFonts();
  const std::string out = argv[2];

  velmora::HeadlessHost host(argv[1]);
  host.Start();
  if (!host.Messages().empty()) {
    std::fprintf(stderr, "smoke_reference: the game said: %s\n", host.Messages().front().c_str());
    return 1;
  }
  host.RunFor(500);  // the opening picture
  host.RunUntilIdle();  // the title's wipe and settle
  if (host.Form().State.ScreenMode != 1 || !SaveWindow(host, out + "/title.png")) return 1;

  host.Click(320, 198);  // "new game"
  host.RunUntilIdle();
  if (host.Form().State.ScreenMode != 6 || !SaveWindow(host, out + "/first_page.png")) return 1;
  return 0;
}
