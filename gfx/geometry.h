#pragma once
// Screen geometry: client pixels, x to the right, y down. A Rect excludes its Right and
// Bottom edges, as every drawing operation of the game takes it.

namespace velmora {

struct Point {
  int X = 0;
  int Y = 0;
  constexpr bool operator==(const Point&) const = default;
};

struct Rect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool IsEmpty() const { return Left >= Right || Top >= Bottom; }
  constexpr Rect Moved(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  constexpr Rect Intersected(const Rect& o) const {
    return {Left > o.Left ? Left : o.Left, Top > o.Top ? Top : o.Top,
            Right < o.Right ? Right : o.Right, Bottom < o.Bottom ? Bottom : o.Bottom};
  }
  constexpr bool operator==(const Rect&) const = default;
};

// A hit area with both ends included, as the pointer tables give them.
constexpr bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace velmora
