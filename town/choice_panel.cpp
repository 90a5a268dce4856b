#include "town/choice_panel.h"

#include "app/form.h"

namespace velmora {

namespace {

bool IsPhotoEvent(uint8_t event) { return event == 11 || event == 13; }

// The closing option that sets 3 and 6 share, over the lower right of the window.
bool OnClosingOption(int32_t x, int32_t y) { return InRange(x, 447, 479) && InRange(y, 440, 456); }

// The upper row of sets 3 and 6: 11, 12, 13 and, in set 6, 14.
int32_t UpperRowOption(int32_t x, int32_t y, int columns) {
  if (!InRange(y, 414, 429)) return 0;
  for (int c = 0; c < columns; ++c)
    if (InRange(x, 63 + 110 * c, 143 + 110 * c)) return 11 + c;
  return 0;
}

}  // namespace

int32_t Choices::ChoiceOptionAt(int32_t x, int32_t y) const {
  return OptionAt(form_.State.ChoiceSet, form_.State.HeroineGauge[0], x, y);
}

int32_t Choices::OptionAt(int32_t set, int32_t gauge, int32_t x, int32_t y) {
  int32_t id = 0;
  switch (set) {
    case 2:
      if (InRange(x, 63, 163) && InRange(y, 414, 429)) return 11;
      if (InRange(x, 63, 163) && InRange(y, 434, 449)) return 12;
      return 0;
    case 3:
      id = UpperRowOption(x, y, 3);
      break;
    case 6:
      id = UpperRowOption(x, y, 4);
      // The two lower options open only once the first heroine's gauge is high enough.
      if (InRange(y, 434, 449) && InRange(x, 63, 143) && gauge >= 50) id = 15;
      if (InRange(y, 434, 449) && InRange(x, 173, 253) && gauge >= 70) id = 16;
      break;
    default:
      return 0;
  }
  if (OnClosingOption(x, y)) id = 18;
  return id;
}

ChoiceOutcome Choices::OutcomeOf(int32_t set, int32_t id, int partner, int event) {
  if (set == 2 && id == 11) {
    if (partner == 0 || (partner == 3 && IsPhotoEvent(static_cast<uint8_t>(event)))) return ChoiceOutcome::GoOn;
  } else if (set == 2 && id == 12) {
    if (partner != 3 || IsPhotoEvent(static_cast<uint8_t>(event))) return ChoiceOutcome::Leave;
  }
  return ChoiceOutcome::Jump;
}

void Choices::DrawOptionCaptions(int dx, int top) {
  // Sets 3 and 6 always jump, so the lines after their argument are never played as a
  // page; the panel shows them as the prompt and the captions of the option rows, or the
  // window would stand empty over areas the player cannot see. A tag or label line ends
  // the captions.
  GameState& s = form_.State;
  TextStyles& text = form_.Text;
  form_.Feed.Begin(UnitKind::Choice, "choice:" + std::to_string(s.ScriptPos));
  for (int i = 0; i < 3; ++i) {
    const int64_t index = int64_t{s.ScriptPos} + i;
    if (index >= form_.ScriptLines.Count()) return form_.Feed.End();
    const std::string& line = form_.ScriptLines[index];
    if (ScriptText::TagIndex(line) > 0 || (!line.empty() && line[0] == '*')) return form_.Feed.End();
    text.SetTextStyle(i == 0 ? 0 : 4);
    text.DrawStoryText(35 + dx, top + 20 * i, line);
  }
  form_.Feed.End();
  text.SetTextStyle(0);
}

void Choices::ChoicePanel(int32_t id) {
  GameState& s = form_.State;
  TextStyles& text = form_.Text;
  // Over a full-screen picture the window sits lower and further right.
  const int dx = s.CgShown != 0 ? 10 : 0;
  const int top = s.CgShown != 0 ? 390 : 395;

  if (id == 0) {
    text.DrawMessageWindow();
    text.SetTextStyle(0);
    if (s.ChoiceSet == 3 || s.ChoiceSet == 6) {
      DrawOptionCaptions(dx, top);
      return;
    }
    if (s.ChoiceSet != 2) return;
    form_.Feed.Begin(UnitKind::Choice, "choice:" + std::to_string(s.ScriptPos));
    text.DrawStoryText(35 + dx, top, form_.ScriptLines[int64_t{s.ScriptPos}]);
    text.SetTextStyle(4);
    form_.Feed.BeginOptions();
    for (int i = 1; i <= 2; ++i)
      text.DrawStoryText(65 + dx, top + 20 * i, form_.ScriptLines[int64_t{s.ScriptPos} + i]);
    form_.Feed.End();
    return;
  }

  const int32_t k = id - 10;
  if (s.PressedButton == 0) {
    // Hover: the panel again, with the option under the pointer in white.
    ChoicePanel(0);
    text.SetTextStyle(0);
    if (s.ChoiceSet != 2) return;
    text.DrawStoryText(65 + dx, top + 20 * k, form_.ScriptLines[int64_t{s.ScriptPos} + k]);
    // Pointing at the first option previews the 10 points another deal will cost.
    form_.Status.DrawStatusField(4, s.GameRetries > 0 && k == 1 ? -10 : 0);
    return;
  }

  form_.Feed.Take(id - 11);
  const ChoiceOutcome outcome = OutcomeOf(s.ChoiceSet, id, s.Partner, s.CurrentEvent);
  if (outcome == ChoiceOutcome::Jump) s.CurrentEvent = static_cast<uint8_t>(s.CurrentEvent + k);
  s.PressedButton = 0;

  switch (outcome) {
    case ChoiceOutcome::Jump:
      s.ScriptPos = 0;
      form_.Modes.SwitchMode(6, 1);
      break;
    case ChoiceOutcome::Leave:
      s.ChoiceSet = 0;
      s.TownPhase = 3;
      s.Partner = 0;
      form_.Town.AdvanceTown();
      break;
    case ChoiceOutcome::GoOn:
      // Play goes on past the line after the options. A 16-bit play position cannot go
      // beyond line 65535; rather than wrap to the top of the script, say it is not there.
      if (s.GameRetries == 0 && s.ScriptPos + 4 > 0xFFFF) ThrowListIndexError(s.ScriptPos + 4);
      s.ChoiceSet = 0;
      s.TownPhase = 3;
      if (s.GameRetries == 0) {
        s.ScriptPos = static_cast<uint16_t>(s.ScriptPos + 4);
        form_.Modes.SwitchMode(6, 1);
      } else {
        form_.Modes.SwitchMode(3, 1);
      }
      break;
  }
}

}  // namespace velmora
