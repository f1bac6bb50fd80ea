// Top-level forms: the window, its menu bar, timers and geometry in twips.
#include <windows.h>

#include <cmath>
#include <map>
#include <vector>

#include "ports/win32/dib.hpp"
#include "ports/win32/form_parts.hpp"
#include "ports/win32/forms.hpp"
#include "ports/win32/message_loop.hpp"
#include "ports/win32/unicode.hpp"
#include "ports/win32/window_class.hpp"
#include "ports/win32/window_proc.hpp"

namespace quimbel::win32_port {
namespace {

constexpr wchar_t kFormClass[] = L"QuimbelForm";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;
constexpr UINT kFirstMenuId = 1000;
// Sent to per-monitor (v2) aware windows when they reach a monitor of
// another scale: first for the size wanted there, then with the new place.
constexpr UINT kGetDpiScaledSize = 0x02E4;
constexpr UINT kDpiChanged = 0x02E0;
// The size and place a form has before the program sets them.
constexpr int kDefaultLeft = 80, kDefaultTop = 60, kDefaultClientWidth = 312,
              kDefaultClientHeight = 213;

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

const wchar_t* FormClassName() {
  return WindowClass(kFormClass, FormProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

wchar_t UpperCase(wchar_t c) {
  return static_cast<wchar_t>(
      reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
}

class FormImpl;

class SubmenuImpl : public platform::Submenu {
 public:
  SubmenuImpl(FormImpl& form, HMENU menu) : form_(form), menu_(menu) {}
  void AddItem(std::string_view caption, platform::Handler onChoose) override;

 private:
  FormImpl& form_;
  HMENU menu_;
};

class FormImpl : public CoreContainer<platform::Form> {
 public:
  FormImpl() : core_(nullptr) {
    RECT r{0, 0, kDefaultClientWidth, kDefaultClientHeight};
    AdjustWindowRectEx(&r, kFormStyle, FALSE, kFormExStyle);
    window_ = CreateWindowExW(kFormExStyle, FormClassName(), L"", kFormStyle, kDefaultLeft,
                              kDefaultTop, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    core_.SetWindow(window_);
    if (window_ != nullptr) {
      WindowOpened();
      RegisterDialogWindow(window_);
    }
  }
  ~FormImpl() override {
    if (window_ != nullptr)
      DestroyWindow(window_);
    for (HICON icon : icons_)
      DestroyIcon(icon);
  }
  FormImpl(const FormImpl&) = delete;
  FormImpl& operator=(const FormImpl&) = delete;

  // Form
  void SetCaption(std::string_view caption) override {
    std::wstring wide = Widen(caption);
    SetWindowTextW(window_, wide.c_str());
  }
  void SetIcon(const base::Icon& icon) override {
    HICON handle = CreateIconFrom(icon);
    if (handle == nullptr)
      return;
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(handle));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(handle));
    icons_.push_back(handle);
  }
  void SetBackColour(platform::Colour colour) override { core_.SetBackColour(colour); }

  void AddMenuCommand(std::string_view caption, platform::Handler onChoose) override {
    UINT id = NewMenuId(std::move(onChoose));
    AppendItem(Bar(), id, Widen(caption), MF_STRING);
  }
  platform::Submenu& AddSubmenu(std::string_view caption) override {
    HMENU popup = CreatePopupMenu();
    AppendItem(Bar(), static_cast<UINT>(reinterpret_cast<UINT_PTR>(popup)), Widen(caption),
               MF_STRING | MF_POPUP);
    submenus_.push_back(std::make_unique<SubmenuImpl>(*this, popup));
    return *submenus_.back();
  }
  void AddMenuItem(HMENU menu, std::string_view caption, platform::Handler onChoose) {
    UINT id = NewMenuId(std::move(onChoose));
    AppendItem(menu, id, Widen(caption), MF_STRING);
  }

  void StartTimer(int intervalMs, platform::Handler onTick) override {
    timers_.push_back(std::move(onTick));
    SetTimer(window_, timers_.size(), static_cast<UINT>(intervalMs > 0 ? intervalMs : 1), nullptr);
  }
  void SetOnCloseRequest(platform::Handler onCloseRequest) override {
    onClose_ = std::move(onCloseRequest);
  }

  int ClientWidthPx() override {
    RECT r{};
    GetClientRect(window_, &r);
    return r.right - r.left;
  }
  int ClientHeightPx() override {
    RECT r{};
    GetClientRect(window_, &r);
    return r.bottom - r.top;
  }
  int OuterWidthPx() override {
    RECT r = Outer();
    return r.right - r.left;
  }
  int OuterHeightPx() override {
    RECT r = Outer();
    return r.bottom - r.top;
  }
  void SetOuterWidthPx(int width) override {
    RECT r = Outer();
    Place(r.left, r.top, width, r.bottom - r.top);
  }
  void SetOuterHeightPx(int height) override {
    RECT r = Outer();
    Place(r.left, r.top, r.right - r.left, height);
  }
  void SetLeftPx(int left) override {
    RECT r = Outer();
    Place(left, r.top, r.right - r.left, r.bottom - r.top);
  }
  void SetTopPx(int top) override {
    RECT r = Outer();
    Place(r.left, top, r.right - r.left, r.bottom - r.top);
  }

  void Show() override {
    bool first = !IsWindowVisible(window_);
    if (IsIconic(window_))
      ShowWindow(window_, SW_RESTORE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    if (first) {
      if (HWND focus = core_.FirstTabStop())
        SetFocus(focus);
    }
  }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
      core_.Erase(reinterpret_cast<HDC>(wParam));
      return 1;
    }
    LRESULT result = 0;
    if (core_.HandleMessage(message, wParam, lParam, &result))
      return result;
    switch (message) {
      case WM_COMMAND:
        if (lParam != 0) {
          // The dialog keyboard reports a button inside a panel to the form.
          HWND parent = GetParent(reinterpret_cast<HWND>(lParam));
          if (parent != nullptr && parent != window_)
            return SendMessageW(parent, message, wParam, lParam);
        }
        if (lParam == 0 && HIWORD(wParam) == 0) {
          auto it = menuHandlers_.find(LOWORD(wParam));
          if (it != menuHandlers_.end())
            RunHandler(it->second);  // may destroy this form: touch nothing after
          return 0;
        }
        break;
      case WM_MENUCHAR: {
        LRESULT answer =
            MenuChar(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
        if (answer != 0)
          return answer;
        break;
      }
      case WM_TIMER:
        if (wParam >= 1 && wParam <= timers_.size()) {
          RunHandler(timers_[wParam - 1]);
          return 0;
        }
        break;
      case kGetDpiScaledSize:
        return ClientSizeAtDpi(LOWORD(wParam), reinterpret_cast<SIZE*>(lParam)) ? TRUE : FALSE;
      case kDpiChanged: {
        const RECT* r = reinterpret_cast<const RECT*>(lParam);
        Place(r->left, r->top, r->right - r->left, r->bottom - r->top);
        return 0;
      }
      case WM_CLOSE:
        // The program decides whether the window goes.
        RunHandler(onClose_);
        return 0;
      case WM_DESTROY: {
        HWND gone = window_;
        window_ = nullptr;
        UnregisterDialogWindow(gone);
        SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
        WindowClosed();
        return 0;
      }
      default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
  }

  void Attach(HWND window) { window_ = window; }

 private:
  ContainerCore& Core() override { return core_; }
  RECT Outer() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return r;
  }
  void Place(int left, int top, int width, int height) {
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The outer size that keeps today's client area at another scale: the
  // layout is in pixels, so only the frame and menu bar follow the monitor.
  bool ClientSizeAtDpi(UINT dpi, SIZE* size) {
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT r{};
    GetClientRect(window_, &r);
    if (adjust == nullptr || size == nullptr ||
        !adjust(&r, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), bar_ != nullptr,
                static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)), dpi)) {
      return false;
    }
    size->cx = r.right - r.left;
    size->cy = r.bottom - r.top;
    return true;
  }
  HMENU Bar() {
    if (bar_ == nullptr) {
      bar_ = CreateMenu();
      // The menu bar takes its height from the client area, not the frame.
      RECT r = Outer();
      SetMenu(window_, bar_);
      SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return bar_;
  }
  UINT NewMenuId(platform::Handler onChoose) {
    UINT id = kFirstMenuId + static_cast<UINT>(menuHandlers_.size());
    menuHandlers_[id] = std::move(onChoose);
    return id;
  }
  void AppendItem(HMENU menu, UINT id, const std::wstring& caption, UINT flags) {
    AppendMenuW(menu, flags, id, caption.c_str());
    captions_[menu].push_back(caption);
    if (window_ != nullptr)
      DrawMenuBar(window_);
  }
  // The system acts on a caption's first access key only; a later mark (the
  // kana on the same key) reaches us here.
  LRESULT MenuChar(wchar_t typed, HMENU menu) {
    auto it = captions_.find(menu);
    if (it == captions_.end())
      return 0;
    wchar_t wanted = UpperCase(typed);
    for (std::size_t i = 0; i < it->second.size(); ++i) {
      for (wchar_t key : AccessKeys(it->second[i])) {
        if (UpperCase(key) == wanted)
          return MAKELRESULT(static_cast<WORD>(i), MNC_EXECUTE);
      }
    }
    return 0;
  }

  HWND window_ = nullptr;
  ContainerCore core_;
  HMENU bar_ = nullptr;
  std::map<UINT, platform::Handler> menuHandlers_;
  std::map<HMENU, std::vector<std::wstring>> captions_;
  std::vector<std::unique_ptr<SubmenuImpl>> submenus_;
  std::vector<platform::Handler> timers_;
  platform::Handler onClose_;
  std::vector<HICON> icons_;
};

void SubmenuImpl::AddItem(std::string_view caption, platform::Handler onChoose) {
  form_.AddMenuItem(menu_, caption, std::move(onChoose));
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return OwnerWindowProc<FormImpl>(window, message, wParam, lParam);
}

}  // namespace

std::wstring AccessKeys(std::wstring_view caption) {
  std::wstring keys;
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&')
      continue;
    if (caption[i + 1] != L'&')
      keys += caption[i + 1];
    ++i;
  }
  return keys;
}

std::unique_ptr<platform::Form> Win32FormFactory::CreateForm(std::string_view) {
  return std::make_unique<FormImpl>();
}

}  // namespace quimbel::win32_port
