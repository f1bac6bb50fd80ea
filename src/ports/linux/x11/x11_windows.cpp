#include "ports/linux/x11/x11_windows.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <optional>
#include <string>

#include "ports/linux/x11/x11_connection.hpp"

namespace quimbel::linux_port {
namespace {

std::optional<std::string> NetWmName(Display* display, Window window) {
  Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, netWmName, 0, 4096, False, utf8, &type, &format, &count,
                         &after, &data) != Success) {
    return std::nullopt;
  }
  std::optional<std::string> name;
  if (data != nullptr && type == utf8 && format == 8) {
    name = std::string(reinterpret_cast<char*>(data), count);
  }
  if (data != nullptr)
    XFree(data);
  return name;
}

std::optional<std::string> WmName(Display* display, Window window) {
  XTextProperty property{};
  if (XGetWMName(display, window, &property) == 0 || property.value == nullptr) {
    return std::nullopt;
  }
  std::optional<std::string> name;
  char** list = nullptr;
  int count = 0;
  if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && count > 0 &&
      list != nullptr) {
    name = std::string(list[0]);
  }
  if (list != nullptr)
    XFreeStringList(list);
  XFree(property.value);
  return name;
}

bool HasTitle(Display* display, Window window, std::string_view title) {
  std::optional<std::string> name = NetWmName(display, window);
  if (!name)
    name = WmName(display, window);
  return name && *name == title;
}

}  // namespace

bool X11TopLevelWindowExists(std::string_view title) {
  // Windows may vanish while we walk the tree; their errors mean "not this one".
  X11Connection connection;
  Display* display = connection.get();
  if (display == nullptr)
    return false;
  bool found = false;
  Window root = DefaultRootWindow(display);
  Window rootReturn = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count && !found; ++i) {
      if (HasTitle(display, children[i], title)) {
        found = true;
        break;
      }
      Window* grand = nullptr;
      unsigned int grandCount = 0;
      if (XQueryTree(display, children[i], &rootReturn, &parent, &grand, &grandCount) != 0) {
        for (unsigned int j = 0; j < grandCount && !found; ++j) {
          found = HasTitle(display, grand[j], title);
        }
        if (grand != nullptr)
          XFree(grand);
      }
    }
    if (children != nullptr)
      XFree(children);
  }
  return found;
}

}  // namespace quimbel::linux_port
