// Plays the game natively on a Wayland compositor and checks what reaches the screen.
// Wayland lets no program move another's pointer, so the player's click comes from
// inside: this is the real window, set up as the program entry sets it up, with a
// watcher on the same event loop that waits for each screen and clicks like a player.
// What the compositor shows is read back through its screenshooter (weston-screenshooter)
// and compared, pixel for pixel, with the window's own picture and with the headless
// host's rendering of the same screen.
//
//   wayland_session GAME_DIR REFERENCE_DIR SHOT_DIR
//     REFERENCE_DIR holds title.png and first_page.png (smoke_reference); screenshots are
//     taken in SHOT_DIR. Prints each step; exit status 0 when all were seen, 1 otherwise.
//   wayland_session --find SCREENSHOT PICTURE
//     only says whether PICTURE appears whole in SCREENSHOT (exit status 0) or not (1).

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

#include "app/form.h"
#include "gfx/canvas.h"
#include "platform/qt/game_window.h"
#include "platform/qt/save_keys.h"

namespace {

using namespace velmora;

constexpr int kScreenshotLimitMs = 10000;

QImage Rgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

bool SameRows(const QImage& screen, int x, int y, const QImage& picture, int fromRow, int toRow) {
  const size_t bytes = static_cast<size_t>(picture.width()) * 4;
  for (int row = fromRow; row < toRow; ++row) {
    const auto* seen = reinterpret_cast<const QRgb*>(screen.constScanLine(y + row)) + x;
    if (std::memcmp(seen, picture.constScanLine(row), bytes) != 0) return false;
  }
  return true;
}

// Where Picture appears whole, pixel for pixel, in Screen (both Format_RGB32); the
// compositor puts a new window where it likes, so every place is tried.
std::optional<QPoint> FindPicture(const QImage& screen, const QImage& picture) {
  for (int y = 0; y + picture.height() <= screen.height(); ++y)
    for (int x = 0; x + picture.width() <= screen.width(); ++x)
      if (SameRows(screen, x, y, picture, 0, 1) && SameRows(screen, x, y, picture, 1, picture.height()))
        return QPoint(x, y);
  return std::nullopt;
}

// What the compositor shows now, through its screenshooter. The event loop stands
// still meanwhile, so the game cannot move on while the picture is taken.
std::optional<QImage> Screenshot(const QString& folder, QString& problem) {
  QDir dir(folder);
  for (const QString& old : dir.entryList({"*.png"}, QDir::Files)) dir.remove(old);
  QProcess shooter;
  shooter.setWorkingDirectory(folder);
  shooter.start(QStringLiteral("weston-screenshooter"), {});
  if (!shooter.waitForFinished(kScreenshotLimitMs) || shooter.exitStatus() != QProcess::NormalExit ||
      shooter.exitCode() != 0) {
    problem = QStringLiteral("weston-screenshooter failed: ") + shooter.errorString() + " " +
              QString::fromLocal8Bit(shooter.readAllStandardError()).trimmed();
    return std::nullopt;
  }
  const QStringList shots = dir.entryList({"*.png"}, QDir::Files);
  if (shots.isEmpty()) {
    problem = QStringLiteral("weston-screenshooter wrote no picture");
    return std::nullopt;
  }
  QImage shot(dir.filePath(shots.first()));
  if (shot.isNull()) {
    problem = QStringLiteral("the screenshot cannot be read");
    return std::nullopt;
  }
  return Rgb32(shot);
}

void Click(QWidget& widget, QPointF at) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
  }
}

bool AllBlack(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (qRed(row[x]) | qGreen(row[x]) | qBlue(row[x])) return false;
  }
  return true;
}

// One thing the session waits for, then checks, then does.
struct Step {
  const char* What;
  std::function<bool()> Reached;
  std::function<bool(QString&)> Check;  // on the screen as it should be; else says why
};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--find") == 0) {
    const QImage shot(QString::fromLocal8Bit(argv[2]));
    const QImage picture(QString::fromLocal8Bit(argv[3]));
    if (shot.isNull() || picture.isNull()) return 2;
    const std::optional<QPoint> at = FindPicture(Rgb32(shot), Rgb32(picture));
    if (at) std::printf("%s is on the screen at (%d,%d)\n", argv[3], at->x(), at->y());
    return at ? 0 : 1;
  }
  if (argc != 4) {
    std::fprintf(stderr, "usage: wayland_session GAME_DIR REFERENCE_DIR SHOT_DIR | --find SCREENSHOT PICTURE\n");
    return 2;
  }
  QApplication app(argc, argv);
  if (QGuiApplication::platformName() != QLatin1String("wayland")) {
    std::fprintf(stderr, "wayland_session: Qt runs on '%s', not natively on Wayland\n",
                 qPrintable(QGuiApplication::platformName()));
    return 1;
  }
  // As the program entry does.
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  QGuiApplication::setDesktopFileName(QStringLiteral("velmora"));
  // Absolute: the game runs in its own folder.
  const QString references = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
  const QString shots = QDir(QString::fromLocal8Bit(argv[3])).absolutePath();
  const QImage title = Rgb32(QImage(references + "/title.png"));
  const QImage firstPage = Rgb32(QImage(references + "/first_page.png"));
  if (title.isNull() || firstPage.isNull()) {
    std::fprintf(stderr, "wayland_session: no reference pictures in %s\n", argv[2]);
    return 2;
  }
  if (!QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "wayland_session: the game folder %s cannot be opened\n", argv[1]);
    return 2;
  }
  InstallJapaneseFonts();
  GameWindow window;
  window.Start();
  SaveKeys saves(window);
  window.show();
  TForm1& form = window.Form();
  ScreenWidget& screen = window.Screen();

  // The compositor shows Expected (and the window's own picture is it).
  const auto onScreen = [&](const QImage& expected, QString& problem) {
    if (Rgb32(screen.Surface()) != expected) {
      problem = QStringLiteral("the window's own picture is not the expected one");
      return false;
    }
    const std::optional<QImage> shot = Screenshot(shots, problem);
    if (!shot) return false;
    if (const std::optional<QPoint> at = FindPicture(*shot, expected)) {
      std::printf("  seen by the compositor at (%d,%d)\n", at->x(), at->y());
      return true;
    }
    shot->save(shots + "/unmatched.png");
    problem = QStringLiteral("the compositor's screen does not show it (kept as unmatched.png)");
    return false;
  };
  const auto settled = [&](int mode) { return form.State.ScreenMode == mode && !form.G_Timer.Enabled(); };
  const Step steps[] = {
      {"the window is open", [&] { return window.windowHandle() && window.windowHandle()->isExposed(); },
       [](QString&) { return true; }},
      // The opening picture is up while the mode timer waits its second for the title.
      {"the opening picture",
       [&] { return form.G_Timer.Enabled() && form.G_Timer.Interval() == 1000 && !AllBlack(screen.Surface()); },
       [&](QString& problem) { return onScreen(Rgb32(screen.Surface()), problem); }},
      {"the title", [&] { return settled(1); }, [&](QString& problem) { return onScreen(title, problem); }},
      {"the new game's first page after a click on the title's first button",
       [&] { return settled(6) && Rgb32(screen.Surface()) == firstPage; },
       [&](QString& problem) { return onScreen(firstPage, problem); }},
  };

  size_t next = 0;
  int status = 1;
  QElapsedTimer clock;
  clock.start();
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!steps[next].Reached()) return;
    // Give the last paint time to reach the compositor.
    watch.stop();
    QTimer::singleShot(150, [&] {
      QString problem;
      if (!steps[next].Check(problem)) {
        std::fprintf(stderr, "wayland_session: %s: %s\n", steps[next].What, qPrintable(problem));
        QApplication::exit(1);
        return;
      }
      std::printf("%s, after %lld ms\n", steps[next].What, static_cast<long long>(clock.elapsed()));
      std::fflush(stdout);
      if (++next == std::size(steps)) {
        status = 0;
        window.close();  // the game's own close handler runs
        QApplication::quit();
        return;
      }
      // The title takes clicks once it has settled; a player's click on "new game".
      if (settled(1)) Click(screen, QPointF(320, 198));
      watch.start();
    });
  });
  watch.start(20);
  QTimer::singleShot(30000, [&] {
    std::fprintf(stderr, "wayland_session: waited 30 s for %s (screen mode %d, mode timer %s, window %s)\n",
                 steps[next].What, form.State.ScreenMode, form.G_Timer.Enabled() ? "on" : "off",
                 AllBlack(screen.Surface()) ? "black" : "not black");
    QApplication::exit(1);
  });
  const int loop = QApplication::exec();
  return status == 0 ? loop : 1;
}
