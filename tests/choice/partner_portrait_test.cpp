// The partner's portrait: blended through its mask into BackBuffer, faces cut from the
// face sheet, and requests that name no portrait or no face refused before anything is
// drawn.

#include "choice_fixture.h"

namespace velmora::choice_test {
namespace {

constexpr uint32_t kUnder = 0x204060;     // BackBuffer before the portrait
constexpr uint32_t kPortrait = 0xC8A064;  // the first heroine's portrait, all one colour
constexpr int32_t kMask1 = 12454568, kMask2 = 12643646;
constexpr int32_t kPortrait1 = 13021802;
constexpr int32_t kFaces1 = 14713964, kFaces3 = 15414488;
uint32_t FaceColor(int f) { return 0x101010 * static_cast<uint32_t>(f) + 0x000005; }

// Mask weights by portrait column: 0 left, 128 in the middle band, 255 on the right.
uint8_t MaskAt(int x) { return x < 100 ? 0 : x < 200 ? 128 : 255; }

uint32_t Blend(uint32_t under, uint32_t over, uint32_t a) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t d = (under >> shift) & 0xFF, s = (over >> shift) & 0xFF;
    out |= (((255 - a) * d + a * s) / 255) << shift;
  }
  return out;
}

std::vector<uint8_t> PortraitAsset() {
  std::vector<uint8_t> file = GreyFrameAsset();
  Picture mask(400, 470, PixelFormat::Indexed8);
  // A palette that does not map index to grey: the weights are the bytes themselves.
  for (int i = 0; i < 256; ++i) mask.Palette()[static_cast<size_t>(i)] = static_cast<uint32_t>(255 - i) * 0x010101;
  for (int y = 0; y < 470; ++y)
    for (int x = 0; x < 400; ++x) mask.Row(y)[x] = MaskAt(x);
  PutPicture(file, kMask1, mask);
  Picture portrait(400, 470);
  portrait.Fill(kPortrait);
  PutPicture(file, kPortrait1, portrait);
  Picture faces(959, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 959; ++x) faces.SetPixelColor(x, y, FaceColor(x / 137 + 1));
  PutPicture(file, kFaces1, faces);
  // The second heroine's mask is damaged: it does not start a picture.
  file[static_cast<size_t>(kMask2)] = 'X';
  return file;
}

class PortraitTest : public ChoiceTest {
 protected:
  PortraitTest() : ChoiceTest(PortraitAsset()) {
    form().BackBuffer = Picture(640, 480);
    form().BackBuffer.Fill(kUnder);
    screen().Fill(0x112233);
    state().Partner = 1;
    state().TargetPlace = 5;
  }
};

TEST_F(PortraitTest, WholePortraitIsBlendedIntoBackBufferOnly) {
  for (int kind : {1, 2}) {
    form().BackBuffer.Fill(kUnder);
    const Picture before = screen();
    // Frame 11 names the same face as frame 3.
    form().Portrait.DrawPartnerPortrait(kind == 1 ? 3 : 11, true, kind);
    const Picture& b = form().BackBuffer;
    EXPECT_TRUE(screen() == before) << kind;
    EXPECT_EQ(b.PixelColor(99, 30), kUnder);
    EXPECT_EQ(b.PixelColor(150, 30), kUnder);                        // mask 0
    EXPECT_EQ(b.PixelColor(250, 30), Blend(kUnder, kPortrait, 128));  // mask 128
    EXPECT_EQ(b.PixelColor(400, 30), kPortrait);                      // mask 255
    EXPECT_EQ(b.PixelColor(499, 479), kPortrait);
    EXPECT_EQ(b.PixelColor(500, 100), kUnder);
    EXPECT_EQ(b.PixelColor(400, 9), kUnder);
    // The face, at (100 + 154, 10 + 140), 137 x 128.
    EXPECT_EQ(b.PixelColor(254, 150), FaceColor(3));
    EXPECT_EQ(b.PixelColor(390, 277), FaceColor(3));
    EXPECT_EQ(b.PixelColor(391, 200), kPortrait);
    EXPECT_EQ(b.PixelColor(300, 278), kPortrait);
    EXPECT_EQ(b.PixelColor(253, 200), Blend(kUnder, kPortrait, MaskAt(153)));
  }
  EXPECT_EQ(Blend(0, 255, 128), 128u);
}

TEST_F(PortraitTest, SceneIsRedrawnFirstUnlessReady) {
  form().Portrait.DrawPartnerPortrait(1, false, 1);
  const Picture scene = form().Assets.ReadPicture(AssetTable.ScenePictures[5]);
  const Picture& b = form().BackBuffer;
  EXPECT_EQ(b.PixelColor(50, 50), scene.PixelColor(40, 40));
  EXPECT_EQ(b.PixelColor(400, 30), kPortrait);
  EXPECT_EQ(b.PixelColor(150, 30), scene.PixelColor(140, 20));
  EXPECT_EQ(b.PixelColor(300, 200), FaceColor(1));
}

TEST_F(PortraitTest, FaceChangeTouchesOnlyTheScreen) {
  const Picture back = form().BackBuffer;
  Picture expected = screen();
  for (int y = 150; y < 278; ++y)
    for (int x = 254; x < 391; ++x) expected.SetPixelColor(x, y, FaceColor(7));
  form().Portrait.DrawPartnerPortrait(15, true, 3);  // the last face of the sheet
  EXPECT_TRUE(screen() == expected);
  EXPECT_TRUE(form().BackBuffer == back);

  // The third heroine's eighth face ends exactly at her sheet's right edge.
  state().Partner = 3;
  const Picture faces = form().Assets.ReadPicture(kFaces3);
  form().Portrait.DrawPartnerPortrait(8, true, 3);
  EXPECT_EQ(screen().PixelColor(245, 149), faces.PixelColor(158 * 7, 0));
  EXPECT_EQ(screen().PixelColor(245 + 157, 149 + 126), faces.PixelColor(1263, 126));
  EXPECT_TRUE(form().BackBuffer == back);
  EXPECT_TRUE(host().Messages().empty());
}

TEST_F(PortraitTest, RequestsWithoutAPortraitOrAFaceDrawNothing) {
  struct Request {
    uint8_t partner;
    int frame, kind;
  };
  const Request refused[] = {
      {0, 1, 1}, {0, 1, 3}, {4, 1, 2},  // no heroine, or none of the three
      {3, 9, 3}, {3, 12, 1},            // a fourth set the third heroine does not have
      {1, 0, 3}, {1, -3, 1}, {1, 8, 3}, {1, 16, 2}, {1, 8, 1},  // outside her seven faces
      {2, 7, 3}, {2, 15, 1},                                      // outside the second's six
      {1, 1, 0}, {1, 1, 4},                                       // kinds the portrait has not
  };
  for (const Request& r : refused) {
    state().Partner = r.partner;
    const Picture back = form().BackBuffer;
    const Picture shown = screen();
    EXPECT_THROW(form().Portrait.DrawPartnerPortrait(r.frame, false, r.kind), GameError)
        << int{r.partner} << " " << r.frame << " " << r.kind;
    EXPECT_TRUE(form().BackBuffer == back) << int{r.partner} << " " << r.frame;
    EXPECT_TRUE(screen() == shown) << int{r.partner} << " " << r.frame;
  }
}

TEST_F(PortraitTest, ADamagedMaskLeavesBackBufferAsItWas) {
  state().Partner = 2;
  const Picture back = form().BackBuffer;
  EXPECT_THROW(form().Portrait.DrawPartnerPortrait(1, true, 1), GameError);
  EXPECT_TRUE(form().BackBuffer == back);
  // The face change of the same heroine does not need the mask.
  form().Portrait.DrawPartnerPortrait(1, true, 3);
}

}  // namespace
}  // namespace velmora::choice_test
