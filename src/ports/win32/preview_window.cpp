#include "ports/win32/preview_window.hpp"

#include <windows.h>

#include "ports/win32/dib.hpp"
#include "ports/win32/message_loop.hpp"
#include "ports/win32/window_class.hpp"
#include "ports/win32/window_handle.hpp"
#include "ports/win32/window_proc.hpp"

namespace quimbel::win32_port {
namespace {

constexpr wchar_t kClassName[] = L"QuimbelPreview";
constexpr wchar_t kTitle[] = L"preview window";
// How often the window looks whether its host still exists: a host in another
// process may vanish without our window hearing of it.
constexpr UINT_PTR kHostCheckTimer = 1;
constexpr UINT kHostCheckMs = 250;

class Win32Preview;
LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class Win32Preview : public platform::PreviewWindow {
 public:
  Win32Preview() {
    const wchar_t* windowClass =
        WindowClass(kClassName, PreviewProc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    window_ = CreateWindowExW(0, windowClass, kTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (window_ != nullptr)
      WindowOpened();
  }
  ~Win32Preview() override {
    if (window_ != nullptr)
      DestroyWindow(window_);
  }
  Win32Preview(const Win32Preview&) = delete;
  Win32Preview& operator=(const Win32Preview&) = delete;

  void AddChildStyle() override {
    if (window_ == nullptr)
      return;
    LONG style = GetWindowLongW(window_, GWL_STYLE);
    SetWindowLongW(window_, GWL_STYLE, style | WS_CHILD);
  }
  void SetParent(platform::WindowHandle host) override {
    if (window_ == nullptr)
      return;
    ::SetParent(window_, ToHwnd(host));
    SetTimer(window_, kHostCheckTimer, kHostCheckMs, nullptr);
  }
  void SetBoundsPx(int left, int top, int width, int height) override {
    if (window_ != nullptr)
      MoveWindow(window_, left, top, width, height, TRUE);
  }
  void SetPicture(const base::Surface& picture) override {
    picture_ = picture;
    if (window_ != nullptr)
      InvalidateRect(window_, nullptr, TRUE);
  }
  void Show() override {
    if (window_ != nullptr)
      ShowWindow(window_, SW_SHOW);
  }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window_, &ps);
        DrawSurface(dc, 0, 0, picture_);
        EndPaint(window_, &ps);
        return 0;
      }
      case WM_TIMER:
        if (wParam == kHostCheckTimer) {
          HWND parent = GetAncestor(window_, GA_PARENT);
          if (parent == nullptr || !IsWindow(parent))
            DestroyWindow(window_);
          return 0;
        }
        break;
      case WM_DESTROY: {
        HWND gone = window_;
        window_ = nullptr;
        SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
        WindowClosed();
        return 0;
      }
      default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
  }

  HWND window() const { return window_; }
  void Attach(HWND window) { window_ = window; }

 private:
  HWND window_ = nullptr;
  base::Surface picture_;
};

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return OwnerWindowProc<Win32Preview>(window, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<platform::PreviewWindow> Win32PreviewFactory::CreatePreviewWindow() {
  return std::make_unique<Win32Preview>();
}

}  // namespace quimbel::win32_port
