#pragma once
// The pieces the forms are made of, shared between the form window and its
// controls: colours, the handler dispatch, and containers.
#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "base/surface.hpp"
#include "platform/forms.hpp"

namespace quimbel::win32_port {

COLORREF ToColorRef(platform::Colour colour);

// Runs a core handler from a window procedure. The handler may destroy the
// window and the object that holds it, so it is copied first. Core handlers
// never throw: nothing crosses into the system's code.
void RunHandler(const platform::Handler& handler);

class ControlBase;

// A form's client area or a panel: owns its controls and answers the
// notifications and colour queries its child windows send it.
class ContainerCore {
 public:
  explicit ContainerCore(HWND window) : window_(window) {}
  ~ContainerCore();
  ContainerCore(const ContainerCore&) = delete;
  ContainerCore& operator=(const ContainerCore&) = delete;

  HWND window() const { return window_; }
  void SetWindow(HWND window) { window_ = window; }
  void SetBackColour(platform::Colour colour);
  // The brush the client area is painted with, or null for the class default.
  HBRUSH BackBrush() const { return backBrush_; }
  COLORREF BackColorRef() const;

  template <class T>
  T& Add(std::unique_ptr<T> control) {
    T& ref = *control;
    controls_.push_back(std::move(control));
    return ref;
  }
  int NextId() { return nextId_++; }

  // Answers WM_COMMAND and WM_CTLCOLOR* for the children. Returns true when
  // handled; *result then holds the answer.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Clears every other option button of this container.
  void ClearOtherOptions(const ControlBase* selected);
  // The first child, in creation order and through panels, that takes the focus.
  HWND FirstTabStop() const;
  // Paints the client area: the back colour, then the pictures, which have
  // no windows of their own (WM_ERASEBKGND).
  void Erase(HDC dc);

 private:
  HWND window_;
  std::vector<std::unique_ptr<ControlBase>> controls_;
  HBRUSH backBrush_ = nullptr;
  platform::Colour back_{};
  int nextId_ = 100;  // clear of IDOK and IDCANCEL, which dialog keys send
};

// What every control keeps: its window, its container, its colours.
class ControlBase {
 public:
  ControlBase(ContainerCore& parent, int id) : parent_(parent), id_(id) {}
  virtual ~ControlBase();
  ControlBase(const ControlBase&) = delete;
  ControlBase& operator=(const ControlBase&) = delete;

  HWND window() const { return window_; }
  int id() const { return id_; }
  ContainerCore& parent() const { return parent_; }
  virtual bool IsOption() const { return false; }
  virtual bool IsTextBox() const { return false; }
  // BN_CLICKED and the like.
  virtual void OnCommand(int /*code*/) {}
  // The colours for WM_CTLCOLOR*; null brush for the default.
  HBRUSH ColourFor(HDC dc);
  // The child container, for panels.
  virtual const ContainerCore* Inner() const { return nullptr; }
  // Controls without a window draw themselves onto their container's image.
  virtual void PaintOn(base::Surface&) const {}

 protected:
  void Create(DWORD exStyle, const wchar_t* className, DWORD style);
  void Move(int left, int top, int width, int height);
  void SetBack(platform::Colour colour);
  void SetFore(platform::Colour colour);
  // Asks the container to repaint this control's rectangle.
  void InvalidateInContainer() const;

  ContainerCore& parent_;
  int id_;
  HWND window_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  HBRUSH backBrush_ = nullptr;
  COLORREF back_ = 0;
  bool hasFore_ = false;
  COLORREF fore_ = 0;
};

// The controls a container can hold.
platform::Label& AddLabel(ContainerCore& parent);
platform::PushButton& AddPushButton(ContainerCore& parent);
platform::OptionButton& AddOptionButton(ContainerCore& parent);
platform::DropDownList& AddDropDownList(ContainerCore& parent);
platform::TextBox& AddTextBox(ContainerCore& parent, platform::TextBoxStyle style);
platform::ImageControl& AddImage(ContainerCore& parent, bool bordered);
platform::Panel& AddPanel(ContainerCore& parent, bool bordered);

// A form or panel (Base) whose controls are children of one ContainerCore.
// Controls take no name here: Win32 finds them by id, not by name.
template <class Base>
class CoreContainer : public Base {
 public:
  platform::Label& AddLabel(std::string_view) override { return win32_port::AddLabel(Core()); }
  platform::PushButton& AddPushButton(std::string_view) override {
    return win32_port::AddPushButton(Core());
  }
  platform::OptionButton& AddOptionButton(std::string_view) override {
    return win32_port::AddOptionButton(Core());
  }
  platform::DropDownList& AddDropDownList(std::string_view) override {
    return win32_port::AddDropDownList(Core());
  }
  platform::TextBox& AddTextBox(std::string_view, platform::TextBoxStyle style) override {
    return win32_port::AddTextBox(Core(), style);
  }
  platform::ImageControl& AddImage(std::string_view, bool bordered) override {
    return win32_port::AddImage(Core(), bordered);
  }
  platform::Panel& AddPanel(std::string_view, bool bordered) override {
    return win32_port::AddPanel(Core(), bordered);
  }

 protected:
  virtual ContainerCore& Core() = 0;
};

// The window class of forms and panels: both are containers.
const wchar_t* ContainerClassName();

}  // namespace quimbel::win32_port
