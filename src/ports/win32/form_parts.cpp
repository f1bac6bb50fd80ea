#include "ports/win32/form_parts.hpp"

#include "ports/win32/dib.hpp"
#include "ports/win32/window_class.hpp"

namespace quimbel::win32_port {
namespace {

constexpr wchar_t kContainerClass[] = L"QuimbelPanel";

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* core = reinterpret_cast<ContainerCore*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (core != nullptr) {
    if (message == WM_ERASEBKGND) {
      core->Erase(reinterpret_cast<HDC>(wParam));
      return 1;
    }
    LRESULT result = 0;
    if (core->HandleMessage(message, wParam, lParam, &result))
      return result;
    if (message == WM_DESTROY)
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

COLORREF ToColorRef(platform::Colour colour) {
  switch (colour.role) {
    case platform::Colour::Role::ButtonFace:
      return GetSysColor(COLOR_BTNFACE);
    case platform::Colour::Role::WindowBackground:
      return GetSysColor(COLOR_WINDOW);
    case platform::Colour::Role::WindowText:
      return GetSysColor(COLOR_WINDOWTEXT);
    case platform::Colour::Role::Rgb:
      break;
  }
  return RGB((colour.rgb >> 16) & 0xFF, (colour.rgb >> 8) & 0xFF, colour.rgb & 0xFF);
}

void RunHandler(const platform::Handler& handler) {
  if (!handler)
    return;
  platform::Handler copy = handler;
  copy();
}

const wchar_t* ContainerClassName() {
  return WindowClass(kContainerClass, ContainerProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

ContainerCore::~ContainerCore() {
  controls_.clear();
  if (backBrush_ != nullptr)
    DeleteObject(backBrush_);
}

void ContainerCore::SetBackColour(platform::Colour colour) {
  back_ = colour;
  HBRUSH old = backBrush_;
  backBrush_ = CreateSolidBrush(ToColorRef(colour));
  if (window_ != nullptr)
    InvalidateRect(window_, nullptr, TRUE);
  if (old != nullptr)
    DeleteObject(old);
}

COLORREF ContainerCore::BackColorRef() const {
  return backBrush_ != nullptr ? ToColorRef(back_) : GetSysColor(COLOR_BTNFACE);
}

void ContainerCore::Erase(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  COLORREF back = BackColorRef();
  // Composed in memory and drawn in one piece: pictures move every few
  // milliseconds in the introduction window, and must not flicker.
  base::Surface canvas(client.right, client.bottom,
                       base::Rgb(GetRValue(back), GetGValue(back), GetBValue(back)));
  for (const auto& control : controls_)
    control->PaintOn(canvas);
  DrawSurface(dc, 0, 0, canvas);
}

bool ContainerCore::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_COMMAND: {
      HWND from = reinterpret_cast<HWND>(lParam);
      if (from == nullptr)
        return false;
      for (auto& control : controls_) {
        if (control->window() == from) {
          // The control may be gone when this returns: touch nothing after.
          control->OnCommand(HIWORD(wParam));
          *result = 0;
          return true;
        }
      }
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      HWND from = reinterpret_cast<HWND>(lParam);
      for (auto& control : controls_) {
        if (control->window() == from) {
          HBRUSH brush = control->ColourFor(reinterpret_cast<HDC>(wParam));
          if (brush == nullptr)
            return false;
          *result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
    }
    default:
      return false;
  }
}

void ContainerCore::ClearOtherOptions(const ControlBase* selected) {
  for (auto& control : controls_) {
    if (control.get() != selected && control->IsOption())
      SendMessageW(control->window(), BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

HWND ContainerCore::FirstTabStop() const {
  for (const auto& control : controls_) {
    if (const ContainerCore* inner = control->Inner()) {
      if (HWND found = inner->FirstTabStop())
        return found;
      continue;
    }
    HWND w = control->window();
    if (w != nullptr && (GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP) && IsWindowEnabled(w))
      return w;
  }
  return nullptr;
}

ControlBase::~ControlBase() {
  if (window_ != nullptr && IsWindow(window_))
    DestroyWindow(window_);
  if (backBrush_ != nullptr)
    DeleteObject(backBrush_);
}

void ControlBase::Create(DWORD exStyle, const wchar_t* className, DWORD style) {
  // The system takes the controls from one WS_GROUP to the next, reaching
  // into nested panels, as one group of automatic radio buttons (a click
  // clears the others) and of arrow keys: each container's controls, and
  // those after a panel, start a group of their own.
  HWND last = GetWindow(parent_.window(), GW_CHILD);
  if (last != nullptr)
    last = GetWindow(last, GW_HWNDLAST);
  if (last == nullptr || (GetWindowLongW(last, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0)
    style |= WS_GROUP;
  // CLIPSIBLINGS: a control never paints over a sibling above it (a picture
  // box over a text box).
  window_ =
      CreateWindowExW(exStyle, className, L"", style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0,
                      0, 0, 0, parent_.window(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                      GetModuleHandleW(nullptr), nullptr);
}

void ControlBase::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (window_ != nullptr)
    MoveWindow(window_, left, top, width < 0 ? 0 : width, height < 0 ? 0 : height, TRUE);
}

void ControlBase::InvalidateInContainer() const {
  if (parent_.window() == nullptr || width_ <= 0 || height_ <= 0)
    return;
  RECT r{left_, top_, left_ + width_, top_ + height_};
  InvalidateRect(parent_.window(), &r, TRUE);
}

void ControlBase::SetBack(platform::Colour colour) {
  HBRUSH old = backBrush_;
  back_ = ToColorRef(colour);
  backBrush_ = CreateSolidBrush(back_);
  if (window_ != nullptr)
    InvalidateRect(window_, nullptr, TRUE);
  if (old != nullptr)
    DeleteObject(old);
}

void ControlBase::SetFore(platform::Colour colour) {
  hasFore_ = true;
  fore_ = ToColorRef(colour);
  if (window_ != nullptr)
    InvalidateRect(window_, nullptr, TRUE);
}

HBRUSH ControlBase::ColourFor(HDC dc) {
  if (hasFore_)
    SetTextColor(dc, fore_);
  if (backBrush_ != nullptr) {
    SetBkColor(dc, back_);
    return backBrush_;
  }
  if (IsTextBox()) {
    // A read-only edit asks as a static would and would get the dialog grey.
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
  }
  if (hasFore_) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
  }
  return nullptr;
}

}  // namespace quimbel::win32_port
