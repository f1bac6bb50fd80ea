#include "ports/win32/win32_test_window.hpp"

namespace quimbel::win32_port {
namespace {

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    auto brush = reinterpret_cast<HBRUSH>(GetWindowLongPtrW(window, GWLP_USERDATA));
    FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* TestClass() {
  static const wchar_t kName[] = L"QuimbelTestWindow";
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kName;
    registered = RegisterClassExW(&wc) != 0;
  }
  return kName;
}

}  // namespace

TestWindow::TestWindow(const std::wstring& title, int x, int y, int width, int height,
                       COLORREF fill)
    : brush_(CreateSolidBrush(fill)) {
  window_ = CreateWindowExW(WS_EX_TOPMOST, TestClass(), title.c_str(), WS_POPUP | WS_VISIBLE, x, y,
                            width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush_));
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  }
}

TestWindow::~TestWindow() {
  Destroy();
  DeleteObject(brush_);
}

void TestWindow::Destroy() {
  if (window_ != nullptr)
    DestroyWindow(window_);
  window_ = nullptr;
}

void PumpMessages(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

}  // namespace quimbel::win32_port
