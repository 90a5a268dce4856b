#pragma once
// The reading tools' feed: each unit the player reads (a text page, a choice, a remark, an
// ending line) as one text, handed to the tool the player chose with --texthook:
//   stdout            each unit on standard output, a blank line after it
//   clipboard         each unit put on the clipboard (what clipboard-watching tools read)
//   websocket[:PORT]  each unit one UTF-8 text frame to every client of
//                     ws://127.0.0.1:PORT (6677 by default, the texthooker pages' address),
//                     listening on the loopback address only
// The game never waits for a tool: frames are queued on the sockets and sent by the event
// loop; a client that stops reading is let go. A port in use is said once on stderr and
// the game goes on without the hook. VELMORA_TEXTHOOK=1 still prints each line as it is
// drawn (Host::StoryText).

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

class QWebSocket;
class QWebSocketServer;

namespace velmora {

class PageFeed;
struct ReadUnit;

inline constexpr quint16 kDefaultTextHookPort = 6677;

struct TextHookChoice {
  enum class Mode { Stdout, Clipboard, WebSocket };
  Mode What = Mode::Stdout;
  quint16 Port = kDefaultTextHookPort;
};

// Reads the value of --texthook; on a mistake says what is wrong in Problem.
std::optional<TextHookChoice> ParseTextHook(const QString& value, QString& problem);
// The text a tool gets for a unit: its lines, then a choice's options, one a line.
QString TextHookText(const ReadUnit& unit);

class TextHooks : public QObject {
  Q_OBJECT

 public:
  // A client whose unsent frames pass this is let go rather than kept waiting for.
  static constexpr qint64 kMostQueuedBytes = 1 << 20;

  TextHooks(PageFeed& feed, TextHookChoice choice, QObject* parent = nullptr);
  ~TextHooks() override;

  // The WebSocket server's port while it listens, else 0.
  quint16 ListeningPort() const;
  int Clients() const { return static_cast<int>(clients_.size()); }

 private:
  void Send(const ReadUnit& unit);

  TextHookChoice choice_;
  QWebSocketServer* server_ = nullptr;
  QList<QWebSocket*> clients_;
};

}  // namespace velmora
