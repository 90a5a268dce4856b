#pragma once
// The test host: a virtual millisecond clock that moves only when the game sleeps or a
// test runs time forward, timers fired in due order, and a record of everything the game
// shows or plays (window paints, message boxes, sounds). A test plays through the whole
// game in milliseconds of real time.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/form.h"
#include "gfx/picture.h"
#include "platform/host.h"

namespace velmora {

class HeadlessHost : public Host {
 public:
  struct Paint {
    uint32_t Time;
    Rect Area;
  };
  struct Sound {
    uint32_t Time;
    std::string Path;
  };

  // Whether anyone looks at the window. A run no one watches (fuzzing) keeps no window
  // pixels (Window() is empty) and tells the game no one sees its frames; paints,
  // messages and sounds are still recorded.
  enum class Watch { Watched, Unwatched };
  // Root is the game's working directory (it holds data/ and wav/).
  explicit HeadlessHost(std::string root, Watch watch = Watch::Watched);
  ~HeadlessHost() override;

  // Serves Path from memory instead of the folder: Base with Layers laid over it.
  void SetMemoryFile(const std::string& path, std::shared_ptr<const std::vector<uint8_t>> base,
                     std::vector<FileStream::Layer> layers, int64_t size);

  // Creates the game and runs its creation handler, as the program entry does.
  TForm1& Start();
  TForm1& Form() { return *form_; }

  // --- driving the game ---
  // Runs the virtual clock forward, firing every timer that falls due on the way.
  void RunFor(uint32_t ms);
  // Runs until no mode change is under way (or Limit ms have passed); true if idle.
  bool RunUntilIdle(uint32_t limit = 10000);
  void Press(int x, int y, MouseButton button = MouseButton::Left);
  void Move(int x, int y);
  void Release(int x, int y, MouseButton button = MouseButton::Left);
  void Click(int x, int y, MouseButton button = MouseButton::Left);
  void ClickMenu(MenuItem& item);
  // Closes the window through its own close command.
  void CloseByWindow();
  // Called after every entry into the game, as a shell's extras are (the save keeper).
  std::function<void()> AfterEntry;

  // --- what the game showed ---
  const Picture& Window() const { return window_; }
  uint32_t WindowPixel(int x, int y) const { return window_.PixelColor(x, y); }
  const std::vector<Paint>& Paints() const { return paints_; }
  const std::vector<std::string>& Messages() const { return messages_; }
  const std::vector<Sound>& Sounds() const { return sounds_; }
  bool Closed() const { return closed_; }
  uint32_t Now() const { return now_; }
  void ClearRecords();

  // --- Host ---
  uint32_t Milliseconds() override { return now_; }
  void Sleep(uint32_t ms) override { now_ += ms; }
  void PaintWindow(const Picture& picture, int x, int y) override;
  bool ShowsFrames() override { return watched_; }
  void ShowMessage(const std::string& text) override { messages_.push_back(text); }
  void PlaySound(const std::string& path) override { sounds_.push_back({now_, path}); }
  bool FileExists(const std::string& path) override;
  std::string ResolvePath(const std::string& path) override;
  std::unique_ptr<FileStream> OpenRead(const std::string& path) override;
  void TimerChanged(const GameTimer& timer) override;
  void MenuChanged(const MenuItem&) override {}
  void WindowChanged() override {}
  void CloseWindow() override;

 private:
  struct TimerSlot {
    bool Enabled = false;
    int Interval = 0;
    uint32_t Due = 0;
    uint64_t Generation = 0;
  };
  template <typename Handler>
  void Entry(Handler&& handler);
  void Present();

  struct MemoryFile {
    std::string Path;
    std::shared_ptr<const std::vector<uint8_t>> Base;
    std::vector<FileStream::Layer> Layers;
    int64_t Size;
  };
  const MemoryFile* FindMemoryFile(const std::string& path) const;

  std::string root_;
  bool watched_;
  std::vector<MemoryFile> memoryFiles_;
  std::unique_ptr<TForm1> form_;
  uint32_t now_ = 0;
  std::array<TimerSlot, 3> timers_{};
  Picture window_;
  std::vector<Paint> paints_;
  std::vector<std::string> messages_;
  std::vector<Sound> sounds_;
  bool closed_ = false;
};

}  // namespace velmora
