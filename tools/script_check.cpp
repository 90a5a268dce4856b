#include "tools/script_check.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <tuple>

#include "app/game_error.h"
#include "gfx/asset_table.h"
#include "gfx/canvas.h"
#include "gfx/sjis.h"
#include "gfx/text_styles.h"
#include "minigame/photo_game.h"
#include "script/events.h"
#include "script/interpreter.h"
#include "script/script_text.h"
#include "town/choice_panel.h"
#include "town/town_map.h"

namespace velmora {

namespace {

// Tag numbers the walk treats specially (the interpreter's command numbers).
enum Tag {
  kScene = 1, kCg = 2, kCgText = 3, kBlank = 4, kPortrait = 5, kPortraitH = 6, kNoPortrait = 7,
  kChoice = 8, kPhotoGame = 9, kNextPlace = 10, kNextTime = 11, kNextEvent = 12, kEnd = 13, kFaceChange = 14
};

// Where text starts and where the window ends, in the town frame and over a full-screen
// picture (the interpreter's text origins plus 20; the two message window rectangles).
struct TextRoom {
  int Left;
  int Right;
};
constexpr TextRoom kTownPage{35, 505};
constexpr TextRoom kPicturePage{45, 615};
// The choice panel writes the options of set 2 30 pixels further right.
constexpr int kOptionIndent = 30;

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Quoted(const std::string& sjis) {
  std::string quoted(1, '\'');
  quoted += DecodeCp932(sjis);
  return quoted += '\'';
}

std::string TagName(int tag) { return ScriptTags[static_cast<size_t>(tag - 1)].Line; }

std::string HeroineName(int partner) { return HeroineNames[partner].DisplayName; }

// "event 5 with Mirel", "event 11 without a heroine", "the opening".
std::string Who(int event, int partner) {
  if (event == 0) return "the opening";
  const std::string e = "event " + std::to_string(event);
  return partner >= 1 && partner <= 3 ? e + " with " + HeroineName(partner) : e + " without a heroine";
}

std::string LineRef(size_t index) { return "line " + std::to_string(index + 1); }

// The frames the portrait commands accept for a heroine, as "1-7, 9-15".
std::string AcceptedFrames(int partner) {
  std::string out;
  int runStart = 0;
  for (int f = 1; f <= 17; ++f) {
    const bool ok = f <= 16 && Interpreter::IsPortraitFrame(partner, f);
    if (ok && runStart == 0) runStart = f;
    if (!ok && runStart != 0) {
      if (!out.empty()) out += ", ";
      out += std::to_string(runStart) + (f - 1 > runStart ? "-" + std::to_string(f - 1) : "");
      runStart = 0;
    }
  }
  return out;
}

// The option ids of a choice set, found by asking the choice panel about every point of
// the window. Nothing in this edition raises the first heroine's gauge, so the options
// that need it are never there.
const std::vector<int>& OptionIds(int set) {
  static std::map<int, std::vector<int>> cache;
  auto [it, fresh] = cache.try_emplace(set);
  if (fresh) {
    std::set<int> ids;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x)
        if (const int id = Choices::OptionAt(set, 0, x, y); id != 0) ids.insert(id);
    it->second.assign(ids.begin(), ids.end());
  }
  return it->second;
}

class ScriptWalk {
 public:
  ScriptWalk(const std::vector<std::string>& lines, StoryGraph* graph) : lines_(lines), graph_(graph) {}

  std::vector<ScriptFinding> Run();

 private:
  // What play carries from line to line that decides where it goes or how text is drawn.
  struct Play {
    int Event = 0;       // CurrentEvent (a byte: it wraps)
    int Partner = 0;     // 0 none, 1..3
    bool Day0 = false;   // the opening's day, before "*next_ba" makes it day 1
    bool CgShown = false;
    auto Key() const { return std::tuple(Event, Partner, Day0, CgShown); }
  };

  // Starts the block of Play's event, reached by How from FromLine; Arrow is the map's
  // arrow from the box play is in.
  void StartBlock(const Play& play, const std::string& how, size_t fromLine, StoryEdgeKind kind,
                  const std::string& arrow);
  // A place play reaches: walked later from Run's queue, so that long chains of jumps in a
  // big script never nest calls deeper and deeper.
  struct Pending {
    Play State;
    size_t Pos;
    bool BlockStart;
    std::string Label;
  };
  void Reach(const Play& play, size_t pos, bool blockStart, const std::string& label) {
    pending_.push_back({play, pos, blockStart, label});
  }
  void Walk(Play play, size_t pos, bool blockStart, const std::string& label);
  // Runs the command of Tag; false when play leaves the block there. A command the game
  // refuses stops with its error box, and the next page goes on after its argument.
  bool Command(Play& play, int tag, size_t tagLine, size_t argLine, int32_t argument, const std::string& label);
  bool CheckPortrait(const Play& play, int tag, size_t tagLine, size_t argLine, int32_t frame);
  void OpenChoice(const Play& play, int set, size_t tagLine);
  void PlayPhoto(const Play& play, size_t line, const std::string& how);
  void CheckFinish(const Play& play, size_t line, const std::string& how);
  // A line drawn as text at Left (style 0, or 4 for grey options) in the room given.
  void CheckShownLine(size_t index, int left, int right, int style);
  // The caption the panel shows for option Id of a choice whose set number is on line
  // First - 1, as the player reads it; "option Id" when it has none.
  std::string OptionCaption(const Play& play, int set, int id, size_t first);

  bool IsLabelLine(size_t index) const {
    const std::string& line = lines_[index];
    return !line.empty() && line[0] == '*' && ScriptText::TagIndex(line) == 0;
  }
  // FindLabel, remembered: the walk looks the same few labels up again and again.
  int FindLabel(const std::string& label) {
    const auto [it, fresh] = labelLines_.try_emplace(label, 0);
    if (fresh) it->second = ScriptText::FindLabelIn(lines_, label);
    return it->second;
  }
  void Error(int line, const std::string& message) { Add(true, line, message, node_); }
  void Warning(int line, const std::string& message) { Add(false, line, message, node_); }
  // A finding, noted on the map's box Node.
  void Add(bool error, int line, const std::string& message, size_t node);

  // The map, when one is drawn: boxes, arrows from the box play is in, ways out of it.
  size_t Box(StoryNodeKind kind, const std::string& title) { return graph_ ? graph_->NodeFor(kind, title) : 0; }
  size_t BlockAt(size_t index) const { return graph_ ? graph_->BlockAt(index) : 0; }
  void Arrow(size_t to, StoryEdgeKind kind, const std::string& text) {
    if (graph_) graph_->Connect(node_, to, kind, text);
  }
  void Exit(const std::string& how) {
    if (!graph_) return;
    std::vector<std::string>& exits = graph_->Nodes[node_].Exits;
    if (std::find(exits.begin(), exits.end(), how) == exits.end()) exits.push_back(how);
  }

  const std::vector<std::string>& lines_;
  std::set<std::tuple<size_t, bool, std::tuple<int, int, bool, bool>>> visited_;
  std::set<std::tuple<int, bool, std::string>> seen_;
  std::vector<Pending> pending_;
  std::map<std::string, int> labelLines_;
  std::vector<ScriptFinding> findings_;
  std::map<std::pair<size_t, int>, int> widths_;
  StoryGraph* graph_;
  size_t node_ = 0;  // the map's box play is in
};

void ScriptWalk::Add(bool error, int line, const std::string& message, size_t node) {
  const bool fresh = seen_.emplace(line, error, message).second;
  if (fresh) findings_.push_back({error, line, message});
  if (!graph_) return;
  StoryNode& box = graph_->Nodes[node];
  const std::string described = DescribeFinding({error, line, message});
  if (!error) box.Warnings += fresh ? 1 : 0;
  else if (std::find(box.Errors.begin(), box.Errors.end(), described) == box.Errors.end()) box.Errors.push_back(described);
}

std::vector<ScriptFinding> ScriptWalk::Run() {
  InstallJapaneseFonts();
  // The game always finds the first of two equal labels.
  std::map<std::string, size_t> firstLabel;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (!IsLabelLine(i)) continue;
    std::string key = lines_[i];
    std::transform(key.begin(), key.end(), key.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    const auto [it, fresh] = firstLabel.emplace(key, i);
    if (!fresh && FindLabel(lines_[i]) == static_cast<int>(it->second) + 1)
      Add(false, static_cast<int>(i) + 1,
          "the label " + Quoted(lines_[i]) + " repeats the one on " + LineRef(it->second) +
              ": the game always finds the first, so it never starts a block here",
          BlockAt(i));
  }

  Play opening;
  opening.Day0 = true;
  node_ = Box(StoryNodeKind::Start, "New game");
  StartBlock(opening, "a new game", 0, StoryEdgeKind::Start, "");
  for (int e = EventTable.kFirst; e <= EventTable.kLast; ++e) {
    Play arrival;
    arrival.Event = e;
    arrival.Partner = EventTable[e].Heroine;
    const int place = EventTable[e].Place;
    const std::string where = Trimmed(PlaceTable[place].Name) + " (place " + std::to_string(place) + ")";
    node_ = Box(StoryNodeKind::Start, where);
    StartBlock(arrival, "arriving at " + where, 0, StoryEdgeKind::Start,
               "event " + std::to_string(e) + (arrival.Partner ? ": " + HeroineName(arrival.Partner) : ""));
  }
  while (!pending_.empty()) {
    const Pending next = std::move(pending_.back());
    pending_.pop_back();
    Walk(next.State, next.Pos, next.BlockStart, next.Label);
  }
  std::stable_sort(findings_.begin(), findings_.end(),
                   [](const ScriptFinding& a, const ScriptFinding& b) { return a.Line < b.Line; });
  return findings_;
}

void ScriptWalk::StartBlock(const Play& play, const std::string& how, size_t fromLine, StoryEdgeKind kind,
                            const std::string& arrow) {
  const std::string label = ScriptText::EventLabelFor(play.Event, play.Partner);
  const int found = FindLabel(label);
  const std::string who = Who(play.Event, play.Partner);
  const std::string reached = " (reached by " + how + ")";
  const int at = static_cast<int>(fromLine);
  if (label.empty()) {
    const size_t missing = Box(StoryNodeKind::Missing, "no label for " + who);
    Arrow(missing, kind, arrow);
    Add(true, at, who + " has no label the game can look up (without a heroine, only events 1 to 4 and 9 to 14 have one): " +
                  (found ? "the game would start it after the first empty line, " + LineRef(static_cast<size_t>(found - 1))
                         : std::string("the game would play the script from its first line instead")) +
                  reached,
        missing);
    return;
  }
  if (found == 0) {
    const size_t missing = Box(StoryNodeKind::Missing, label);
    Arrow(missing, kind, arrow);
    Add(true, at,
        who + " starts at '" + label +
            "', which the script does not have: the game would play the script from its first line instead" + reached,
        missing);
    return;
  }
  Arrow(BlockAt(static_cast<size_t>(found) - 1), kind, arrow);
  Reach(play, static_cast<size_t>(found), true, label);
}

void ScriptWalk::Walk(Play play, size_t pos, bool blockStart, const std::string& label) {
  if (!visited_.emplace(pos, blockStart, play.Key()).second) return;
  if (graph_) {
    // Play enters at a label's next line, or goes on after a choice in the choice's block.
    node_ = graph_->BlockAt(pos > 0 ? pos - 1 : 0);
    graph_->Nodes[node_].Reached = true;
    graph_->Nodes[node_].Partners |= 1u << (play.Partner & 7);
  }
  const size_t n = lines_.size();
  const std::string block = "the block '" + label + "' (" + Who(play.Event, play.Partner) + ")";
  // ScriptPos is a 16-bit word.
  if (pos > 65535) return Error(static_cast<int>(pos), block + " lies past line 65535, which the game cannot reach");
  if (blockStart) {
    if (pos >= n)
      return Error(static_cast<int>(pos), "the label '" + label +
                                              "' is the last line of the script: starting " + Who(play.Event, play.Partner) +
                                              " there would stop the game with an error");
    // A block's first line is run as a command; a text line there is passed over.
    if (ScriptText::TagIndex(lines_[pos]) == 0) {
      Warning(static_cast<int>(pos) + 1, "this first line of the block '" + label +
                                             "' is never shown: a block starts by running its first line as a command "
                                             "and passes over text there");
      ++pos;
    }
  }
  while (true) {
    if (pos >= n)
      return Error(static_cast<int>(n), block +
                                            " runs past the end of the script: the game would stop with an error. End it "
                                            "with *next_ba, *next_time, *ending or *end");
    const int tag = ScriptText::TagIndex(lines_[pos]);
    if (tag == 0) {
      // A page: up to three lines, up to the next tag; the line after it is always read.
      const TextRoom room = play.CgShown ? kPicturePage : kTownPage;
      size_t i = 0;
      while (true) {
        const size_t index = pos + i;
        if (IsLabelLine(index)) {
          Arrow(BlockAt(index), StoryEdgeKind::FallThrough, "runs on");
          return Error(static_cast<int>(index) + 1, block + " runs into the label " + Quoted(lines_[index]) +
                                                         " without a leaving tag: the game would show the label as "
                                                         "text and play on into the next block");
        }
        CheckShownLine(index, room.Left, room.Right, 0);
        ++i;
        if (pos + i >= n)
          return Error(static_cast<int>(n), block +
                                                " runs past the end of the script: the game would stop with an error "
                                                "after its last page. End it with *next_ba, *next_time, *ending or *end");
        if (ScriptText::TagIndex(lines_[pos + i]) > 0 || i == 3) break;
      }
      pos += i;
      continue;
    }
    const size_t tagLine = pos++;
    size_t argLine = 0;
    int32_t argument = 0;
    if (ScriptTags[static_cast<size_t>(tag - 1)].Arguments > 0) {
      argLine = pos++;
      if (argLine >= n)
        return Error(static_cast<int>(tagLine) + 1, TagName(tag) +
                                                        " needs a number on the next line, but the script ends: the "
                                                        "game would stop with an error");
      try {
        argument = ScriptText::ParseArgument(lines_[argLine]);
      } catch (const GameError&) {
        // The game stops the command here; the next page goes on after it, so the walk does too.
        Error(static_cast<int>(argLine) + 1, "the argument of " + TagName(tag) + " on " + LineRef(tagLine) + " is " +
                                                        Quoted(lines_[argLine]) +
                                                        ", which is not a whole number: the game would stop with the "
                                                        "message \"'" + DecodeCp932(lines_[argLine]) + "' は整数ではありません\"");
        continue;
      }
    }
    if (!Command(play, tag, tagLine, argLine, argument, label)) return;
  }
}

bool ScriptWalk::Command(Play& play, int tag, size_t tagLine, size_t argLine, int32_t argument,
                         const std::string& label) {
  const int at = static_cast<int>(argLine) + 1;
  switch (tag) {
    case kScene:
      if (!AssetTable.ScenePictures.Contains(argument)) {
        Error(at, "<B> asks for scene " + std::to_string(argument) + ", which the game does not have (scenes are " +
                      std::to_string(AssetTable.ScenePictures.kFirst) + " to " +
                      std::to_string(AssetTable.ScenePictures.kLast) + "): the game would stop with an error");
        return true;
      }
      play.CgShown = false;
      return true;
    case kCg:
    case kCgText:
      if (!AssetTable.CgTable.Contains(argument)) {
        Error(at, TagName(tag) + " asks for CG " + std::to_string(argument) + ", which the game does not have (CGs are " +
                      std::to_string(AssetTable.CgTable.kFirst) + " to " + std::to_string(AssetTable.CgTable.kLast) +
                      "): the game would stop with an error");
        return true;
      }
      play.CgShown = true;
      return true;
    case kBlank:
      play.CgShown = true;
      return true;
    case kPortrait:
    case kPortraitH:
    case kFaceChange:
      if (CheckPortrait(play, tag, tagLine, argLine, argument)) play.CgShown = false;
      return true;
    case kNoPortrait:
      return true;
    case kChoice:
      if (!Interpreter::IsChoiceSet(argument)) {
        Error(at, "<Sentaku> asks for choice set " + std::to_string(argument) +
                      ", which the game does not have (sets are 2, 3 and 6): the game would stop with an error");
        return true;
      }
      OpenChoice(play, argument, tagLine);
      return false;
    case kPhotoGame:
      PlayPhoto(play, tagLine, "the photo game on " + LineRef(tagLine));
      return false;
    case kNextPlace:
      Exit("*next_ba: to the map");
      if (play.Event > 0 && play.Partner > 0) CheckFinish(play, tagLine, "*next_ba on " + LineRef(tagLine));
      if (play.Day0) {
        // The end of the opening: day 1 starts with the photo game of the first event.
        Play photo = play;
        photo.Event = ScriptText::MapEventNumberFor(1, 1, play.Partner);
        photo.Day0 = false;
        photo.CgShown = false;
        PlayPhoto(photo, tagLine, "the photo game after the opening");
      }
      return false;
    case kNextTime:
      Exit("*next_time: to the map, later");
      if (play.Event > 0 && play.Partner > 0) CheckFinish(play, tagLine, "*next_time on " + LineRef(tagLine));
      return false;
    case kNextEvent: {
      Play next = play;
      next.Event = (play.Event + (play.Partner == 3 ? 2 : 1)) & 0xFF;
      StartBlock(next, "*ending on " + LineRef(tagLine) + " in the block '" + label + "'", tagLine + 1,
                 StoryEdgeKind::Ending, "*ending: event " + std::to_string(next.Event));
      return false;
    }
    case kEnd:
      Arrow(Box(StoryNodeKind::End, "The end"), StoryEdgeKind::End, "");
      return false;
    default:
      return false;
  }
}

bool ScriptWalk::CheckPortrait(const Play& play, int tag, size_t tagLine, size_t argLine, int32_t frame) {
  if (play.Partner < 1 || play.Partner > 3) {
    Error(static_cast<int>(tagLine) + 1, TagName(tag) + " shows the heroine's portrait, but " +
                                             Who(play.Event, play.Partner) +
                                             " has no heroine: the game would stop with an error");
    return false;
  }
  if (!Interpreter::IsPortraitFrame(play.Partner, frame)) {
    Error(static_cast<int>(argLine) + 1, TagName(tag) + " asks for portrait frame " + std::to_string(frame) + " of " +
                                             HeroineName(play.Partner) + ", who has frames " +
                                             AcceptedFrames(play.Partner) + ": the game would stop with an error");
    return false;
  }
  return true;
}

void ScriptWalk::OpenChoice(const Play& play, int set, size_t tagLine) {
  const size_t first = tagLine + 2;  // the question of set 2, the prompt of sets 3 and 6
  const TextRoom room = play.CgShown ? kPicturePage : kTownPage;
  const std::string choice = "the choice on " + LineRef(tagLine);
  if (set == 2) {
    static const char* const kRoles[3] = {"question", "first option", "second option"};
    for (size_t i = 0; i < 3; ++i) {
      const size_t index = first + i;
      if (index >= lines_.size()) {
        Error(static_cast<int>(tagLine) + 1, choice + " (set 2) needs a question and two options on the three lines "
                                                      "after its argument, but the script ends: the game would stop "
                                                      "with an error");
        return;
      }
      if (ScriptText::TagIndex(lines_[index]) > 0 || IsLabelLine(index)) {
        Error(static_cast<int>(index) + 1, choice + " (set 2) shows this line as its " + kRoles[i] + ", but " +
                                               Quoted(lines_[index]) +
                                               " is a " + (IsLabelLine(index) ? "label" : "tag") +
                                               ": a set 2 choice needs a question and two options after its argument");
        return;
      }
      CheckShownLine(index, room.Left + (i > 0 ? kOptionIndent : 0), room.Right, i > 0 ? 4 : 0);
    }
  } else {
    // Sets 3 and 6 show up to three lines after their argument as the prompt and captions.
    for (size_t index = first; index < first + 3 && index < lines_.size(); ++index) {
      if (ScriptText::TagIndex(lines_[index]) > 0 || IsLabelLine(index)) break;
      CheckShownLine(index, room.Left, room.Right, index == first ? 0 : 4);
    }
  }
  for (const int id : OptionIds(set)) {
    const std::string how = "option " + std::to_string(id) + " of " + choice;
    const std::string caption = graph_ ? OptionCaption(play, set, id, first) : "";
    switch (Choices::OutcomeOf(set, id, play.Partner, play.Event)) {
      case ChoiceOutcome::Jump: {
        Play next = play;
        next.Event = (play.Event + id - 10) & 0xFF;
        StartBlock(next, how, tagLine + 1, StoryEdgeKind::Option, caption);
        break;
      }
      case ChoiceOutcome::GoOn: {
        // Play resumes four lines after the question, or, after a missed photo, deals again.
        Play goOn = play;
        if (BlockAt(first + 3) != node_) Arrow(BlockAt(first + 3), StoryEdgeKind::Option, caption);
        Reach(goOn, first + 4, false, "after " + how);
        PlayPhoto(play, tagLine, "another try at the photo by " + how);
        break;
      }
      case ChoiceOutcome::Leave:
        Exit(caption + ": to the map");
        break;
    }
  }
}

void ScriptWalk::PlayPhoto(const Play& play, size_t line, const std::string& how) {
  static const char* const kResults[6] = {"", "a good photo", "a near miss", "a near miss", "a bad photo",
                                          "a bad photo"};
  static const char* const kArrows[6] = {"", "photo 1: good", "photo 2: near miss", "photo 3: near miss",
                                         "photo 4: bad", "photo 5: bad"};
  for (int result = 1; result <= 5; ++result) {
    if (result == 1) CheckFinish(play, line, "a good photo from " + how);
    const std::string label = ScriptText::GameResultLabelFor(result, play.Event, play.Partner);
    const int found = FindLabel(label);
    if (found == 0) {
      const size_t missing = Box(StoryNodeKind::Missing, label);
      Arrow(missing, StoryEdgeKind::Photo, kArrows[result]);
      Add(true, static_cast<int>(line) + 1,
          "after " + how + " in " + Who(play.Event, play.Partner) + ", result " + std::to_string(result) + " (" +
              kResults[result] + ") goes on at '" + label + "', which the script does not have: the game would start '" +
              ScriptText::EventLabelFor(play.Event, play.Partner) + "' again instead",
          missing);
      continue;
    }
    Arrow(BlockAt(static_cast<size_t>(found) - 1), StoryEdgeKind::Photo, kArrows[result]);
    Play after = play;
    after.CgShown = false;
    if (PhotoGame::SendsPartnerAway(play.Partner, result)) after.Partner = 0;
    Reach(after, static_cast<size_t>(found), false, label);
  }
}

void ScriptWalk::CheckFinish(const Play& play, size_t line, const std::string& how) {
  if (!EventTable.Contains(play.Event))
    Error(static_cast<int>(line) + 1, how + " finishes " + Who(play.Event, play.Partner) +
                                          ", which the game does not have (events 1 to 14): the game would stop "
                                          "with an error");
}

void ScriptWalk::CheckShownLine(size_t index, int left, int right, int style) {
  const std::string& line = lines_[index];
  // A tag with a blank or in other letters is text, drawn as it stands.
  const std::string bare = Trimmed(line);
  for (const ScriptTag& tag : ScriptTags) {
    const std::string name = tag.Line;
    const bool sameLetters = bare.size() == name.size() &&
                             std::equal(bare.begin(), bare.end(), name.begin(), [](char a, char b) {
                               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                             });
    if (sameLetters && line != name)
      Warning(static_cast<int>(index) + 1, Quoted(line) + " is shown as text, not run as " + name +
                                               ": a tag must stand alone on its line, without blanks, in exactly "
                                               "these letters");
  }
  auto [it, fresh] = widths_.try_emplace(std::make_pair(index, style), 0);
  if (fresh) {
    Canvas canvas;
    TextStyles::ApplyScreenStyle(canvas, style);
    it->second = TextWidth(canvas, line);
  }
  const int width = it->second;
  if (left + width > right)
    Warning(static_cast<int>(index) + 1, "this line is " + std::to_string(width) + " pixels wide, but the message window has room for " +
                                             std::to_string(right - left) + " where it is shown: its end would run past the window");
}

std::string ScriptWalk::OptionCaption(const Play& play, int set, int id, size_t first) {
  const auto shown = [&](size_t index) {
    return index < lines_.size() && ScriptText::TagIndex(lines_[index]) == 0 && !IsLabelLine(index);
  };
  if (set == 2) {
    // The two options stand on the lines after the question, option 11 first.
    const size_t index = first + static_cast<size_t>(id - 10);
    if (id >= 11 && id <= 12 && shown(index)) return Trimmed(DecodeCp932(lines_[index]));
  } else {
    // The captions stand on the panel's second and third lines; a caption belongs to the
    // option under its middle.
    const int left = 35 + (play.CgShown ? 10 : 0);
    const int top = play.CgShown ? 390 : 395;
    Canvas canvas;
    TextStyles::ApplyScreenStyle(canvas, 4);
    for (size_t row = 1; row <= 2 && shown(first + row - 1) && shown(first + row); ++row) {
      const std::string& line = lines_[first + row];
      for (size_t start = line.find_first_not_of(' '); start != std::string::npos;) {
        const size_t end = std::min(line.find(' ', start), line.size());
        const std::string word = line.substr(start, end - start);
        const int middle = left + TextWidth(canvas, line.substr(0, start)) + TextWidth(canvas, word) / 2;
        if (Choices::OptionAt(set, 0, middle, top + 20 * static_cast<int>(row) + 8) == id) return DecodeCp932(word);
        start = line.find_first_not_of(' ', end);
      }
    }
  }
  return "option " + std::to_string(id);
}

}  // namespace

std::vector<ScriptFinding> CheckScript(const std::vector<std::string>& lines, StoryGraph* graph) {
  if (graph) *graph = StoryBlocks(lines);
  return ScriptWalk(lines, graph).Run();
}

std::string DescribeFinding(const ScriptFinding& finding) {
  std::string out = finding.Line > 0 ? "line " + std::to_string(finding.Line) + ": " : "";
  out += finding.Error ? "error: " : "warning: ";
  return out + finding.Message;
}

}  // namespace velmora
