#pragma once
// Headless forms: every window and control keeps a record of what the core
// did to it (geometry, fonts, texts, colours, lists, selections, menus,
// timers), and a test can click, pick, choose from menus, tick timers and ask
// to close. Records outlive the forms, so a test can still read a closed one.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms.hpp"

namespace quimbel::headless {

class HeadlessProcess;
class HeadlessScreen;
struct FormRecord;

struct ControlRecord {
  std::string name;
  std::string kind;       // "Label", "PushButton", "OptionButton", "DropDownList",
                          // "TextBox", "Image", "Panel"
  std::string container;  // the panel's name, or the form's name
  FormRecord* form = nullptr;
  bool bordered = false;
  platform::TextBoxStyle style;

  std::optional<int> width, height, left, top;  // unset until placed
  std::string fontFace;
  bool bold = false;
  std::optional<double> fontSize;
  std::optional<platform::Colour> back, fore;
  std::string text;
  std::vector<std::string> items;
  int listIndex = -1;
  bool value = false;
  base::Surface picture;  // the last picture or icon colour set
  int pictureSets = 0;
  platform::Handler onClick;
  std::vector<std::string> calls;  // property names in the order they were set

  // What a user does. Each does nothing once the form is closed.
  void Click();
  void Pick(int index);  // a drop-down list entry
  void Select();         // an option button
};

struct MenuRecord {
  std::string caption;
  platform::Handler onChoose;  // empty for a submenu entry
  std::vector<std::pair<std::string, platform::Handler>> items;
};

struct FormRecord {
  std::string name;
  std::string caption;
  bool destroyed = false;
  bool visible = false;
  int showCount = 0;
  int iconSets = 0;
  std::optional<platform::Colour> back;
  // Geometry the way a framed window has it: the client area in pixels plus a
  // fixed frame; the outer rectangle follows.
  int clientWidthPx = 312;  // the size and place a form has before anyone sets them
  int clientHeightPx = 213;
  int leftPx = 80;
  int topPx = 60;
  std::vector<std::string> calls;  // geometry calls and Show, in order

  std::vector<std::unique_ptr<ControlRecord>> controls;  // creation (tab) order
  std::vector<MenuRecord> menus;
  std::vector<std::pair<int, platform::Handler>> timers;  // interval, tick
  platform::Handler onCloseRequest;

  // The frame the headless "window manager" draws, in pixels. Its menu bar
  // wraps as a framed window's does: entries kMenuEntryPx wide fill as many
  // rows of kMenuBarPx as the client width needs, so the frame's height
  // follows the width.
  static constexpr int kBorderPx = 4;
  static constexpr int kTitlePx = 23;
  static constexpr int kMenuBarPx = 20;
  static constexpr int kMenuEntryPx = 80;
  int MenuRows() const;
  int FrameWidthPx() const { return 2 * kBorderPx; }
  int FrameHeightPx() const { return 2 * kBorderPx + kTitlePx + MenuRows() * kMenuBarPx; }

  // The control with this name; throws std::out_of_range when there is none.
  ControlRecord& Control(const std::string& controlName);
  // Every control whose name starts with prefix ("Image1(" for an array).
  std::vector<ControlRecord*> Controls(const std::string& prefix);

  // What a user does; nothing happens once the form is closed.
  void ChooseMenu(const std::string& caption);                        // a menu-bar command
  void ChooseMenu(const std::string& menu, const std::string& item);  // a submenu item
  void Tick();                                                        // every timer once
  void RequestClose();
};

class HeadlessFormFactory : public platform::FormFactory {
 public:
  explicit HeadlessFormFactory(HeadlessProcess& process) : process_(process) {}

  std::vector<std::shared_ptr<FormRecord>> created;  // every form ever made

  std::unique_ptr<platform::Form> CreateForm(std::string_view name) override;

  // The open form with this name, or nullptr.
  FormRecord* Open(const std::string& name);
  // How many forms with this name are open.
  int OpenCount(const std::string& name);

 private:
  HeadlessProcess& process_;
};

}  // namespace quimbel::headless
