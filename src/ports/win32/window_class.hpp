#pragma once
// The window classes of this program: each registered once per process, the
// first time a window of it is made.
#include <windows.h>

namespace quimbel::win32_port {

// Registers the class unless it is registered already, and returns its name
// for CreateWindowExW. The pointer over it is the arrow unless noCursor.
const wchar_t* WindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background,
                           bool noCursor = false);

}  // namespace quimbel::win32_port
