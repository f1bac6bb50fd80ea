#include "ports/win32/window_class.hpp"

namespace quimbel::win32_port {

const wchar_t* WindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background,
                           bool noCursor) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(instance, name, &wc))
    return name;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = noCursor ? nullptr : LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
  return name;
}

}  // namespace quimbel::win32_port
