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

struct Enumeration {
  std::vector<platform::Monitor> monitors;
  double systemScale = 1;
  // GetDpiForMonitor (shcore.dll, Windows 8.1 on), or nothing.
  HRESULT(WINAPI* dpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& e = *reinterpret_cast<Enumeration*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info))
    return TRUE;
  const RECT& r = info.rcMonitor;
  const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  // The primary monitor keeps the system's dpi, which the dialogs' fonts use
  // too; the others report their own where the system can say.
  double scale = e.systemScale;
  UINT dpiX = 0, dpiY = 0;
  if (!primary && e.dpiForMonitor != nullptr &&
      SUCCEEDED(e.dpiForMonitor(monitor, 0 /* MDT_EFFECTIVE_DPI */, &dpiX, &dpiY)))
    scale = ScaleForDpi(static_cast<int>(dpiX));
  e.monitors.push_back({{r.left, r.top, r.right, r.bottom}, scale, primary});
  return TRUE;
}

}  // namespace

Win32Screen::Win32Screen() {
  HDC screen = GetDC(nullptr);
  double systemScale = 1;
  if (screen != nullptr) {
    // The system's one logical dpi, which is the same both ways.
    systemScale = ScaleForDpi(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
  }
  Enumeration e;
  e.systemScale = systemScale;
  if (HMODULE shcore = LoadLibraryW(L"shcore.dll")) {
    e.dpiForMonitor = reinterpret_cast<decltype(e.dpiForMonitor)>(
        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
  }
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&e));
  monitors_ = std::move(e.monitors);
  if (monitors_.empty()) {
    // A system that names no monitor: the primary's corner is (0, 0) of the
    // screen's coordinates by definition.
    monitors_.push_back(
        {{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, systemScale, true});
  }
}

void Win32Screen::HoldDesktop(const platform::Rect32& area) {
  held_.Hold(area, [this](base::Surface& dst, int x, int y, int w, int h) {
    return CaptureLive(dst, x, y, w, h);
  });
}

bool Win32Screen::Capture(base::Surface& dst, int x, int y, int width, int height) {
  if (held_.Held())
    return held_.Capture(dst, x, y, width, height);
  return CaptureLive(dst, x, y, width, height);
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
