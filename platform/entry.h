#pragma once
// Every entry from a host's event loop into the game goes through RunEntry: the handler
// runs, and an error it raises is shown in a message box instead of leaving the loop.

#include <exception>
#include <new>
#include <string>

#include "app/game_error.h"
#include "platform/host.h"

namespace velmora {

template <typename Handler>
void RunEntry(Host& host, Handler&& handler) {
  try {
    handler();
  } catch (const GameError& e) {
    host.ShowMessage(e.what());
  } catch (const std::bad_alloc&) {
    host.ShowMessage("メモリが足りません");
  } catch (const std::exception& e) {
    host.ShowMessage(std::string("エラー: ") + e.what());
  }
}

}  // namespace velmora
