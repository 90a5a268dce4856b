#include "platform/qt/text_hooks.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QWebSocket>
#include <QWebSocketServer>
#include <cstdio>

#include "app/page_feed.h"

namespace velmora {

std::optional<TextHookChoice> ParseTextHook(const QString& value, QString& problem) {
  TextHookChoice choice;
  if (value == u"stdout") return choice;
  if (value == u"clipboard") {
    choice.What = TextHookChoice::Mode::Clipboard;
    return choice;
  }
  if (value == u"websocket" || value.startsWith(u"websocket:")) {
    choice.What = TextHookChoice::Mode::WebSocket;
    if (value.size() == 9) return choice;
    const QString port = value.mid(10);
    bool ok = false;
    const uint number = port.toUInt(&ok);
    bool digits = !port.isEmpty();
    for (const QChar c : port) digits = digits && c >= u'0' && c <= u'9';
    if (!ok || !digits || number < 1 || number > 65535) {
      problem = QStringLiteral("--texthook=websocket:PORT takes a port from 1 to 65535, not '%1'").arg(port);
      return std::nullopt;
    }
    choice.Port = static_cast<quint16>(number);
    return choice;
  }
  problem = QStringLiteral("--texthook takes stdout, clipboard or websocket[:PORT], not '%1'").arg(value);
  return std::nullopt;
}

QString TextHookText(const ReadUnit& unit) { return QString::fromStdString(UnitText(unit)); }

TextHooks::TextHooks(PageFeed& feed, TextHookChoice choice, QObject* parent) : QObject(parent), choice_(choice) {
  feed.OnUnit([this](const ReadUnit& unit) { Send(unit); });
  if (choice_.What != TextHookChoice::Mode::WebSocket) return;
  server_ = new QWebSocketServer(QStringLiteral("velmora"), QWebSocketServer::NonSecureMode, this);
  if (!server_->listen(QHostAddress::LocalHost, choice_.Port)) {
    std::fprintf(stderr, "velmora: the text hook cannot listen on 127.0.0.1:%u (%s); the game goes on without it\n",
                 static_cast<unsigned>(choice_.Port), qPrintable(server_->errorString()));
    return;
  }
  connect(server_, &QWebSocketServer::newConnection, this, [this] {
    while (QWebSocket* client = server_->nextPendingConnection()) {
      clients_.append(client);
      connect(client, &QWebSocket::disconnected, this, [this, client] {
        clients_.removeOne(client);
        client->deleteLater();
      });
    }
  });
}

TextHooks::~TextHooks() {
  for (QWebSocket* client : clients_) client->abort();
}

quint16 TextHooks::ListeningPort() const { return server_ && server_->isListening() ? server_->serverPort() : 0; }

void TextHooks::Send(const ReadUnit& unit) {
  const QString text = TextHookText(unit);
  switch (choice_.What) {
    case TextHookChoice::Mode::Stdout: {
      const QByteArray bytes = text.toUtf8() + "\n\n";
      std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
      std::fflush(stdout);
      break;
    }
    case TextHookChoice::Mode::Clipboard:
      if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(text);
      break;
    case TextHookChoice::Mode::WebSocket:
      for (QWebSocket* client : QList<QWebSocket*>(clients_)) {
        // Frames wait in the socket's buffer for the event loop; one that no longer reads
        // is let go rather than kept growing.
        if (client->bytesToWrite() > kMostQueuedBytes) {
          client->abort();
          continue;
        }
        client->sendTextMessage(text);
      }
      break;
  }
}

}  // namespace velmora
