#include "platform/headless/headless_host.h"

#include <filesystem>

#include "gfx/canvas.h"
#include "platform/case_insensitive_path.h"
#include "platform/entry.h"

namespace velmora {

namespace {
constexpr Rect kWindowArea{0, 0, 640, 480};
}  // namespace

HeadlessHost::HeadlessHost(std::string root, Watch watch)
    : root_(std::move(root)), watched_(watch == Watch::Watched) {
  if (watched_) window_ = Picture(kWindowArea.Width(), kWindowArea.Height(), PixelFormat::Bgrx32);
  InstallJapaneseFonts();
}

HeadlessHost::~HeadlessHost() = default;

TForm1& HeadlessHost::Start() {
  form_ = std::make_unique<TForm1>(*this);
  Entry([&] { form_->FormCreate(); });
  return *form_;
}

template <typename Handler>
void HeadlessHost::Entry(Handler&& handler) {
  if (closed_ || !form_) return;
  RunEntry(*this, handler);
  Present();
  form_->Feed.Settle();
  if (AfterEntry) AfterEntry();
}

void HeadlessHost::Present() {
  if (!form_ || !watched_) return;
  if (form_->ImageBa.Visible && !form_->ImageBa.Bitmap.IsEmpty())
    CopyRect(window_, window_.Bounds(), form_->ImageBa.Bitmap, window_.Bounds());
  else
    window_.Fill(kBlack);
}

void HeadlessHost::RunFor(uint32_t ms) {
  const uint32_t end = now_ + ms;
  while (!closed_) {
    int next = -1;
    for (int i = 0; i < 3; ++i) {
      const TimerSlot& t = timers_[static_cast<size_t>(i)];
      if (t.Enabled && t.Due <= end && (next < 0 || t.Due < timers_[static_cast<size_t>(next)].Due)) next = i;
    }
    if (next < 0) break;
    TimerSlot& slot = timers_[static_cast<size_t>(next)];
    if (slot.Due > now_) now_ = slot.Due;
    const uint64_t generation = slot.Generation;
    const uint32_t due = slot.Due;
    Entry([&] { form_->TimerTick(static_cast<TimerId>(next)); });
    // A timer left running ticks again one interval after its last due time; one that
    // fell behind (a wipe blocked the loop) ticks at once, without a backlog.
    if (slot.Enabled && slot.Generation == generation) {
      slot.Due = due + static_cast<uint32_t>(EffectiveTimerInterval(slot.Interval));
      if (slot.Due < now_) slot.Due = now_;
    }
  }
  if (now_ < end) now_ = end;
}

bool HeadlessHost::RunUntilIdle(uint32_t limit) {
  const uint32_t end = now_ + limit;
  while (form_ && form_->G_Timer.Enabled() && now_ < end && !closed_) RunFor(1);
  return form_ && !form_->G_Timer.Enabled();
}

void HeadlessHost::Press(int x, int y, MouseButton button) {
  Entry([&] { form_->ImageBaMouseDown(button, x, y); });
}

void HeadlessHost::Move(int x, int y) {
  Entry([&] { form_->ImageBaMouseMove(x, y); });
}

void HeadlessHost::Release(int x, int y, MouseButton button) {
  Entry([&] { form_->ImageBaMouseUp(button, x, y); });
}

void HeadlessHost::Click(int x, int y, MouseButton button) {
  Press(x, y, button);
  Release(x, y, button);
}

void HeadlessHost::ClickMenu(MenuItem& item) {
  Entry([&] { form_->MenuClick(item); });
}

void HeadlessHost::CloseByWindow() { Entry([&] { CloseWindow(); }); }

void HeadlessHost::ClearRecords() {
  paints_.clear();
  messages_.clear();
  sounds_.clear();
}

void HeadlessHost::PaintWindow(const Picture& picture, int x, int y) {
  if (watched_) DrawPicture(window_, x, y, picture);
  paints_.push_back({now_, Rect{x, y, x + picture.Width(), y + picture.Height()}.Intersected(kWindowArea)});
}

void HeadlessHost::SetMemoryFile(const std::string& path, std::shared_ptr<const std::vector<uint8_t>> base,
                                 std::vector<FileStream::Layer> layers, int64_t size) {
  memoryFiles_.push_back({path, std::move(base), std::move(layers), size});
}

const HeadlessHost::MemoryFile* HeadlessHost::FindMemoryFile(const std::string& path) const {
  for (const MemoryFile& file : memoryFiles_)
    if (file.Path == path) return &file;
  return nullptr;
}

std::unique_ptr<FileStream> HeadlessHost::OpenRead(const std::string& path) {
  if (const MemoryFile* file = FindMemoryFile(path)) return FileStream::FromLayers(file->Base, file->Layers, file->Size);
  return Host::OpenRead(path);
}

bool HeadlessHost::FileExists(const std::string& path) {
  if (FindMemoryFile(path)) return true;
  std::error_code error;
  return std::filesystem::is_regular_file(ResolvePath(path), error);
}

std::string HeadlessHost::ResolvePath(const std::string& path) {
  // Game folders copied from a system that ignores letter case may spell DATA/QELVART.RED.
  return root_ + "/" + FindPathIgnoringCase(root_, path);
}

void HeadlessHost::TimerChanged(const GameTimer& timer) {
  TimerSlot& slot = timers_[static_cast<size_t>(timer.Id())];
  slot.Enabled = timer.Enabled();
  slot.Interval = timer.Interval();
  slot.Due = now_ + static_cast<uint32_t>(EffectiveTimerInterval(timer.Interval()));
  ++slot.Generation;
}

void HeadlessHost::CloseWindow() {
  if (closed_) return;
  closed_ = true;
  form_->FormClose();
}

}  // namespace velmora
