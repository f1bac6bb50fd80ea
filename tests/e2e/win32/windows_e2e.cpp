#include "windows_e2e.hpp"

#include "driver.hpp"

namespace e2e {
namespace {

struct TitleSearch {
  DWORD pid;
  std::wstring title;
  int count;
};

BOOL CALLBACK CountWindow(HWND w, LPARAM param) {
  auto* s = reinterpret_cast<TitleSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t text[256] = {};
  GetWindowTextW(w, text, 256);
  if (pid == s->pid && s->title == text && IsWindowVisible(w))
    ++s->count;
  return TRUE;
}

LRESULT CALLBACK HostProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(w, &r);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(w, GWLP_USERDATA)));
    FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
    DeleteObject(brush);
    return 1;
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

const wchar_t* HostClass() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuimbelE2eHost";
    registered = RegisterClassW(&wc) != 0;
  }
  return L"QuimbelE2eHost";
}

}  // namespace

int CountTopLevel(DWORD pid, const std::string& title) {
  TitleSearch search{pid, Wide(title), 0};
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

HostWindow::HostWindow(const wchar_t* title, int x, int y, int width, int height, COLORREF fill,
                       bool topmost) {
  window_ = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, HostClass(), title,
                            WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, static_cast<LONG_PTR>(fill));
  RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
}

HostWindow::~HostWindow() {
  Destroy();
}

HWND HostWindow::AddPane(int x, int y, int width, int height, COLORREF fill) {
  HWND pane = CreateWindowExW(0, HostClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                              width, height, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(pane, GWLP_USERDATA, static_cast<LONG_PTR>(fill));
  // Wine draws a child that another process puts into our window only if the
  // X window it belongs to can be found on its ancestors: lend ours to the
  // pane. Real Windows needs nothing of the kind; the program is unchanged.
  if (HANDLE x11 = GetPropW(window_, L"__wine_x11_whole_window"))
    SetPropW(pane, L"__wine_x11_whole_window", x11);
  RedrawWindow(pane, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  return pane;
}

void HostWindow::Destroy() {
  if (window_ != nullptr)
    DestroyWindow(window_);
  window_ = nullptr;
}

}  // namespace e2e
