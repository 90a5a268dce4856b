#include "demo/demo_art.h"

#include <map>
#include <vector>

#include "gfx/asset_layout.h"
#include "tools/demo/demo_content.h"

namespace velmora::testing {

const Picture& DemoPicture(const std::string& slotName) {
  static const std::map<std::string, Picture> pictures = [] {
    std::map<std::string, Picture> byName;
    std::vector<Picture> drawn = DrawDemoPictures();
    for (size_t i = 0; i < drawn.size() && i < AssetSlots().size(); ++i)
      byName[AssetSlots()[i].Name] = std::move(drawn[i]);
    return byName;
  }();
  return pictures.at(slotName);
}

Picture Cut(const Picture& picture, const Rect& area) {
  Picture cell(area.Width(), area.Height(), picture.Format());
  cell.Palette() = picture.Palette();
  CopyRect(cell, cell.Bounds(), picture, area);
  return cell;
}

bool KeyOnlyAroundTheFigure(const Picture& cell, uint32_t key) {
  const int w = cell.Width(), h = cell.Height();
  std::vector<char> reached(static_cast<size_t>(w * h), 0);
  std::vector<Point> todo;
  auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    char& seen = reached[static_cast<size_t>(y * w + x)];
    if (seen || cell.PixelColor(x, y) != key) return;
    seen = 1;
    todo.push_back({x, y});
  };
  for (int x = 0; x < w; ++x) visit(x, 0), visit(x, h - 1);
  for (int y = 0; y < h; ++y) visit(0, y), visit(w - 1, y);
  while (!todo.empty()) {
    const Point p = todo.back();
    todo.pop_back();
    visit(p.X + 1, p.Y), visit(p.X - 1, p.Y), visit(p.X, p.Y + 1), visit(p.X, p.Y - 1);
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (cell.PixelColor(x, y) == key && !reached[static_cast<size_t>(y * w + x)]) return false;
  return true;
}

int DifferingPixels(const Picture& a, const Picture& b) {
  int n = 0;
  for (int y = 0; y < a.Height() && y < b.Height(); ++y)
    for (int x = 0; x < a.Width() && x < b.Width(); ++x) n += a.PixelColor(x, y) != b.PixelColor(x, y);
  return n;
}

int Luma(uint32_t c) { return (299 * ((c >> 16) & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * (c & 0xFF)) / 1000; }

}  // namespace velmora::testing
