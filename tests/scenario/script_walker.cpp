#include "scenario/script_walker.h"

#include <algorithm>

#include "app/game_error.h"
#include "gfx/asset_layout.h"
#include "gfx/asset_table.h"
#include "gfx/sjis.h"
#include "scenario/script_layout.h"
#include "script/events.h"
#include "script/script_text.h"

namespace velmora::scenario {

namespace {

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// Heroine events share block numbers: 9 and 10 are block 1, from 11 on the number less 10.
int BlockNumber(int event) {
  if (event <= 8) return event;
  if (event <= 10) return 1;
  return event - 10;
}

// Frames in a heroine's face sheet: the sheet's width over one face's width.
int FaceFrames(int partner) {
  const PortraitSet& set = AssetTable.PortraitSets[partner];
  for (const AssetSlot& slot : AssetSlots())
    if (slot.Offset == set.FaceSheetOffset) return slot.Width / set.FaceWidth;
  return 0;
}

int PanKind(int cg) { return AssetTable.CgTable[cg].PanKind; }
// A 500x400 picture framed on the plain backdrop: its text is written without a window.
bool IsFramedCg(int cg) { return cg != 0 && PanKind(cg) == 3; }
bool IsPanningCg(int cg) { return PanKind(cg) != 0 && PanKind(cg) != 3; }

bool Inside(const Caption& caption, const OptionArea& area) {
  return caption.Left >= area.Left && caption.Right <= area.Right;
}

std::string Where(int event, int partner) {
  return "event " + std::to_string(event) + " with partner " + std::to_string(partner);
}

}  // namespace

std::string EventLabelFor(int event, int partner) {
  if (event == 0) return "*OP";
  const int block = BlockNumber(event);
  if (partner >= 1 && partner <= 3) return HeroineNames[partner].LabelPrefix + std::to_string(block);
  if (block >= 1 && block <= 3) return "*pan_1";
  if (block == 4) return "*mir_b_end";
  return "";
}

std::string ResultLabelFor(int event, int partner, int result) {
  const int block = BlockNumber(event);
  const std::string r = std::to_string(result);
  if (partner >= 1 && partner <= 3)
    return result == 1 ? HeroineNames[partner].LabelPrefix + std::to_string(block) + "_1" : "*pan_10_" + r;
  if (result == 1) return "*pan_" + std::to_string(block) + "_1";
  if (block == 9) return "*pan_9_" + r;
  if (block == 10 || block == 11) return "*pan_10_" + r;
  return "*pan_" + r;
}

ScriptWalker::ScriptWalker(std::vector<std::string> lines) : lines_(std::move(lines)) {
  for (size_t i = 0; i < lines_.size(); ++i)
    if (IsLabelLine(i)) labels_.emplace(Lower(lines_[i]), i);  // the first one wins, as in the game
}

bool ScriptWalker::IsLabelLine(size_t line) const {
  return !lines_[line].empty() && lines_[line][0] == '*' && ScriptText::TagIndex(lines_[line]) == 0;
}

bool ScriptWalker::IsBlankLine(size_t line) const {
  const std::string& text = lines_[line];
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') continue;
    if (static_cast<unsigned char>(text[i]) == 0x81 && i + 1 < text.size() && text[i + 1] == 0x40) {
      ++i;  // a full-width blank
      continue;
    }
    return false;
  }
  return true;
}

void ScriptWalker::Fault(size_t line, const std::string& what) {
  AddFault("line " + std::to_string(line + 1) + ": " + what);
}

void ScriptWalker::AddFault(const std::string& fault) {
  // A block reached from several events reports its fault once.
  if (std::find(report_.Faults.begin(), report_.Faults.end(), fault) == report_.Faults.end())
    report_.Faults.push_back(fault);
}

WalkReport ScriptWalker::Walk() {
  report_ = {};
  visited_.clear();
  Play opening;
  opening.Day0 = true;
  StartBlock(opening, "a new game");
  for (int e = EventTable.kFirst; e <= EventTable.kLast; ++e) {
    Play arrival;
    arrival.Event = e;
    arrival.Partner = EventTable[e].Heroine;
    StartBlock(arrival, "the event table");
  }
  return report_;
}

void ScriptWalker::StartBlock(const Play& play, const std::string& from) {
  const std::string label = EventLabelFor(play.Event, play.Partner);
  const auto found = labels_.find(Lower(label));
  if (label.empty() || found == labels_.end()) {
    AddFault("no block \"" + label + "\" for " + Where(play.Event, play.Partner) + ", reached from " +
                             from);
    return;
  }
  report_.LabelsReached.insert(lines_[found->second]);
  Run(play, found->second + 1, true);
}

void ScriptWalker::EnterResult(const Play& play, int result, const std::string& from) {
  const std::string label = ResultLabelFor(play.Event, play.Partner, result);
  const auto found = labels_.find(Lower(label));
  if (found == labels_.end()) {
    AddFault("no photo result \"" + label + "\" for " + Where(play.Event, play.Partner) +
                             ", reached from " + from);
    return;
  }
  Play after = play;
  after.CgShown = false;  // the photo screen leaves the town frame behind
  after.Portrait = false;
  after.FramedCg = false;
  // A heroine who is sent away by a bad photo is no longer the partner in the result scene.
  if (after.Partner == 3 && result >= 4) after.Partner = 0;
  report_.LabelsReached.insert(lines_[found->second]);
  Run(after, found->second + 1, false);
}

void ScriptWalker::PlayPhotoGame(const Play& play, const std::string& from) {
  report_.PhotoGames.emplace(play.Event, play.Partner);
  // Result 1 finishes the event whatever the partner is; 2 and 3 with few points left go
  // straight to the town and need no scene.
  FinishEvent(play, "a successful photo");
  for (int result = 1; result <= 5; ++result) EnterResult(play, result, from);
}

void ScriptWalker::FinishEvent(const Play& play, const std::string& how) {
  report_.FinishedEvents.emplace(play.Event, play.Partner);
  if (!EventTable.Contains(play.Event))
    AddFault(how + " finishes " + Where(play.Event, play.Partner) + ", which the event table lacks");
}

bool ScriptWalker::CheckFrame(const Play& play, int32_t frame, size_t line) {
  if (play.Partner < 1 || play.Partner > 3) {
    Fault(line, "a portrait while no heroine is the partner (" + Where(play.Event, play.Partner) + ")");
    return false;
  }
  if (play.Partner == 3 && frame > 8) {
    Fault(line, "face " + std::to_string(frame) + " asks for a fourth portrait set");
    return false;
  }
  const int32_t face = frame > 8 ? frame - 8 : frame;
  if (face < 1 || face > FaceFrames(play.Partner)) {
    Fault(line, "face " + std::to_string(frame) + " lies outside heroine " + std::to_string(play.Partner) +
                    "'s sheet of " + std::to_string(FaceFrames(play.Partner)));
    return false;
  }
  return true;
}

void ScriptWalker::Run(Play play, size_t line, bool blockStart) {
  if (!visited_.emplace(line, blockStart, play.Key()).second) return;
  if (blockStart) {
    if (line >= lines_.size()) return Fault(line, "a label on the last line starts no block");
    const int first = ScriptText::TagIndex(lines_[line]);
    // A start passes over its first line; only a tag there is run.
    if (first == 0) return Fault(line, "a block starts with a text line, which is never shown");
    play.Portrait = false;
  }
  while (true) {
    if (line >= lines_.size()) return Fault(line, "play runs past the last line");
    const int tag = ScriptText::TagIndex(lines_[line]);
    if (tag == 0) {
      if (IsLabelLine(line)) return Fault(line, "play runs into the label " + lines_[line]);
      size_t count = 0;
      while (count < 3 && line + count < lines_.size() && ScriptText::TagIndex(lines_[line + count]) == 0) {
        if (IsLabelLine(line + count)) return Fault(line + count, "a page runs into the label " + lines_[line + count]);
        ++count;
      }
      // The page reads the line after its last one to see whether it goes on.
      if (line + count >= lines_.size()) return Fault(line, "a text page reads past the last line");
      if (!play.CgShown && IsFramedCg(play.CurrentCg))
        Fault(line, "a page in the town frame after framed CG " + std::to_string(play.CurrentCg) +
                        " is drawn without its window");
      // Over a framed CG the text has no window either, and lands on the picture itself.
      for (size_t i = line; play.FramedCg && i < line + count; ++i)
        if (!IsBlankLine(i)) {
          Fault(i, "text over framed CG " + std::to_string(play.CurrentCg) + " has no window to stand on");
          break;
        }
      line += count;
      continue;
    }
    const size_t tagLine = line;
    ++line;
    int32_t argument = 0;
    if (ScriptTags[static_cast<size_t>(tag - 1)].Arguments > 0) {
      if (line >= lines_.size()) return Fault(tagLine, "the argument lies past the last line");
      try {
        argument = ScriptText::ParseArgument(lines_[line]);
      } catch (const GameError& error) {
        return Fault(line, error.what());
      }
      ++line;
    }
    if (!RunCommand(play, tagLine, tag, argument)) return;
  }
}

bool ScriptWalker::RunCommand(Play& play, size_t at, int tag, int32_t argument) {
  switch (tag) {
    case 1:  // <B>
      if (argument < 1 || argument > 17) Fault(at, "scene " + std::to_string(argument) + " does not exist");
      play.Portrait = false;
      play.FramedCg = false;
      if (argument == 14 && play.ChoiceSet > 2 && (play.Partner == 1 || play.Partner == 2))
        play.Portrait = CheckFrame(play, 5, at);
      play.CgShown = false;
      return true;
    case 2:  // <CG>
    case 3:  // <CG_text>
      if (argument < 1 || argument > 8) {
        Fault(at, "CG " + std::to_string(argument) + " does not exist");
        return false;
      }
      if (tag == 3 && !IsPanningCg(argument)) Fault(at, "<CG_text> on a CG that does not pan has no rest frame");
      if (tag == 2) report_.CgsMarked.insert(argument);
      play.CurrentCg = argument;
      play.CgShown = true;
      play.Portrait = false;
      play.FramedCg = IsFramedCg(argument);
      return true;
    case 4:  // BL
      play.CgShown = true;
      play.Portrait = false;
      play.FramedCg = false;
      return true;
    case 5:  // <Aite_f>
    case 6:  // <Aite_h>
      play.CgShown = false;
      play.FramedCg = false;
      play.Portrait = CheckFrame(play, argument, at);
      return true;
    case 7:  // <Aite0>
      if (play.CgShown) Fault(at, "<Aite0> brings the town scene back but leaves the text where the CG had it");
      play.Portrait = false;
      return true;
    case 8:  // <Sentaku>
      OpenChoice(play, at, argument);
      return false;
    case 9:  // <Game>
      PlayPhotoGame(play, lines_[at]);
      return false;
    case 10:  // *next_ba
      if (play.Event > 0 && play.Partner > 0) FinishEvent(play, "*next_ba");
      if (play.Day0) {
        // The end of the opening: day 1 at the store by home, and the photo of its event.
        Play photo = play;
        static constexpr int kFirstOfBlock[4] = {11, 1, 9, 10};
        photo.Event = kFirstOfBlock[play.Partner];
        photo.Day0 = false;
        photo.CgShown = false;
        photo.CurrentCg = 0;
        photo.FramedCg = false;
        PlayPhotoGame(photo, "the end of the opening");
      }
      return false;
    case 11:  // *next_time
      if (play.Event > 0 && play.Partner > 0) FinishEvent(play, "*next_time");
      return false;
    case 12: {  // *ending
      Play next = play;
      next.Event = (play.Event + (play.Partner == 3 ? 2 : 1)) & 0xFF;
      StartBlock(next, "*ending after " + Where(play.Event, play.Partner));
      return false;
    }
    case 13:  // *end
      report_.Endings.emplace(play.Event, play.Partner);
      return false;
    case 14:  // <f_Change>: the face only, so a portrait must be up
      if (!play.Portrait) Fault(at, "<f_Change> with no portrait on the scene");
      if (play.CgShown) Fault(at, "<f_Change> over a full-screen picture");
      play.CgShown = false;
      play.FramedCg = false;
      CheckFrame(play, argument, at);
      return true;
    default:
      return false;
  }
}

void ScriptWalker::OpenChoice(const Play& play, size_t tagLine, int set) {
  report_.ChoiceSets.insert(set);
  const size_t question = tagLine + 2;
  if (play.CgShown) Fault(tagLine, "a choice over a full-screen picture, away from its option areas");
  auto jump = [&](int k, bool fromAreas) {
    Play next = play;
    next.Event = (play.Event + k) & 0xFF;
    next.ChoiceSet = fromAreas ? set : play.ChoiceSet;
    StartBlock(next, "option " + std::to_string(10 + k) + " of set " + std::to_string(set) + " in " +
                         Where(play.Event, play.Partner));
  };
  if (set == 2) {
    for (size_t i = question; i < question + 3; ++i)
      if (i >= lines_.size() || ScriptText::TagIndex(lines_[i]) != 0 || IsLabelLine(i))
        return Fault(tagLine, "set 2 needs a question and two options after its argument");
    const bool photoEvent = play.Event == 11 || play.Event == 13;
    if (play.Partner == 0 || (play.Partner == 3 && photoEvent)) {
      // Option 1 goes on four lines after the question, or deals the cards again.
      if (question + 4 >= lines_.size() || ScriptText::TagIndex(lines_[question + 3]) != 0 ||
          IsLabelLine(question + 3))
        return Fault(tagLine, "set 2 goes on past the line after its options, which must be a text line here");
      Play goOn = play;
      goOn.ChoiceSet = 0;
      Run(goOn, question + 4, false);
      PlayPhotoGame(goOn, "a retry in " + Where(play.Event, play.Partner));
    } else {
      jump(1, false);
    }
    // Option 2 leaves the event unless the partner is heroine 3 outside her photo events.
    if (play.Partner == 3 && !photoEvent) jump(2, false);
    return;
  }
  if (set != 3 && set != 6) return Fault(tagLine, "choice set " + std::to_string(set) + " offers no option");
  CheckOptionCaptions(tagLine, set);
  // Options 15 and 16 of set 6 need a gauge no one raises; their blocks are walked anyway.
  const std::vector<int> options = set == 3 ? std::vector<int>{1, 2, 3, 8} : std::vector<int>{1, 2, 3, 4, 5, 6, 8};
  for (const int k : options) jump(k, true);
}

void ScriptWalker::CheckOptionCaptions(size_t tagLine, int set) {
  // The panel writes the three lines after the argument: the prompt, then the captions of
  // the two option rows. Sets 3 and 6 always jump, so those lines are never a page.
  const std::string name = "set " + std::to_string(set);
  const size_t prompt = tagLine + 2;
  for (size_t i = prompt; i < prompt + 3; ++i)
    if (i >= lines_.size() || ScriptText::TagIndex(lines_[i]) != 0 || IsLabelLine(i))
      return Fault(tagLine, name + " needs a prompt and two caption lines after its argument");
  if (Columns(lines_[prompt]) > kStoryColumns) Fault(prompt, "the prompt of " + name + " runs past the window");

  const std::vector<OptionArea> upper = ChoiceOptionAreas(set);
  const std::vector<Caption> upperCaptions = CaptionsOf(lines_[prompt + 1]);
  if (upperCaptions.size() != upper.size())
    Fault(prompt + 1, std::to_string(upperCaptions.size()) + " captions for " + std::to_string(upper.size()) +
                          " option areas of the upper row");
  for (size_t i = 0; i < upperCaptions.size() && i < upper.size(); ++i)
    if (!Inside(upperCaptions[i], upper[i]))
      Fault(prompt + 1, "caption " + std::to_string(i + 1) + " stands outside its option area");

  // The lower row: each caption over one of its areas, and the closing option (the last
  // area, in the corner) always captioned, since every player can pick it.
  const std::vector<OptionArea> lower = ChoiceLowerRowAreas(set);
  bool closingCaptioned = false;
  for (const Caption& caption : CaptionsOf(lines_[prompt + 2])) {
    const auto area = std::find_if(lower.begin(), lower.end(), [&](const OptionArea& a) { return Inside(caption, a); });
    if (area == lower.end()) Fault(prompt + 2, "a caption of the lower row stands outside every option area");
    closingCaptioned = closingCaptioned || area == lower.end() - 1;
  }
  if (!closingCaptioned) Fault(prompt + 2, "option 18 of " + name + " has no caption in its corner");

  const size_t after = prompt + 3;
  if (after < lines_.size() && !IsLabelLine(after))
    Fault(after, "the line after the captions of " + name + " is never played");
}

}  // namespace velmora::scenario
