#include "gfx/cg_display.h"

#include "app/form.h"
#include "gfx/asset_table.h"

namespace velmora {

namespace {

constexpr int kWindowWidth = 640;   // the visible window into a panned picture
constexpr int kWindowHeight = 480;

// The 640x480 window of a picture with its top-left corner at (X, Y). A window that
// reaches past the picture copies only what lies inside it (CopyRect clips), so a
// picture smaller than the screen never makes us read outside it.
Rect WindowAt(int x, int y) { return {x, y, x + kWindowWidth, y + kWindowHeight}; }

}  // namespace

void CgDisplay::ShowCg() {
  GameState& s = form_.State;
  // The number comes from the script or an album slot: CgTable checks it.
  const CgRecord& cg = AssetTable.CgTable[s.CurrentCg];
  if (cg.PanKind == 0 || cg.PanKind == 3) {
    // Stills: no pan source, and nothing left over from an earlier pan.
    form_.ImageCG.Bitmap.Release();
    form_.Assets.LoadCgPicture(cg.Offset, cg.PanKind == 0 ? 2 : 4);
    s.ScreenMode = 6;  // the still is done; the mode change under way carries mode 6
    return;
  }
  form_.Assets.LoadCgPicture(cg.Offset, 1);
  const Point start = PanStart(cg.PanKind, cg.RestX, form_.ImageCG.Bitmap.Width(), form_.ImageCG.Bitmap.Height());
  s.PanX = start.X;
  s.PanY = start.Y;
  CopyRect(form_.BackBuffer, ScreenRect, form_.ImageCG.Bitmap, WindowAt(s.PanX, s.PanY));
}

void CgDisplay::CG_TimerTimer() {
  GameState& s = form_.State;
  try {
    const CgRecord& cg = AssetTable.CgTable[s.CurrentCg];
    // Straight onto the screen; BackBuffer gets the rest frame when the pan ends.
    CopyRect(form_.ImageBa.Bitmap, ScreenRect, form_.ImageCG.Bitmap, WindowAt(s.PanX, s.PanY));
    if (PanStep(cg.PanKind, form_.ImageCG.Bitmap.Width(), form_.ImageCG.Bitmap.Height(), s.PanX, s.PanY))
      FinishCgPan();
  } catch (...) {
    // A 1 ms timer that fails would report the same error on every tick.
    form_.CG_Timer.SetEnabled(false);
    throw;
  }
}

Point CgDisplay::PanStart(int32_t panKind, int32_t restX, int width, int height) {
  switch (panKind) {
    case 1: return {0, 0};
    case 4: return {width - kWindowWidth, 0};
    case -1: return {width - kWindowWidth, height - kWindowHeight};
    case -4: return {0, height - kWindowHeight};
    case -2: return {restX, height - kWindowHeight};
    default: return {restX, 0};  // downward and the rest start at the rest column, top
  }
}

bool CgDisplay::PanStep(int32_t panKind, int width, int height, int32_t& panX, int32_t& panY) {
  const int maxX = width - kWindowWidth;
  const int maxY = height - kWindowHeight;
  // The diagonal pans test only PanX: their pictures are tall enough for the way down.
  switch (panKind) {
    case 1: panX += 2; panY += 1; return panX > maxX;
    case 4: panX -= 2; panY += 1; return panX <= 0;
    case -1: panX -= 2; panY -= 1; return panX <= 0;
    case -4: panX += 2; panY -= 1; return panX > maxX;
    case -2: panY -= 2; return panY <= 0;
    default: panY += panKind; return panY < 0 || panY > maxY;
  }
}

void CgDisplay::FinishCgPan() {
  GameState& s = form_.State;
  if (form_.CG_Timer.Enabled()) form_.CG_Timer.SetEnabled(false);
  const CgRecord& cg = AssetTable.CgTable[s.CurrentCg];
  // A still shown for "<CG_text>" has no pan source: BackBuffer keeps the still exactly
  // as ShowCg composed it, and that is the frame the next wipe brings up.
  if (!form_.ImageCG.Bitmap.IsEmpty())
    CopyRect(form_.BackBuffer, ScreenRect, form_.ImageCG.Bitmap, WindowAt(cg.RestX, cg.RestY));
  form_.ImageCG.Bitmap.Release();
  s.ScreenMode = 6;
  form_.Modes.BeginModeChange();
}

void CgDisplay::DrawUnseenCgSlots() {
  GameState& s = form_.State;
  // DrawButton draws the slot of CurrentCg, so point it at each unseen slot in turn.
  for (int n = 1; n <= 8; ++n) {
    if (s.CgSeen[n] != 0) continue;
    s.CurrentCg = static_cast<uint8_t>(n);
    form_.Button.DrawButton(0, 6);
  }
  s.CurrentCg = 0;
  s.CgShown = 1;
}

}  // namespace velmora
