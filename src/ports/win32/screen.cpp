#include "ports/win32/screen.hpp"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "ports/win32/window_handle.hpp"

namespace quimbel::win32_port {

double ScaleForDpi(int dpi) {
  return dpi > 0 ? dpi / 96.0 : 1.0;
}

namespace {

// The primary monitor's dpi as the system scales it now (Windows 8.1 on, for
// a program aware of each monitor's dpi); 0 where the system cannot say.
int PrimaryMonitorDpi() {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  HMODULE shcore = LoadLibraryW(L"shcore.dll");
  if (shcore == nullptr)
    return 0;
  const auto get = reinterpret_cast<GetDpiForMonitorFn>(
      reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
  UINT x = 0, y = 0;
  const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  const bool known =
      get != nullptr && primary != nullptr && get(primary, kEffectiveDpi, &x, &y) == S_OK;
  FreeLibrary(shcore);
  return known ? static_cast<int>(x) : 0;
}

}  // namespace

Win32Screen::Win32Screen() {
  int dpi = PrimaryMonitorDpi();
  HDC screen = dpi > 0 ? nullptr : GetDC(nullptr);
  if (screen != nullptr) {
    // Before 8.1: the system's one logical dpi, the same both ways.
    dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
  }
  scale_ = ScaleForDpi(dpi);
  // The primary monitor's corner is (0, 0) of the screen's coordinates by
  // definition; the virtual screen bounds every monitor.
  primary_ = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  desktop_ = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
              top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  if (desktop_.right <= desktop_.left || desktop_.bottom <= desktop_.top)
    desktop_ = primary_;  // a system without the virtual-screen metrics
}

void Win32Screen::HoldDesktop(const platform::Rect32& area) {
  snapshot_ = base::Surface();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0)
    return;
  base::Surface picture(width, height);
  if (!CaptureLive(picture, area.left, area.top, width, height))
    return;
  snapshot_ = std::move(picture);
  snapshotLeft_ = area.left;
  snapshotTop_ = area.top;
}

bool Win32Screen::Capture(base::Surface& dst, int x, int y, int width, int height) {
  if (snapshot_.Empty())
    return CaptureLive(dst, x, y, width, height);
  return platform::CaptureHeld(snapshot_, snapshotLeft_, snapshotTop_, dst, x, y, width, height);
}

bool Win32Screen::CaptureLive(base::Surface& dst, int x, int y, int width, int height) {
  int w = std::min(width, dst.Width());
  int h = std::min(height, dst.Height());
  if (w <= 0 || h <= 0)
    return false;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down rows, like the surface's
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib == nullptr || bits == nullptr)
    return false;

  // The desktop window's DC is the whole screen, whatever is painted on it,
  // our own windows included.
  HWND desktop = GetDesktopWindow();
  HDC source = GetDC(desktop);
  HDC memory = CreateCompatibleDC(source);
  HGDIOBJ old = SelectObject(memory, dib);
  bool ok = source != nullptr && memory != nullptr &&
            BitBlt(memory, 0, 0, w, h, source, x, y, SRCCOPY) != FALSE;
  GdiFlush();
  if (ok) {
    const auto* pixels = static_cast<const base::Pixel*>(bits);
    for (int row = 0; row < h; ++row) {
      for (int col = 0; col < w; ++col)
        dst.At(col, row) = pixels[static_cast<std::size_t>(row) * w + col] & 0xFFFFFF;
    }
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(desktop, source);
  DeleteObject(dib);
  return ok;
}

bool Win32Screen::CursorPos(platform::Point32& p) {
  POINT pt{};
  if (!GetCursorPos(&pt))
    return false;
  p.x = pt.x;
  p.y = pt.y;
  return true;
}

bool Win32Screen::CaretPos(platform::Point32& p) {
  POINT pt{};
  if (!GetCaretPos(&pt))
    return false;
  p.x = pt.x;
  p.y = pt.y;
  return true;
}

bool Win32Screen::WindowRect(platform::WindowHandle handle, platform::Rect32& r) {
  HWND window = ToHwnd(handle);
  RECT rect{};
  // GetWindowRect(NULL) would answer with the desktop's rectangle.
  if (window == nullptr || !IsWindow(window) || !GetWindowRect(window, &rect))
    return false;
  r.left = rect.left;
  r.top = rect.top;
  r.right = rect.right;
  r.bottom = rect.bottom;
  return true;
}

}  // namespace quimbel::win32_port
