#pragma once
// The seam: dialog windows (forms) built from controls.
//
// The core lays every form out itself, in pixels, through these calls; a port
// only makes native windows and controls do what each call says. Nothing here
// decides a position, caption or colour.
//
// Ownership and lifetime. The core owns every form through the unique_ptr that
// FormFactory::CreateForm returns; destroying it unloads the window with all
// its controls, menus and timers. A form owns its controls: the references
// that the Add* calls return stay valid until the form is destroyed.
// The core may destroy a form from inside any handler that the form or one of
// its controls, menus or timers is running (an "OK" button closes its own
// window). A port must allow that: after a handler returns it does not touch
// the form or control object again, and it defers the native destruction
// where its toolkit needs it.
//
// Events. Handlers are plain callbacks that the port calls on the GUI thread,
// one at a time, from its message loop (or from a nested modal loop). The
// port calls a copy of the stored handler, since the handler may destroy the
// form that stores it. The handlers never throw: the core's event boundary
// traps, reports and ends the process, so a port needs no catch of its own
// for nothing to cross a window procedure or toolkit callback.
//
// Text is UTF-8. Line breaks inside texts are CR LF.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/surface.hpp"

namespace quimbel::platform {

// A colour: either an RGB value or one of the system's colours, which the
// port resolves from the current desktop scheme.
struct Colour {
  enum class Role { Rgb, ButtonFace, WindowBackground, WindowText };
  Role role = Role::Rgb;
  base::Pixel rgb = 0;  // 0x00RRGGBB, used when role is Rgb

  static constexpr Colour FromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour{Role::Rgb, base::Rgb(r, g, b)};
  }
  static constexpr Colour System(Role role) { return Colour{role, 0}; }
  bool operator==(const Colour&) const = default;
};

using Handler = std::function<void()>;

// Every control: a rectangle inside its container's client area. All four
// values are pixels relative to the container's client area (never twips);
// negative positions and positions beyond the container are allowed and just
// leave the control (partly) out of sight. Setting one value keeps the other
// three.
class Control {
 public:
  virtual ~Control() = default;
  virtual void SetWidth(int px) = 0;
  virtual void SetHeight(int px) = 0;
  virtual void SetLeft(int px) = 0;
  virtual void SetTop(int px) = 0;
  // The background. A control whose background is never set keeps the
  // toolkit's default for its kind.
  virtual void SetBackColour(Colour colour) = 0;
};

// A control that shows text in one font.
class TextControl : public Control {
 public:
  // The face as the program names it ("ＭＳ 明朝", "ＭＳ Ｐゴシック"), with the
  // Japanese character set. A port that lacks the face substitutes one that
  // has Japanese glyphs, keeping the point size.
  virtual void SetFontFace(std::string_view face) = 0;
  virtual void SetFontBold(bool bold) = 0;
  // The size in points, kept exactly as given (not snapped to the sizes a
  // font offers). A control whose height follows from its font (a drop-down
  // list) takes its new height from here.
  virtual void SetFontSize(double points) = 0;
  virtual void SetForeColour(Colour colour) = 0;
  // The caption (label, button, option button) or the content (text box).
  // '&' in a caption is shown literally: these controls have no access keys.
  virtual void SetText(std::string_view text) = 0;
};

class Label : public TextControl {};

class PushButton : public TextControl {
 public:
  // Called when the user clicks the button (mouse, or Space / Enter while it
  // has the focus).
  virtual void SetOnClick(Handler onClick) = 0;
};

// Option buttons are grouped by their container: selecting one (by the user
// or by SetValue(true)) clears every other option button of the same
// container, and only those. No event is reported for a selection.
class OptionButton : public TextControl {
 public:
  virtual void SetValue(bool selected) = 0;
  virtual bool Value() = 0;
};

// A drop-down list the user can only pick from, never type into. It starts
// empty with nothing selected. Its height follows from its font: SetHeight
// may be ignored. No event is reported for a selection.
class DropDownList : public TextControl {
 public:
  // Appends an entry at the end of the list.
  virtual void AddItem(std::string_view text) = 0;
  virtual int ItemCount() = 0;
  // The text of entry index (0-based); empty for an index outside the list.
  virtual std::string ItemText(int index) = 0;
  // Selects the entry at index; -1 selects nothing. An index outside
  // -1 .. ItemCount() - 1 throws base::RuntimeError (kInvalidCall) and keeps
  // the selection.
  virtual void SetListIndex(int index) = 0;
  // The selected position, -1 when nothing is selected.
  virtual int ListIndex() = 0;
};

// A text box whose text only the program sets.
struct TextBoxStyle {
  bool multiLine = false;       // CR LF breaks lines; a line wider than the box wraps
  bool verticalScroll = false;  // a vertical scroll bar, no horizontal one
};
class TextBox : public TextControl {};

// A picture, drawn unscaled from the control's top-left corner and clipped
// to the control. Where an icon's pixel is transparent the container shows
// through.
class ImageControl : public Control {
 public:
  virtual void SetPicture(const base::Surface& picture) = 0;
  virtual void SetIcon(const base::Icon& picture) = 0;
};

class Panel;

// Something that holds controls: a form's client area or a panel. Controls
// are created visible, empty and at (0, 0) with no size until placed; their
// creation order is the keyboard focus (tab) order, and when a form is shown
// the first control that can take the focus gets it. The name ("OptionType(1)",
// "CommandButton") is never shown: ports may attach it for test drivers (as a
// Qt object name, for example).
class Container {
 public:
  virtual ~Container() = default;
  virtual Label& AddLabel(std::string_view name) = 0;
  virtual PushButton& AddPushButton(std::string_view name) = 0;
  virtual OptionButton& AddOptionButton(std::string_view name) = 0;
  virtual DropDownList& AddDropDownList(std::string_view name) = 0;
  // A read-only text box, with a single-line border, white background unless
  // set otherwise.
  virtual TextBox& AddTextBox(std::string_view name, TextBoxStyle style) = 0;
  // bordered: a sunken single-line border drawn inside the control's rectangle.
  virtual ImageControl& AddImage(std::string_view name, bool bordered) = 0;
  // A panel: a container whose children are placed in pixels relative to its
  // client area (inside its border, if it has one).
  virtual Panel& AddPanel(std::string_view name, bool bordered) = 0;
};

class Panel : public Control, public Container {};

// A submenu under a menu-bar entry.
class Submenu {
 public:
  virtual ~Submenu() = default;
  // Appends an item; onChoose runs when the user chooses it.
  virtual void AddItem(std::string_view caption, Handler onChoose) = 0;
};

// A top-level window. Its own position and size (the outer, frame-included
// rectangle) are in screen pixels, its client area and its controls too.
//
// Menu captions mark access keys with '&' before a character ("終了(&X&ｻ)"
// carries two marks: X, and the half-width kana ｻ that shares its key on the
// Japanese kana layout). The port shows every marked character as an access
// key and makes at least the first one act with Alt; "&&" is a literal '&'.
class Form : public Container {
 public:
  // The title bar text. Other processes find the window by this exact title
  // (Process::TopLevelWindowExists) for as long as the form exists, shown or not.
  virtual void SetCaption(std::string_view caption) = 0;
  // The window's icon (title bar and task switcher).
  virtual void SetIcon(const base::Icon& icon) = 0;
  // The client area's background.
  virtual void SetBackColour(Colour colour) = 0;

  // Adds a menu-bar entry that acts itself when clicked (no submenu).
  virtual void AddMenuCommand(std::string_view caption, Handler onChoose) = 0;
  // Adds a menu-bar entry that only opens a submenu; items go into the result.
  virtual Submenu& AddSubmenu(std::string_view caption) = 0;
  // Menu-bar entries appear left to right in the order they are added. The
  // menu bar takes its height from the client area (so build it before
  // measuring the client area).

  // Starts a timer that calls onTick every intervalMs milliseconds for as long
  // as the form exists; ticks that fall due while a handler runs are merged.
  virtual void StartTimer(int intervalMs, Handler onTick) = 0;
  // Called when the user asks to close the window (close box, system menu,
  // Alt+F4). The port does not close the window itself: the core decides,
  // usually by destroying the form inside this handler.
  virtual void SetOnCloseRequest(Handler onCloseRequest) = 0;

  // The client area's size in pixels as it stands now (menu bar excluded).
  virtual int ClientWidthPx() = 0;
  virtual int ClientHeightPx() = 0;
  // The outer size in pixels, frame and title bar included, as it stands now.
  virtual int OuterWidthPx() = 0;
  virtual int OuterHeightPx() = 0;
  // Sets the outer size in pixels; the frame, title bar and menu bar keep
  // their sizes, so the client area changes by the same amount.
  virtual void SetOuterWidthPx(int width) = 0;
  virtual void SetOuterHeightPx(int height) = 0;
  // Moves the window's outer top-left corner, in screen pixels.
  virtual void SetLeftPx(int left) = 0;
  virtual void SetTopPx(int top) = 0;

  // Shows the window modeless and returns at once; a form that is already
  // shown is brought to the front and activated.
  virtual void Show() = 0;
};

class FormFactory {
 public:
  virtual ~FormFactory() = default;
  // Creates a hidden top-level form with an empty caption, a fixed-size
  // frame with a title bar and a close box, and no menu bar yet. name
  // ("frmSet") is never shown.
  virtual std::unique_ptr<Form> CreateForm(std::string_view name) = 0;
};

}  // namespace quimbel::platform
