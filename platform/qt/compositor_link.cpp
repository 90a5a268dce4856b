#include "platform/qt/compositor_link.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QVersionNumber>

namespace velmora {

// Qt's Wayland platforms are "wayland" and "wayland-egl" (and a few more "wayland-*").
CompositorLink::CompositorLink()
    : active_(QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
               QLibraryInfo::version() < QVersionNumber(6, 5)) {}

void CompositorLink::Flush() const {
  if (!active_) return;
  // Qt's Wayland platform listens to this signal of the event dispatcher: on it, it
  // dispatches the compositor's replies already received and flushes the requests the
  // window has made (the surface commit of the step just painted).
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) emit dispatcher->awake();
}

}  // namespace velmora
