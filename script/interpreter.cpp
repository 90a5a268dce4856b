#include "script/interpreter.h"

#include <limits>

#include "app/form.h"
#include "gfx/asset_table.h"

namespace velmora {

namespace {

// Command numbers of the tag table.
enum Command {
  kNoTag = 0,
  kScene = 1,      // "<B>"
  kCg = 2,         // "<CG>"
  kCgText = 3,     // "<CG_text>"
  kBlank = 4,      // "BL"
  kPortrait = 5,   // "<Aite_f>"
  kPortraitH = 6,  // "<Aite_h>"
  kNoPortrait = 7, // "<Aite0>"
  kChoice = 8,     // "<Sentaku>"
  kPhotoGame = 9,  // "<Game>"
  kNextPlace = 10, // "*next_ba"
  kNextTime = 11,  // "*next_time"
  kNextEvent = 12, // "*ending"
  kEnd = 13,       // "*end"
  kFaceChange = 14 // "<f_Change>"
};

// The scene number "<B>" takes for the plain backdrop instead of a scene picture.
constexpr int32_t kPlainScene = 14;

// Frames on each heroine's face sheet; frame numbers above 8 name the same frames again.
constexpr int32_t kFaceFrames[] = {7, 6, 8};

}  // namespace

bool Interpreter::IsChoiceSet(int32_t set) { return set == 2 || set == 3 || set == 6; }

bool Interpreter::IsPortraitFrame(int partner, int32_t frame) {
  if (partner < 1 || partner > 3) return false;
  // Frames 9 and up name frames 1.. again; heroine 3's sheet is full at 8, so a higher
  // number would ask for a fourth portrait set that does not exist.
  const int32_t face = frame > 8 ? frame - 8 : frame;
  const bool fourthSet = partner == 3 && frame > 8;
  return face >= 1 && face <= kFaceFrames[partner - 1] && !fourthSet;
}

void Interpreter::RunScriptCommand(int tag) {
  GameState& s = form_.State;
  if (tag < kNoTag || tag > kFaceChange) ThrowRangeError("タグ", tag);
  bool start = false;
  if (tag == kNoTag) {
    if (s.ModeArg == 2 || s.ScriptPos != 0) return;  // a block is under way, or the album's view
    s.ScriptPos = static_cast<uint16_t>(form_.Script.EventLabelLine(s.CurrentEvent));
    tag = ScriptText::TagIndex(form_.ScriptLines[s.ScriptPos]);
    start = true;
    // Commands that draw over the town scene need it in BackBuffer first; this comes
    // before TownPhase leaves 4, so a block reached by a choice draws the choice's scene.
    if (tag >= kPortrait) form_.Town.DrawScene(0);
    if (s.TownPhase == 4) s.TownPhase = 3;
  }
  // Past the tag line; a block whose first line is no tag never shows that line.
  AdvanceScriptPos(1);
  const bool modeChange = RunCommand(tag, start);
  // At a block's start the enter phase that called is about to play the transition.
  if (modeChange && !start) form_.Modes.BeginModeChange();
}

bool Interpreter::RunCommand(int tag, bool start) {
  GameState& s = form_.State;
  switch (tag) {
    case kNoTag:
      form_.Town.DrawScene(0);
      return true;
    case kScene: {
      const int32_t scene = ReadArgument();
      if (!AssetTable.ScenePictures.Contains(scene)) ThrowRangeError("シーン", scene);
      if (scene == kPlainScene) {
        form_.Assets.DrawAssetRect(SceneRect, SceneRect, PlainBackdrop, 1);
        if (s.ChoiceSet > 2 && (s.Partner == 1 || s.Partner == 2)) form_.Portrait.DrawPartnerPortrait(5, true, 2);
      } else {
        const auto placeScene = static_cast<uint8_t>(PlaceTable[s.CurrentPlace].PlaceKind);
        if (scene != placeScene && scene != s.TargetPlace) {
          s.TimeSlot += 1;
          s.Points -= 10;
        }
        s.TargetPlace = static_cast<uint8_t>(scene);
        form_.Town.DrawScene(2);
      }
      s.CgShown = 0;
      return true;
    }
    case kCg: {
      const int32_t cg = ReadArgument();
      if (!AssetTable.CgTable.Contains(cg)) ThrowRangeError("CG", cg);
      s.CurrentCg = static_cast<uint8_t>(cg);
      if (s.CgSeen[cg] == 0) s.CgSeen[cg] = 1;
      s.ScreenMode = 5;
      s.CgShown = 1;
      // Inside the enter phase the CG must be in BackBuffer before its transition;
      // otherwise entering mode 5 shows it.
      if (start) form_.Cg.ShowCg();
      return true;
    }
    case kCgText: {
      const int32_t cg = ReadArgument();
      if (!AssetTable.CgTable.Contains(cg)) ThrowRangeError("CG", cg);
      s.CurrentCg = static_cast<uint8_t>(cg);
      s.CgShown = 1;
      form_.Cg.ShowCg();
      form_.Cg.FinishCgPan();  // straight to the rest frame; the album is not marked
      return true;
    }
    case kBlank:
      s.CgShown = 1;
      form_.Assets.LoadBackdrop(PlainBackdrop);
      return true;
    case kPortrait:
    case kPortraitH: {
      const int32_t frame = ReadArgument();
      CheckPortraitFrame(frame);
      s.CgShown = 0;
      form_.Portrait.DrawPartnerPortrait(frame, start, tag == kPortrait ? 1 : 2);
      return true;
    }
    case kNoPortrait:
      form_.Town.DrawScene(2);
      return true;
    case kChoice: {
      const int32_t set = ReadArgument();
      // Any other set would put up a panel without options, which no click can leave.
      if (!IsChoiceSet(set)) ThrowRangeError("選択肢", set);
      s.ChoiceSet = set;
      s.TownPhase = 4;
      s.ScreenMode = 4;
      if (s.CgShown == 0) form_.Status.RefreshStatus(0);
      form_.Choice.ChoicePanel(0);  // ScriptPos stays on the question line
      return false;
    }
    case kPhotoGame:
      s.TownPhase = 3;
      s.GamePhase = 1;
      s.ScreenMode = 3;
      return true;
    case kNextPlace:
      if (s.CurrentEvent > 0 && s.Partner > 0) form_.Event.FinishEvent();
      s.ScriptPos = 0;
      s.CurrentEvent = 0;
      s.CgShown = 0;
      s.CurrentCg = 0;
      if (s.DayCount == 0) {
        // The end of the opening: the first day starts with the photo game at place 6.
        s.DayCount = 1;
        s.TimeSlot += 1;
        s.CurrentPlace = 6;
        s.CurrentEvent = static_cast<uint8_t>(form_.Script.MapEventNumber(1, 1));
        s.ScreenMode = 3;
        return true;
      }
      s.Partner = 0;
      s.ChoiceSet = 0;
      form_.Town.AdvanceTown();
      return false;
    case kNextTime:
      if (s.CurrentEvent > 0 && s.Partner > 0) form_.Event.FinishEvent();
      s.ScriptPos = 0;
      s.CurrentEvent = 0;
      s.CgShown = 0;
      s.CurrentCg = 0;
      if (s.TargetPlace != 1) s.TargetPlace = 0;  // at home the home scene stays
      s.ChoiceSet = 0;
      s.TownPhase = 5;
      s.Partner = 0;
      s.ScreenMode = 4;
      return true;
    case kNextEvent:
      s.ScriptPos = 0;
      s.CurrentEvent += s.Partner == 3 ? 2 : 1;  // heroine 3's blocks skip event 11
      s.ScreenMode = 6;
      return true;
    case kEnd:
      s.TargetPlace = 0;
      s.TownPhase = 5;
      s.ScriptPos = 0;
      s.ScreenMode = 7;  // CurrentEvent stays: the ending screen reads it
      return true;
    case kFaceChange:
      ChangeFace(start);
      ShowTextPage();  // the new face and the next page, without a transition
      return false;
    default:
      ThrowRangeError("タグ", tag);
  }
}

void Interpreter::ShowTextPage() {
  GameState& s = form_.State;
  if (s.ScriptPos == 0) s.ScriptPos = static_cast<uint16_t>(form_.Script.EventLabelLine(s.CurrentEvent));
  const StringList& lines = form_.ScriptLines;
  for (;;) {
    const int tag = ScriptText::TagIndex(lines[s.ScriptPos]);
    if (tag == 0) break;
    if (tag != kFaceChange) {
      RunScriptCommand(tag);
      return;
    }
    // "<f_Change>" shows the next page itself; taking it here rather than through
    // RunScriptCommand keeps a long run of face changes from nesting call upon call.
    AdvanceScriptPos(1);
    ChangeFace(false);
  }
  form_.Text.SetTextStyle(0);
  Point origin{25, 380};  // over a full-screen picture
  if (s.CgShown == 0) {
    origin = {15, 385};  // in the town frame
    form_.Status.RefreshStatus(0);
  }
  // A framed CG stands on the plain backdrop; its text goes there without a window.
  const bool framedCg = s.CurrentCg != 0 && AssetTable.CgTable[s.CurrentCg].PanKind == 3;
  if (!framedCg) form_.Text.DrawMessageWindow();
  if (s.TownPhase != 4) form_.Button.DrawButton(0, 5);
  form_.Feed.Begin(UnitKind::Page, "page:" + std::to_string(s.ScriptPos));
  int i = 0;
  for (;;) {
    form_.Text.DrawStoryText(origin.X + 20, origin.Y + 10 + 20 * i, lines[s.ScriptPos + i]);
    ++i;
    // The line after the last one drawn is always read, even after the third line.
    const bool nextIsTag = ScriptText::TagIndex(lines[s.ScriptPos + i]) > 0;
    if (nextIsTag || i == 3) break;
  }
  form_.Feed.End();
  AdvanceScriptPos(i);
}

void Interpreter::ChangeFace(bool start) {
  const int32_t frame = ReadArgument();
  CheckPortraitFrame(frame);
  form_.State.CgShown = 0;
  form_.Portrait.DrawPartnerPortrait(frame, start, 3);
}

void Interpreter::AdvanceScriptPos(int64_t lines) {
  const int64_t next = form_.State.ScriptPos + lines;
  // The original let the word wrap round to line 0 and played the top of the script.
  if (next > std::numeric_limits<uint16_t>::max()) ThrowListIndexError(next);
  form_.State.ScriptPos = static_cast<uint16_t>(next);
}

int32_t Interpreter::ReadArgument() {
  const int32_t value = form_.Script.ArgumentAt(form_.State.ScriptPos);
  AdvanceScriptPos(1);
  return value;
}

void Interpreter::CheckPortraitFrame(int32_t frame) const {
  const uint8_t partner = form_.State.Partner;
  if (partner < 1 || partner > 3) ThrowRangeError("立ち絵", partner);
  if (!IsPortraitFrame(partner, frame)) ThrowRangeError("表情", frame);
}

}  // namespace velmora
