#include "ports/win32/saver_window.hpp"

#include <windows.h>
#include <windowsx.h>

#include <cstring>
#include <optional>
#include <span>

#include "ports/win32/dib.hpp"
#include "ports/win32/display_power.hpp"
#include "ports/win32/message_box.hpp"
#include "ports/win32/message_loop.hpp"
#include "ports/win32/unicode.hpp"
#include "ports/win32/window_class.hpp"
#include "ports/win32/window_proc.hpp"

namespace quimbel::win32_port {
namespace {

constexpr wchar_t kSaverClass[] = L"QuimbelSaver";
constexpr wchar_t kFocusClass[] = L"QuimbelFocusHolder";
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT_PTR kTimer2 = 2;
// SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW.
constexpr UINT kTopmostFlags = 0x53;

LRESULT CALLBACK SaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FocusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class Win32Saver : public platform::SaverWindow {
 public:
  Win32Saver(Win32Screen& screen, std::string_view title, platform::SaverEvents& events)
      : screen_(screen), events_(events) {
    std::wstring wide = Widen(title);
    // Silver, though nothing paints it before the first frame.
    static const HBRUSH silver = CreateSolidBrush(RGB(192, 192, 192));
    window_ = CreateWindowExW(0, WindowClass(kSaverClass, SaverProc, silver), wide.c_str(),
                              WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (window_ == nullptr)
      return;
    WindowOpened();
    SetBoxOwner(window_);
    focus_ = CreateWindowExW(
        0,
        WindowClass(kFocusClass, FocusProc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), true),
        L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_, nullptr, GetModuleHandleW(nullptr),
        nullptr);
    SetWindowLongPtrW(focus_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    pointer_ = LoadCursorW(nullptr, IDC_ARROW);
    power_ = NotifyDisplayPower(window_);
  }
  ~Win32Saver() override {
    if (window_ != nullptr)
      DestroyWindow(window_);
    if (ownPointer_ != nullptr)
      DestroyCursor(ownPointer_);
    if (memory_ != nullptr)
      DeleteDC(memory_);
    if (frame_ != nullptr)
      DeleteObject(frame_);
  }
  Win32Saver(const Win32Saver&) = delete;
  Win32Saver& operator=(const Win32Saver&) = delete;

  void StartTimer(platform::SaverTimer timer, int periodMs) override {
    if (window_ != nullptr)
      SetTimer(window_, timer == platform::SaverTimer::k1 ? kTimer1 : kTimer2,
               static_cast<UINT>(periodMs > 0 ? periodMs : 1), nullptr);
  }
  void StopTimer(platform::SaverTimer timer) override {
    if (window_ != nullptr)
      KillTimer(window_, timer == platform::SaverTimer::k1 ? kTimer1 : kTimer2);
  }
  void SetSizePx(int width, int height) override {
    SetWindowPos(window_, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  void SetPositionPx(int left, int top) override {
    SetWindowPos(window_, nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  void SetFocusHolderBounds(int width, int height, int left, int top) override {
    MoveWindow(focus_, left, top, width < 0 ? 0 : width, height < 0 ? 0 : height, FALSE);
  }
  void Show() override {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
  }
  void FocusHolder() override {
    SetForegroundWindow(window_);
    SetFocus(focus_);
  }
  void SetNormalState() override {
    if (IsIconic(window_) || IsZoomed(window_))
      ShowWindow(window_, SW_RESTORE);
  }
  void SetPointer(const base::Icon& picture) override {
    HCURSOR made = CreateCursorFrom(picture, 0, 0);
    if (made == nullptr)
      return;
    UsePointer(made);
    if (ownPointer_ != nullptr)
      DestroyCursor(ownPointer_);
    ownPointer_ = made;
  }
  void SetDefaultPointer() override { UsePointer(LoadCursorW(nullptr, IDC_ARROW)); }

  // The core composes its frames right in the DIB section's pixels.
  base::Pixel* FrameMemory(int width, int height) override {
    if (window_ == nullptr || width <= 0 || height <= 0)
      return nullptr;
    MakeFrameBuffer(width, height);
    return static_cast<base::Pixel*>(bits_);
  }
  void Present(const base::Surface& frame, std::span<const base::Rect> changed) override {
    if (frame.Empty() || window_ == nullptr)
      return;
    if (bits_ == nullptr || frame.Data() != bits_) {
      if (frame_ == nullptr || frameWidth_ != frame.Width() || frameHeight_ != frame.Height())
        MakeFrameBuffer(frame.Width(), frame.Height());
      if (bits_ == nullptr)
        return;
      for (const base::Rect& r : changed)
        CopyRect(frame, r);
    }
    presented_ = true;
    HDC dc = GetDC(window_);
    for (const base::Rect& r : changed)
      BitBlt(dc, r.x, r.y, r.width, r.height, memory_, r.x, r.y, SRCCOPY);
    ReleaseDC(window_, dc);
    // The core writes the next frame into the pixels GDI reads from here.
    GdiFlush();
  }
  void MakeTopmost() override { SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, kTopmostFlags); }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;  // WM_DESTROY lets go of window_ before it is done
    switch (message) {
      case WM_ERASEBKGND:
        // The window shows its frame buffer, nothing else.
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        const RECT& r = ps.rcPaint;
        if (presented_)
          BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory_, r.left, r.top,
                 SRCCOPY);
        else
          ShowWhatLiesUnderneath(window, dc);
        EndPaint(window, &ps);
        return 0;
      }
      case WM_TIMER:
        if (wParam == kTimer1)
          Deliver(&platform::SaverEvents::OnTimer1);
        else if (wParam == kTimer2)
          Deliver(&platform::SaverEvents::OnTimer2);
        return 0;
      case WM_MOUSEMOVE: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window, &at);
        events_.OnPointerMove(at.x, at.y);
        return 0;
      }
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_XBUTTONDOWN:
        Deliver(&platform::SaverEvents::OnClick);
        return 0;
      case WM_SETCURSOR:
        // Over a box's owner the pointer must show, or the box could not be
        // found with it.
        if (MessageBoxOpen()) {
          SetCursor(LoadCursorW(nullptr, IDC_ARROW));
          return TRUE;
        }
        if (LOWORD(lParam) == HTCLIENT) {
          SetCursor(pointer_);
          return TRUE;
        }
        break;
      case WM_SETFOCUS:
        // Activated again, after a box closed: the keys go to the holder.
        if (focus_ != nullptr)
          SetFocus(focus_);
        return 0;
      case WM_ENABLE:
        // A box that it owned has closed: the pointer is the saver's again.
        if (wParam)
          UsePointer(pointer_);
        return 0;
      case WM_POWERBROADCAST:
        if (wParam == PBT_POWERSETTINGCHANGE && lParam != 0) {
          const auto& setting = *reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
          if (std::optional<bool> lit = DisplayLitFrom(setting))
            events_.OnDisplayPower(*lit);
        }
        return TRUE;
      case WM_DESTROY:
        if (power_ != nullptr)
          UnregisterPowerSettingNotification(power_);
        power_ = nullptr;
        SetBoxOwner(nullptr);
        window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        WindowClosed();
        return 0;
      default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  LRESULT HandleFocus(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        Deliver(&platform::SaverEvents::OnKeyDown);
        return 0;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        Deliver(&platform::SaverEvents::OnClick);
        return 0;
      case WM_SETCURSOR:
        SetCursor(pointer_);
        return TRUE;
      case WM_DESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
      default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  void Attach(HWND window) { window_ = window; }

 private:
  // The core's handlers never throw, and keep to one box at a time
  // themselves; events that come while a box runs its own loop go to them too.
  void Deliver(void (platform::SaverEvents::*event)()) { (events_.*event)(); }
  // Until the first frame the window must look as if it were not there: it
  // shows the desktop as the screen holds it since before the window was
  // created, wherever the window is and however often it repaints.
  void ShowWhatLiesUnderneath(HWND window, HDC dc) {
    RECT r{};
    GetWindowRect(window, &r);
    DrawSurface(dc, screen_.SnapshotLeft() - r.left, screen_.SnapshotTop() - r.top,
                screen_.Snapshot());
  }
  // A frame in memory of the core's own: only the changed rectangles are copied.
  void CopyRect(const base::Surface& frame, const base::Rect& r) {
    auto* pixels = static_cast<base::Pixel*>(bits_);
    for (int y = r.y; y < r.y + r.height; ++y)
      std::memcpy(pixels + static_cast<std::size_t>(y) * frameWidth_ + r.x, frame.Row(y) + r.x,
                  static_cast<std::size_t>(r.width) * 4);
  }
  void UsePointer(HCURSOR cursor) {
    pointer_ = cursor;
    POINT p;
    if (window_ != nullptr && GetCursorPos(&p) && WindowFromPoint(p) != nullptr &&
        GetAncestor(WindowFromPoint(p), GA_ROOT) == window_) {
      SetCursor(cursor);
    }
  }
  void MakeFrameBuffer(int width, int height) {
    if (memory_ != nullptr)
      DeleteDC(memory_);
    if (frame_ != nullptr)
      DeleteObject(frame_);
    bits_ = nullptr;
    frame_ = CreateDib(width, height, &bits_);
    memory_ = CreateCompatibleDC(nullptr);
    SelectObject(memory_, frame_);
    frameWidth_ = width;
    frameHeight_ = height;
  }

  Win32Screen& screen_;
  platform::SaverEvents& events_;
  HWND window_ = nullptr;
  HWND focus_ = nullptr;
  HPOWERNOTIFY power_ = nullptr;  // while the system tells us of the displays' power
  HCURSOR pointer_ = nullptr;
  HCURSOR ownPointer_ = nullptr;
  HBITMAP frame_ = nullptr;
  HDC memory_ = nullptr;
  void* bits_ = nullptr;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  bool presented_ = false;
};

LRESULT CALLBACK SaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return OwnerWindowProc<Win32Saver>(window, message, wParam, lParam);
}

LRESULT CALLBACK FocusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Saver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr)
    return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleFocus(window, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<platform::SaverWindow> Win32SaverFactory::CreateSaverWindow(
    std::string_view title, platform::SaverEvents& events) {
  return std::make_unique<Win32Saver>(screen_, title, events);
}

}  // namespace quimbel::win32_port
