#include "tools/story_graph_render.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include <QByteArray>
#include <QProcess>
#include <QString>

namespace velmora {

std::string WriteStoryMap(const std::string& dot, const std::string& path) {
  const size_t dotAt = path.find_last_of("./");
  std::string ending = dotAt == std::string::npos || path[dotAt] != '.' ? "" : path.substr(dotAt + 1);
  for (char& c : ending) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  const std::string cannot = "cannot draw the story map into " + path + ": ";
  if (ending != "dot" && ending != "svg" && ending != "png")
    return cannot + "its name must end in .svg, .png or .dot";

  QByteArray bytes = QByteArray::fromStdString(dot);
  if (ending != "dot") {
    QProcess graphviz;
    graphviz.start("dot", {QString::fromStdString("-T" + ending)});
    if (!graphviz.waitForStarted())
      return cannot + "Graphviz's dot program did not start (install the Debian package graphviz)";
    graphviz.write(bytes);
    graphviz.closeWriteChannel();
    if (!graphviz.waitForFinished(300000)) {
      graphviz.kill();
      graphviz.waitForFinished();
      return cannot + "Graphviz's dot program did not finish within five minutes";
    }
    if (graphviz.exitStatus() != QProcess::NormalExit || graphviz.exitCode() != 0) {
      const QString said = QString::fromUtf8(graphviz.readAllStandardError()).trimmed().section('\n', 0, 0);
      return cannot + "Graphviz's dot program failed" + (said.isEmpty() ? "" : ": " + said.toStdString());
    }
    bytes = graphviz.readAllStandardOutput();
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return "cannot write " + path + ": " + std::strerror(errno);
  out.write(bytes.constData(), bytes.size());
  out.close();
  if (!out) return "cannot write " + path + ": " + std::strerror(errno);
  return {};
}

}  // namespace velmora
