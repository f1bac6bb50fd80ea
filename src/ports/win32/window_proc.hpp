#pragma once
// Windows of ours carry their C++ object: CreateWindowExW gets it as its last
// argument, WM_NCCREATE ties it to the window, and every message from then on
// goes to its Handle. Messages before WM_NCCREATE get the default handling.
#include <windows.h>

namespace quimbel::win32_port {

template <class Owner>
LRESULT OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<Owner*>(create->lpCreateParams);
    self->Attach(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr)
    return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

}  // namespace quimbel::win32_port
