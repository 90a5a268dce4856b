#pragma once
// The window's line to a Wayland compositor while a wipe holds the thread.
//
// Qt sends a window's new picture to the compositor, and reads the compositor's answers
// (among them the buffers it gives back), only when the event loop wakes or is about to
// sleep. A wipe does neither for a second: its steps would sit unsent in the connection,
// and after a few steps Qt would run out of free buffers and stall until the compositor's
// next frame. So after every step the shell tells Qt's platform that the thread is awake,
// which sends what waits and takes in what came back. Pointer, key, wheel, enter and
// expose events are only queued there (Qt delivers them from the event loop, after the
// wipe, in the order they came); a compositor's close is the exception: Qt 6.4 closes the
// window at once (xdg_toplevel.close calls QWindow::close, a synchronous close event),
// so GameWindow holds a close that comes during an entry until the entry's end.
// Elsewhere (X11, offscreen) it does nothing.
//
// That is what Qt 6.4 (Debian 12's) does on that signal. Later Qt versions also hand the
// queued window events over there, so a key, a click or a close could arrive in the middle
// of a wipe; with them the link stays off and Qt keeps its own pace.

namespace velmora {

class CompositorLink {
 public:
  CompositorLink();
  // Under Wayland, sends the window's pending requests and reads the replies waiting.
  void Flush() const;

 private:
  bool active_;  // under Wayland, with a Qt that does only that on the signal
};

}  // namespace velmora
