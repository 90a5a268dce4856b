#pragma once
// The seam between the game and the desktop. Everything the game needs from outside
// (a clock, painting onto the window, a message box, sound, files, timers and menu items
// that a toolkit shows) goes through this interface. The Qt shell and the headless test
// host implement it.

#include <cstdint>
#include <memory>
#include <string>

#include "gfx/file_stream.h"

namespace velmora {

class GameTimer;
class MenuItem;
class Picture;

class Host {
 public:
  virtual ~Host() = default;

  // The millisecond clock and a short sleep; the wipes pace themselves with these.
  virtual uint32_t Milliseconds() = 0;
  virtual void Sleep(uint32_t ms) = 0;

  // Paints a picture straight onto the window's client area at (x, y), clipped to
  // 640x480 (the wipes draw outside the screen picture). It is on the screen by the
  // host's next clock reading or sleep at the latest, so a wipe step's paints may be
  // shown together when it waits for its deadline.
  virtual void PaintWindow(const Picture& picture, int x, int y) = 0;
  // Whether anyone sees the window's frames as they are painted. A host that runs the
  // game with no one watching (a fuzzing run) says no; the wipes then paint strips of
  // one row, since their pixels go nowhere.
  virtual bool ShowsFrames() { return true; }

  // A modal message box with the given text (UTF-8).
  virtual void ShowMessage(const std::string& text) = 0;

  // Starts playing a WAV file asynchronously; a new effect cuts off the one playing.
  virtual void PlaySound(const std::string& path) = 0;

  // A plain existence test of a path relative to the working directory, and the path
  // to open for it (the same path, or the one that stands for it on this system).
  virtual bool FileExists(const std::string& path) = 0;
  virtual std::string ResolvePath(const std::string& path) = 0;
  // Opens a file for reading (the asset file); raises the game's error when it cannot.
  virtual std::unique_ptr<FileStream> OpenRead(const std::string& path) {
    return FileStream::OpenFile(ResolvePath(path));
  }

  // A timer or a menu item changed; the host mirrors it.
  virtual void TimerChanged(const GameTimer& timer) = 0;
  virtual void MenuChanged(const MenuItem& item) = 0;

  // The window's caption, colour or screen visibility changed.
  virtual void WindowChanged() = 0;
  // Closes the main window, which ends the program.
  virtual void CloseWindow() = 0;

  // A line of story text the game has just drawn (a text page line, a choice, a remark,
  // an ending line), in UTF-8, for players who read with tools. Hosts may ignore it.
  virtual void StoryText(const std::string& line) { (void)line; }
};

}  // namespace velmora

namespace velmora {

// The timer resolution the game's pacing was made for: intervals shorter than one
// display frame tick at most about 64 times a second, so a 1 ms panning timer glides
// instead of racing through a pan in a fifth of a second.
inline constexpr int kCoarseTimerInterval = 16;
constexpr int EffectiveTimerInterval(int interval) {
  return interval < kCoarseTimerInterval ? kCoarseTimerInterval : interval;
}

}  // namespace velmora
