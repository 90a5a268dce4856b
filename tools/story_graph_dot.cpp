#include "tools/story_graph_dot.h"

#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <map>

#include "script/script_text.h"

namespace velmora {

namespace {

constexpr const char* kFont = "IPAPGothic,sans-serif";  // an SVG viewer without the game's font falls back
constexpr const char* kFingerprintTag = "story map ";

// Control characters (a script may hold any byte) shown as '?': Graphviz refuses them.
char Printable(char c) { return (c >= 0 && c < 0x20) || c == 0x7F ? '?' : c; }

// Text for an HTML-like label.
std::string Html(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += Printable(c);
    }
  }
  return out;
}

// Text for a quoted dot string.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += Printable(c);
  }
  return out + '"';
}

// Columns a UTF-8 text takes: two for anything beyond ASCII (Japanese, mostly).
size_t Columns(const std::string& text) {
  size_t columns = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) columns += 1;
    else if ((byte & 0xC0) != 0x80) columns += 2;
  }
  return columns;
}

// Text broken at blanks into lines of about Width columns.
std::vector<std::string> Wrapped(const std::string& text, size_t width) {
  std::vector<std::string> lines(1);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    if (!lines.back().empty() && Columns(lines.back()) + 1 + Columns(word) > width) lines.emplace_back();
    if (!lines.back().empty()) lines.back() += ' ';
    lines.back() += word;
    start = end + 1;
  }
  return lines;
}

constexpr const char* kLeft = "<BR ALIGN=\"LEFT\"/>";

std::string Coloured(const std::string& html, const char* colour) {
  return std::string("<FONT COLOR=\"") + colour + "\">" + html + "</FONT>";
}

// The checker's messages, each wrapped and set off by a bullet.
std::string ErrorLines(const StoryNode& node) {
  std::string lines;
  for (const std::string& error : node.Errors) {
    bool first = true;
    for (const std::string& line : Wrapped(error, 50)) {
      lines += Coloured((first ? "• " : "   ") + Html(line), "red3") + kLeft;
      first = false;
    }
  }
  return lines;
}

std::string BlockLabel(const StoryNode& node) {
  std::string label = "<B>" + Html(node.Title) + "</B>  <FONT POINT-SIZE=\"9\" COLOR=\"grey40\">lines " +
                      std::to_string(node.FirstLine) + "–" + std::to_string(node.LastLine) + "</FONT>" + kLeft;
  // What it shows, on as few lines as fit.
  std::string shows;
  for (const std::string& item : node.Shows) {
    if (item.rfind("choice: ", 0) == 0) continue;
    shows += (shows.empty() ? "" : " · ") + item;
  }
  for (const std::string& line : Wrapped(shows, 36))
    if (!line.empty()) label += Html(line) + kLeft;
  for (const std::string& item : node.Shows)
    if (item.rfind("choice: ", 0) == 0) label += "<I>" + Html(item) + "</I>" + kLeft;
  for (const std::string& exit : node.Exits) label += Coloured(Html("→ " + exit), "grey30") + kLeft;
  if (node.Warnings > 0)
    label += Coloured(std::to_string(node.Warnings) + (node.Warnings == 1 ? " warning" : " warnings"), "darkorange3") +
             kLeft;
  return label + ErrorLines(node);
}

// The node's statement after its name.
std::string NodeAttributes(const StoryNode& node) {
  const bool broken = !node.Errors.empty();
  switch (node.Kind) {
    case StoryNodeKind::Start:
      return "[label=<<B>" + Html(node.Title) + "</B>> shape=box style=\"filled\" fillcolor=\"#dbe6f4\" color=\"#3465a4\"]";
    case StoryNodeKind::End:
      return "[label=<<B>" + Html(node.Title) + "</B>> shape=doubleoctagon style=\"filled\" fillcolor=\"#e9dcef\" "
             "color=\"#75507b\"]";
    case StoryNodeKind::Missing: {
      std::string label = "<B>" + Html(node.Title) + "</B>" + kLeft + Coloured("not in the script", "red3") + kLeft;
      label += ErrorLines(node);
      return "[label=<" + label + "> shape=box style=\"dashed,filled\" fillcolor=\"mistyrose\" color=\"red3\" penwidth=2]";
    }
    case StoryNodeKind::Block:
      break;
  }
  std::string look = " style=\"rounded,filled\" fillcolor=\"white\" color=\"grey30\"";
  if (!node.Reached) look = " style=\"rounded,filled\" fillcolor=\"grey85\" color=\"grey55\" fontcolor=\"grey35\"";
  if (broken) look = " style=\"rounded,filled\" fillcolor=\"mistyrose\" color=\"red3\" penwidth=2";
  return "[label=<" + BlockLabel(node) + ">" + look + "]";
}

std::string EdgeAttributes(const StoryEdge& edge) {
  const char* colour = "black";
  std::string extra;
  switch (edge.Kind) {
    case StoryEdgeKind::Start: colour = "#3465a4"; break;
    case StoryEdgeKind::Option: colour = "#ce5c00"; break;
    case StoryEdgeKind::Photo: colour = "#4e9a06"; break;
    case StoryEdgeKind::Ending: colour = "#75507b"; extra = " penwidth=2"; break;
    case StoryEdgeKind::FallThrough: colour = "red3"; extra = " style=dashed"; break;
    case StoryEdgeKind::End: colour = "#75507b"; break;
  }
  std::string out = std::string("[color=\"") + colour + "\" fontcolor=\"" + colour + "\"" + extra;
  if (!edge.Text.empty()) out += " label=" + Quoted(edge.Text);
  return out + "]";
}

// Which group a block is drawn in: a heroine's (1..3) when only she was ever with the
// player there, 0 for blocks played without a heroine, 4 for blocks played with several,
// 5 for blocks never reached; -1 (no group) for the other boxes.
int Group(const StoryNode& node) {
  if (node.Kind != StoryNodeKind::Block) return -1;
  if (!node.Reached) return 5;
  for (int g = 0; g <= 3; ++g)
    if (node.Partners == 1u << g) return g;
  return 4;
}

// What the colours mean.
constexpr const char* kLegend =
    "legend [shape=plaintext margin=0 label=<<TABLE BORDER=\"1\" COLOR=\"grey60\" CELLBORDER=\"0\" CELLSPACING=\"2\" "
    "CELLPADDING=\"2\">"
    "<TR><TD ALIGN=\"LEFT\"><B>Arrows</B></TD></TR>"
    "<TR><TD ALIGN=\"LEFT\"><FONT COLOR=\"#3465a4\">blue: a new game, an event starting at a place</FONT></TD></TR>"
    "<TR><TD ALIGN=\"LEFT\"><FONT COLOR=\"#ce5c00\">orange: a choice's option</FONT></TD></TR>"
    "<TR><TD ALIGN=\"LEFT\"><FONT COLOR=\"#4e9a06\">green: a photo game and its results</FONT></TD></TR>"
    "<TR><TD ALIGN=\"LEFT\"><FONT COLOR=\"#75507b\">purple: *ending, *end</FONT></TD></TR>"
    "<TR><TD ALIGN=\"LEFT\"><FONT COLOR=\"red3\">red, dashed: runs on into the next label</FONT></TD></TR>"
    "<TR><TD ALIGN=\"LEFT\"><B>Boxes</B>: a label, its lines, what it shows</TD></TR>"
    "<TR><TD ALIGN=\"LEFT\" BGCOLOR=\"grey85\">grey: no path reaches it</TD></TR>"
    "<TR><TD ALIGN=\"LEFT\" BGCOLOR=\"mistyrose\"><FONT COLOR=\"red3\">red: an error, with the message</FONT></TD></TR>"
    "</TABLE>>]";

uint64_t Fnv1a(const std::string& text) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash;
}

}  // namespace

std::string StoryGraphDot(const StoryGraph& graph) {
  static const char* const kGroups[6][2] = {{"Without a heroine", "#f4f4ef"},
                                            {HeroineNames[1].DisplayName, "#fbeef2"},
                                            {HeroineNames[2].DisplayName, "#eef6ec"},
                                            {HeroineNames[3].DisplayName, "#f0eef8"},
                                            {"With several heroines", "#f6f1e6"},
                                            {"Never reached", "#ececec"}};
  // Node statements by group (the last: no group), arrows after them.
  std::vector<std::string> groups(7);
  const auto place = [&groups](int group, const std::string& statement) {
    groups[group < 0 ? 6 : static_cast<size_t>(group)] += "    " + statement + "\n";
  };
  std::string arrows;
  for (size_t i = 0; i < graph.Nodes.size(); ++i)
    place(Group(graph.Nodes[i]), "n" + std::to_string(i) + " " + NodeAttributes(graph.Nodes[i]));

  // A photo game is a small node of its own its results leave from; blocks whose photo
  // game has the same results share it, which keeps their fans of arrows from crossing.
  std::map<size_t, std::vector<std::pair<size_t, std::string>>> photoResults;
  for (const StoryEdge& edge : graph.Edges)
    if (edge.Kind == StoryEdgeKind::Photo) photoResults[edge.From].emplace_back(edge.To, edge.Text);
  std::map<std::vector<std::pair<size_t, std::string>>, std::vector<size_t>> photoGames;  // results -> blocks
  for (auto& [from, results] : photoResults) {
    std::sort(results.begin(), results.end());
    photoGames[results].push_back(from);
  }
  size_t game = 0;
  for (const auto& [results, froms] : photoGames) {
    const std::string name = "photo" + std::to_string(game++);
    int group = Group(graph.Nodes[froms.front()]);
    for (const size_t from : froms) {
      if (Group(graph.Nodes[from]) != group) group = -1;
      arrows += "  n" + std::to_string(from) + " -> " + name + " [color=\"#4e9a06\"]\n";
    }
    for (const auto& [to, text] : results)
      arrows += "  " + name + " -> n" + std::to_string(to) + " [color=\"#4e9a06\" fontcolor=\"#4e9a06\" label=" +
                Quoted(text.substr(text.rfind("photo ", 0) == 0 ? 6 : 0)) + "]\n";
    place(group, name + " [label=\"photo game\" shape=ellipse style=filled fillcolor=\"#e3f1d8\" color=\"#4e9a06\" "
                        "fontsize=9 margin=\"0.04,0.02\"]");
  }
  for (const StoryEdge& edge : graph.Edges)
    if (edge.Kind != StoryEdgeKind::Photo)
      arrows += "  n" + std::to_string(edge.From) + " -> n" + std::to_string(edge.To) + " " + EdgeAttributes(edge) + "\n";

  std::string body;
  body += std::string("  graph [rankdir=LR newrank=true nodesep=0.3 ranksep=0.45 fontname=\"") + kFont +
          "\" fontsize=14 labeljust=l]\n";
  body += std::string("  node [shape=box fontname=\"") + kFont + "\" fontsize=11 margin=\"0.12,0.06\"]\n";
  body += std::string("  edge [fontname=\"") + kFont + "\" fontsize=10 arrowsize=0.7]\n";
  for (size_t g = 0; g < 6; ++g) {
    if (groups[g].empty()) continue;
    body += "  subgraph cluster_" + std::to_string(g) + " {\n    label=<<B>" + Html(kGroups[g][0]) +
            "</B>> style=\"filled,rounded\" color=\"grey75\" fillcolor=\"" + kGroups[g][1] + "\"\n" + groups[g] +
            "  }\n";
  }
  body += groups[6] + "  " + kLegend + "\n" + arrows + "}\n";

  char fingerprint[17];
  std::snprintf(fingerprint, sizeof fingerprint, "%016llx", static_cast<unsigned long long>(Fnv1a(body)));
  return std::string("digraph story {\n  comment=\"") + kFingerprintTag + fingerprint + "\"\n" + body;
}

std::string StoryGraphFingerprint(const std::string& dot) {
  const std::string tag = std::string("comment=\"") + kFingerprintTag;
  const size_t at = dot.find(tag);
  return at == std::string::npos ? std::string() : dot.substr(at + tag.size(), 16);
}

}  // namespace velmora
