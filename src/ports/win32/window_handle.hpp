#pragma once
// The command line names windows by number; Win32 wants an HWND.
#include <windows.h>

#include <cstdint>

#include "platform/screen.hpp"

namespace quimbel::win32_port {

// Handles are 32 bits wide on 64-bit Windows too and sign-extended there.
inline HWND ToHwnd(platform::WindowHandle handle) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle));
}

inline platform::WindowHandle FromHwnd(HWND window) {
  return static_cast<platform::WindowHandle>(reinterpret_cast<std::intptr_t>(window));
}

}  // namespace quimbel::win32_port
