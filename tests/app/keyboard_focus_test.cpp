// Keyboard focus on the map and the cards goes where the arrow points (reading order, the
// first arrow, hiding and new screens are played in the shell's focus ring test).
#include <gtest/gtest.h>

#include "app/keyboard_focus.h"

namespace velmora {
namespace {

using D = FocusDirection;

LiveTarget Place(int id, int x, int y) { return {TargetKind::Place, id, {x, y}, {}, std::to_string(id), false}; }

int FocusedId(const KeyboardFocus& focus) { return focus.Focused() ? focus.Focused()->Id : 0; }

TEST(KeyboardFocus, OnTheMapArrowsGoWhereTheyPoint) {
  //        11 (300,100)
  // 12 (100,200)  13 (300,200)  14 (500,210)
  //        15 (320,400)          16 (560,420)
  const std::vector<LiveTarget> map = {Place(11, 300, 100), Place(12, 100, 200), Place(13, 300, 200),
                                       Place(14, 500, 210), Place(15, 320, 400), Place(16, 560, 420)};
  struct Case {
    std::vector<D> Path;  // from the first target, 11
    int From;
    D Key;
    int To;  // 0: stays
  };
  const Case cases[] = {{{D::Down}, 13, D::Up, 11},          {{D::Down}, 13, D::Left, 12},
                        {{D::Down}, 13, D::Right, 14},       {{D::Down}, 13, D::Down, 15},
                        {{D::Down, D::Down}, 15, D::Right, 16}, {{D::Down, D::Right}, 14, D::Down, 16},
                        {{}, 11, D::Up, 0},                  {{D::Down, D::Left}, 12, D::Left, 0}};
  for (const Case& c : cases) {
    KeyboardFocus focus;
    focus.Update(7, map);
    focus.Move(D::Down);  // shows the focus on the first target
    for (const D d : c.Path) focus.Move(d);
    ASSERT_EQ(FocusedId(focus), c.From);
    EXPECT_EQ(focus.Move(c.Key), c.To != 0);
    EXPECT_EQ(FocusedId(focus), c.To != 0 ? c.To : c.From) << c.From << " key " << static_cast<int>(c.Key);
  }
}

}  // namespace
}  // namespace velmora
