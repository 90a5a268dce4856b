#include "town/partner_portrait.h"

#include "app/form.h"
#include "gfx/asset_table.h"
#include "gfx/blend.h"

namespace velmora {

namespace {

// Where the portrait's top-left corner stands on the screen.
constexpr Point kPortraitOrigin{100, 10};

// Frame n of the script: 9 and above name the same faces again, counted from 9.
int FaceFrame(int n) { return n > 8 ? n - 8 : n; }

}  // namespace

void PartnerPortrait::DrawPartnerPortrait(int frame, bool ready, int kind) {
  const GameState& s = form_.State;
  // Only a heroine has a portrait; PortraitSets refuses Partner 0 and anything above 3.
  const PortraitSet& set = AssetTable.PortraitSets[s.Partner];
  // Frames above 8 would need a fourth set for the third heroine, which this edition
  // does not have.
  if (s.Partner == 3 && frame > 8) ThrowRangeError("表情", frame);
  if (kind < 1 || kind > 3) ThrowRangeError("立ち絵の種類", kind);

  // The face is checked against the sheet it is cut from before anything is drawn, so a
  // bad frame number leaves the screen and BackBuffer as they were.
  const int f = FaceFrame(frame);
  const Picture faces = form_.Assets.ReadPicture(set.FaceSheetOffset);
  if (f < 1 || static_cast<int64_t>(set.FaceWidth) * f > faces.Width()) ThrowRangeError("表情", frame);
  const Rect faceSource{set.FaceWidth * (f - 1), 0, set.FaceWidth * f, set.FaceHeight};
  const Rect faceDest = Rect{0, 0, set.FaceWidth, set.FaceHeight}.Moved(kPortraitOrigin.X + set.FaceX,
                                                                        kPortraitOrigin.Y + set.FaceY);

  if (kind == 3) {
    // A change of face only: straight onto the screen, BackBuffer keeps the old face.
    CopyRect(form_.ImageBa.Bitmap, faceDest, faces, faceSource);
    return;
  }

  // The whole portrait, into BackBuffer; the next transition brings it on screen. The
  // work picture and both temporaries are locals, so they go however this ends.
  Picture work(ScreenRect.Width(), ScreenRect.Height());
  if (!ready) form_.Town.DrawScene(2);
  DrawPicture(work, 0, 0, form_.BackBuffer);
  const Picture mask = form_.Assets.ReadPicture(kind == 1 ? set.MaskOffset1 : set.MaskOffset2);
  Picture portrait = form_.Assets.ReadPicture(kind == 1 ? set.PortraitOffset1 : set.PortraitOffset2);
  // The blend reads the mask's bytes as weights pixel for pixel of the portrait.
  if (mask.Format() != PixelFormat::Indexed8 || mask.Width() != portrait.Width() ||
      mask.Height() != portrait.Height())
    throw GameError("立ち絵のマスクが立ち絵と合いません");
  AlphaMaskBlend(work, kPortraitOrigin, mask, portrait);
  DrawPicture(form_.BackBuffer, 0, 0, work);
  CopyRect(form_.BackBuffer, faceDest, faces, faceSource);
}

}  // namespace velmora
