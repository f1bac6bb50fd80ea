// The standard controls behind the core's control interface.
#include <windows.h>

#include <cmath>
#include <string>

#include "base/runtime_error.hpp"
#include "ports/win32/dib.hpp"
#include "ports/win32/form_parts.hpp"
#include "ports/win32/forms.hpp"
#include "ports/win32/unicode.hpp"
#include "ports/win32/window_class.hpp"

namespace quimbel::win32_port {
namespace {

int ScreenDpiY() {
  HDC screen = GetDC(nullptr);
  int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr)
    ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// Width, height, left and top: each call keeps the other three.
template <class Interface>
class ControlImpl : public Interface, public ControlBase {
 public:
  ControlImpl(ContainerCore& parent) : ControlBase(parent, parent.NextId()) {}
  void SetWidth(int px) override { Move(left_, top_, px, height_); }
  void SetHeight(int px) override { Move(left_, top_, width_, px); }
  void SetLeft(int px) override { Move(px, top_, width_, height_); }
  void SetTop(int px) override { Move(left_, px, width_, height_); }
  void SetBackColour(platform::Colour colour) override { SetBack(colour); }
};

// Text in one font: the font is made anew whenever face, weight or size change.
template <class Interface>
class TextControlImpl : public ControlImpl<Interface> {
 public:
  using ControlImpl<Interface>::ControlImpl;
  ~TextControlImpl() override {
    if (this->window_ != nullptr && IsWindow(this->window_))
      DestroyWindow(this->window_);
    this->window_ = nullptr;
    if (font_ != nullptr)
      DeleteObject(font_);
  }
  void SetFontFace(std::string_view face) override {
    face_ = Widen(face);
    UpdateFont();
  }
  void SetFontBold(bool bold) override {
    bold_ = bold;
    UpdateFont();
  }
  void SetFontSize(double points) override {
    points_ = points;
    UpdateFont();
  }
  void SetForeColour(platform::Colour colour) override { this->SetFore(colour); }
  void SetText(std::string_view text) override {
    std::wstring wide = Widen(text);
    SetWindowTextW(this->window_, wide.c_str());
  }

 protected:
  virtual void FontChanged() {}

 private:
  void UpdateFont() {
    LOGFONTW lf{};
    lf.lfHeight = FontHeightForPoints(points_, ScreenDpiY());
    lf.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(lf.lfFaceName, face_.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&lf);
    if (font == nullptr)
      return;
    SendMessageW(this->window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_ != nullptr)
      DeleteObject(font_);
    font_ = font;
    FontChanged();
  }

  std::wstring face_;
  bool bold_ = false;
  double points_ = 9;
  HFONT font_ = nullptr;
};

class LabelImpl : public TextControlImpl<platform::Label> {
 public:
  explicit LabelImpl(ContainerCore& parent) : TextControlImpl(parent) {
    // '&' is shown as it stands.
    Create(0, L"STATIC", SS_LEFT | SS_NOPREFIX);
  }
};

class PushButtonImpl : public TextControlImpl<platform::PushButton> {
 public:
  explicit PushButtonImpl(ContainerCore& parent) : TextControlImpl(parent) {
    Create(0, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
  }
  void SetText(std::string_view text) override { TextControlImpl::SetText(EscapeAmpersands(text)); }
  void SetOnClick(platform::Handler onClick) override { onClick_ = std::move(onClick); }
  void OnCommand(int code) override {
    if (code == BN_CLICKED)
      RunHandler(onClick_);
  }

  // Buttons take '&' as an access-key mark; the program's captions mean it
  // literally.
  static std::string EscapeAmpersands(std::string_view text) {
    std::string out;
    for (char c : text) {
      out += c;
      if (c == '&')
        out += '&';
    }
    return out;
  }

 private:
  platform::Handler onClick_;
};

class OptionButtonImpl : public TextControlImpl<platform::OptionButton> {
 public:
  explicit OptionButtonImpl(ContainerCore& parent) : TextControlImpl(parent) {
    Create(0, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP);
  }
  bool IsOption() const override { return true; }
  void SetText(std::string_view text) override {
    TextControlImpl::SetText(PushButtonImpl::EscapeAmpersands(text));
  }
  void SetValue(bool selected) override {
    SendMessageW(window_, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    if (selected)
      parent_.ClearOtherOptions(this);
  }
  bool Value() override { return SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void OnCommand(int code) override {
    // The system groups radio buttons by WS_GROUP, not by container: keep the
    // container's group exclusive ourselves.
    if (code == BN_CLICKED && Value())
      parent_.ClearOtherOptions(this);
  }
};

class DropDownListImpl : public TextControlImpl<platform::DropDownList> {
 public:
  explicit DropDownListImpl(ContainerCore& parent) : TextControlImpl(parent) {
    Create(0, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
  }
  // The field's height follows from the font; the window's height is the
  // field plus room for the opened list.
  void SetHeight(int) override {}
  void SetWidth(int px) override { Move(left_, top_, px, kDroppedHeight); }
  void SetLeft(int px) override { Move(px, top_, width_, kDroppedHeight); }
  void SetTop(int px) override { Move(left_, px, width_, kDroppedHeight); }
  void SetText(std::string_view) override {}
  void AddItem(std::string_view text) override {
    std::wstring wide = Widen(text);
    SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  int ItemCount() override { return static_cast<int>(SendMessageW(window_, CB_GETCOUNT, 0, 0)); }
  std::string ItemText(int index) override {
    LRESULT length = SendMessageW(window_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index < 0 || length == CB_ERR)
      return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(window_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return Narrow(text);
  }
  void SetListIndex(int index) override {
    if (index < -1 || index >= ItemCount())
      throw base::RuntimeError::InvalidCall();
    SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  int ListIndex() override { return static_cast<int>(SendMessageW(window_, CB_GETCURSEL, 0, 0)); }

 private:
  static constexpr int kDroppedHeight = 240;
};

class TextBoxImpl : public TextControlImpl<platform::TextBox> {
 public:
  TextBoxImpl(ContainerCore& parent, platform::TextBoxStyle style) : TextControlImpl(parent) {
    DWORD s = ES_READONLY | ES_LEFT | WS_TABSTOP;
    if (style.multiLine)
      s |= ES_MULTILINE;
    else
      s |= ES_AUTOHSCROLL;
    if (style.verticalScroll)
      s |= WS_VSCROLL;
    // A single-line border, as the program's text boxes have.
    Create(0, L"EDIT", s | WS_BORDER);
  }
  bool IsTextBox() const override { return true; }
};

// A picture drawn unscaled from its top-left corner. Without a border it has
// no window of its own and is drawn onto its container's image: where an icon
// is transparent, whatever lies below shows, other pictures included. With a
// border it is a picture box: a window of its own above its siblings, so that
// it hides what lies beneath it, text boxes included.
class ImageImpl : public ControlImpl<platform::ImageControl> {
 public:
  ImageImpl(ContainerCore& parent, bool bordered) : ControlImpl(parent), bordered_(bordered) {
    if (!bordered_)
      return;
    Create(0, PictureBoxClassName(), 0);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ~ImageImpl() override {
    if (window_ != nullptr)
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    else
      InvalidateInContainer();
  }
  void SetWidth(int px) override {
    Moved([&] { ControlImpl::SetWidth(px); });
  }
  void SetHeight(int px) override {
    Moved([&] { ControlImpl::SetHeight(px); });
  }
  void SetLeft(int px) override {
    Moved([&] { ControlImpl::SetLeft(px); });
  }
  void SetTop(int px) override {
    Moved([&] { ControlImpl::SetTop(px); });
  }
  void SetBackColour(platform::Colour colour) override {
    hasBack_ = true;
    backColour_ = ToColorRef(colour);
    Changed();
  }
  void SetPicture(const base::Surface& picture) override {
    icon_.colour = picture;
    icon_.transparent.clear();
    Changed();
  }
  void SetIcon(const base::Icon& picture) override {
    icon_ = picture;
    Changed();
  }

  void PaintOn(base::Surface& canvas) const override {
    if (window_ == nullptr)
      PaintAt(canvas, left_, top_);
  }

 private:
  static LRESULT CALLBACK PictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ImageImpl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_ERASEBKGND)
      return 1;
    if (self != nullptr && message == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      COLORREF back = self->parent_.BackColorRef();
      base::Surface canvas(self->width_, self->height_, ToPixel(back));
      self->PaintAt(canvas, 0, 0);
      DrawSurface(dc, 0, 0, canvas);
      EndPaint(window, &ps);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  static const wchar_t* PictureBoxClassName() {
    return WindowClass(L"QuimbelPictureBox", PictureBoxProc, nullptr);
  }
  static base::Pixel ToPixel(COLORREF c) {
    return base::Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
  }
  void Changed() const {
    if (window_ != nullptr)
      InvalidateRect(window_, nullptr, FALSE);
    else
      InvalidateInContainer();
  }
  template <class F>
  void Moved(F move) {
    Changed();
    move();
    Changed();
  }
  // The picture with its rectangle's top-left corner at (left, top) of canvas.
  void PaintAt(base::Surface& canvas, int left, int top) const {
    int inset = bordered_ ? 1 : 0;
    int x0 = left + inset, y0 = top + inset;
    int x1 = left + width_ - inset, y1 = top + height_ - inset;
    auto inside = [&](int x, int y) {
      return x >= x0 && x < x1 && y >= y0 && y < y1 && x >= 0 && y >= 0 && x < canvas.Width() &&
             y < canvas.Height();
    };
    if (hasBack_) {
      base::Pixel back = ToPixel(backColour_);
      for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
          if (inside(x, y))
            canvas.At(x, y) = back;
        }
      }
    }
    const base::Surface& colour = icon_.colour;
    for (int row = 0; row < colour.Height(); ++row) {
      for (int col = 0; col < colour.Width(); ++col) {
        std::size_t i = static_cast<std::size_t>(row) * colour.Width() + col;
        bool clear = i < icon_.transparent.size() && icon_.transparent[i];
        if (!clear && inside(x0 + col, y0 + row))
          canvas.At(x0 + col, y0 + row) = colour.At(col, row);
      }
    }
    if (bordered_)
      PaintSunkenBorder(canvas, left, top);
  }
  void PaintSunkenBorder(base::Surface& canvas, int left, int top) const {
    base::Pixel shadow = ToPixel(GetSysColor(COLOR_BTNSHADOW));
    base::Pixel light = ToPixel(GetSysColor(COLOR_BTNHIGHLIGHT));
    auto put = [&](int x, int y, base::Pixel p) {
      if (x >= 0 && y >= 0 && x < canvas.Width() && y < canvas.Height())
        canvas.At(x, y) = p;
    };
    int right = left + width_ - 1, bottom = top + height_ - 1;
    for (int x = left; x <= right; ++x) {
      put(x, top, shadow);
      put(x, bottom, light);
    }
    for (int y = top; y <= bottom; ++y) {
      put(left, y, shadow);
      put(right, y, light);
    }
  }

  bool bordered_;
  bool hasBack_ = false;
  COLORREF backColour_ = 0;
  base::Icon icon_;
};

// A child window that holds controls and answers for them.
class PanelImpl : public ControlImpl<CoreContainer<platform::Panel>> {
 public:
  PanelImpl(ContainerCore& parent, bool bordered) : ControlImpl(parent), inner_(nullptr) {
    // CONTROLPARENT: Tab and the arrow keys move through the panel's children.
    Create(WS_EX_CONTROLPARENT | (bordered ? WS_EX_CLIENTEDGE : 0), ContainerClassName(),
           WS_CLIPCHILDREN);
    inner_.SetWindow(window_);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&inner_));
  }
  ~PanelImpl() override {
    if (window_ != nullptr && IsWindow(window_)) {
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      DestroyWindow(window_);
    }
    window_ = nullptr;
  }
  void SetBackColour(platform::Colour colour) override { inner_.SetBackColour(colour); }
  const ContainerCore* Inner() const override { return &inner_; }

 private:
  ContainerCore& Core() override { return inner_; }
  ContainerCore inner_;
};

}  // namespace

int FontHeightForPoints(double points, int dpi) {
  return -static_cast<int>(std::lround(points * dpi / 72.0));
}

platform::Label& AddLabel(ContainerCore& parent) {
  return parent.Add(std::make_unique<LabelImpl>(parent));
}
platform::PushButton& AddPushButton(ContainerCore& parent) {
  return parent.Add(std::make_unique<PushButtonImpl>(parent));
}
platform::OptionButton& AddOptionButton(ContainerCore& parent) {
  return parent.Add(std::make_unique<OptionButtonImpl>(parent));
}
platform::DropDownList& AddDropDownList(ContainerCore& parent) {
  return parent.Add(std::make_unique<DropDownListImpl>(parent));
}
platform::TextBox& AddTextBox(ContainerCore& parent, platform::TextBoxStyle style) {
  return parent.Add(std::make_unique<TextBoxImpl>(parent, style));
}
platform::ImageControl& AddImage(ContainerCore& parent, bool bordered) {
  return parent.Add(std::make_unique<ImageImpl>(parent, bordered));
}
platform::Panel& AddPanel(ContainerCore& parent, bool bordered) {
  return parent.Add(std::make_unique<PanelImpl>(parent, bordered));
}

}  // namespace quimbel::win32_port
