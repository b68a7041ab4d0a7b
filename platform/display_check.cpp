#include "platform/display_check.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace {

std::string_view Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string_view(value) : std::string_view();
}

bool CanConnectToX(const std::string& display) {
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool connected = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return connected;
}

}  // namespace

std::string DisplayProblem() {
  const std::string_view platform = Variable("QT_QPA_PLATFORM");
  // Another platform chosen on purpose (offscreen, wayland) is Qt's to open.
  if (!platform.empty() && !platform.starts_with("xcb")) return {};
  const std::string display(Variable("DISPLAY"));
  if (display.empty()) {
    if (platform.empty() && !Variable("WAYLAND_DISPLAY").empty()) return {};
    return "no display to open: DISPLAY is not set";
  }
  if (!CanConnectToX(display)) return "cannot open display \"" + display + "\"";
  return {};
}
