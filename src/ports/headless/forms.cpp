#include "ports/headless/forms.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "base/runtime_error.hpp"
#include "ports/headless/process.hpp"
#include "ports/headless/screen.hpp"

namespace quimbel::headless {
namespace {

// Runs a copy of the handler: the handler may destroy the form that holds it.
void Run(const platform::Handler& handler) {
  if (!handler)
    return;
  platform::Handler copy = handler;
  copy();
}

void SelectOption(ControlRecord& option) {
  for (auto& other : option.form->controls) {
    if (other->kind == "OptionButton" && other->container == option.container)
      other->value = false;
  }
  option.value = true;
}

template <class Base>
class ControlImpl : public Base {
 public:
  explicit ControlImpl(ControlRecord& record) : r_(record) {}
  void SetWidth(int px) override { Set(r_.width, px, "Width"); }
  void SetHeight(int px) override { Set(r_.height, px, "Height"); }
  void SetLeft(int px) override { Set(r_.left, px, "Left"); }
  void SetTop(int px) override { Set(r_.top, px, "Top"); }
  void SetBackColour(platform::Colour colour) override {
    r_.back = colour;
    r_.calls.emplace_back("BackColour");
  }

 protected:
  void Set(std::optional<int>& field, int value, const char* name) {
    field = value;
    r_.calls.emplace_back(name);
  }
  ControlRecord& r_;
};

template <class Base>
class TextControlImpl : public ControlImpl<Base> {
 public:
  using ControlImpl<Base>::ControlImpl;
  void SetFontFace(std::string_view face) override {
    this->r_.fontFace = face;
    this->r_.calls.emplace_back("FontFace");
  }
  void SetFontBold(bool bold) override {
    this->r_.bold = bold;
    this->r_.calls.emplace_back("FontBold");
  }
  void SetFontSize(double points) override {
    this->r_.fontSize = points;
    this->r_.calls.emplace_back("FontSize");
  }
  void SetForeColour(platform::Colour colour) override {
    this->r_.fore = colour;
    this->r_.calls.emplace_back("ForeColour");
  }
  void SetText(std::string_view text) override {
    this->r_.text = text;
    this->r_.calls.emplace_back("Text");
  }
};

class LabelImpl : public TextControlImpl<platform::Label> {
 public:
  using TextControlImpl::TextControlImpl;
};

class TextBoxImpl : public TextControlImpl<platform::TextBox> {
 public:
  using TextControlImpl::TextControlImpl;
};

class PushButtonImpl : public TextControlImpl<platform::PushButton> {
 public:
  using TextControlImpl::TextControlImpl;
  void SetOnClick(platform::Handler onClick) override { r_.onClick = std::move(onClick); }
};

class OptionButtonImpl : public TextControlImpl<platform::OptionButton> {
 public:
  using TextControlImpl::TextControlImpl;
  void SetValue(bool selected) override {
    if (selected)
      SelectOption(r_);
    else
      r_.value = false;
    r_.calls.emplace_back("Value");
  }
  bool Value() override { return r_.value; }
};

class DropDownListImpl : public TextControlImpl<platform::DropDownList> {
 public:
  using TextControlImpl::TextControlImpl;
  void AddItem(std::string_view text) override { r_.items.emplace_back(text); }
  int ItemCount() override { return static_cast<int>(r_.items.size()); }
  std::string ItemText(int index) override {
    if (index < 0 || index >= ItemCount())
      return {};
    return r_.items[static_cast<std::size_t>(index)];
  }
  void SetListIndex(int index) override {
    if (index < -1 || index >= ItemCount())
      throw base::RuntimeError::InvalidCall();
    r_.listIndex = index;
    r_.calls.emplace_back("ListIndex");
  }
  int ListIndex() override { return r_.listIndex; }
};

class ImageImpl : public ControlImpl<platform::ImageControl> {
 public:
  using ControlImpl::ControlImpl;
  void SetPicture(const base::Surface& picture) override {
    r_.picture = picture;
    ++r_.pictureSets;
  }
  void SetIcon(const base::Icon& picture) override {
    r_.picture = picture.colour;
    ++r_.pictureSets;
  }
};

// What a container needs to make controls: the form's record, the form's
// store of control objects, and its own name.
struct Maker {
  FormRecord* form;
  std::vector<std::unique_ptr<platform::Control>>* owned;
  std::string container;

  ControlRecord& NewRecord(std::string_view name, const char* kind) {
    auto record = std::make_unique<ControlRecord>();
    record->name = name;
    record->kind = kind;
    record->container = container;
    record->form = form;
    form->controls.push_back(std::move(record));
    return *form->controls.back();
  }

  template <class Impl>
  Impl& Own(std::unique_ptr<Impl> control) {
    Impl& ref = *control;
    owned->push_back(std::move(control));
    return ref;
  }

  template <class Impl>
  Impl& Add(std::string_view name, const char* kind) {
    return Own(std::make_unique<Impl>(NewRecord(name, kind)));
  }

  platform::Panel& AddPanel(std::string_view name, bool bordered);
};

template <class Base>
class ContainerImpl : public Base {
 public:
  template <class... Args>
  explicit ContainerImpl(Maker maker, Args&&... args)
      : Base(std::forward<Args>(args)...), maker_(std::move(maker)) {}

  platform::Label& AddLabel(std::string_view name) override {
    return maker_.Add<LabelImpl>(name, "Label");
  }
  platform::PushButton& AddPushButton(std::string_view name) override {
    return maker_.Add<PushButtonImpl>(name, "PushButton");
  }
  platform::OptionButton& AddOptionButton(std::string_view name) override {
    return maker_.Add<OptionButtonImpl>(name, "OptionButton");
  }
  platform::DropDownList& AddDropDownList(std::string_view name) override {
    return maker_.Add<DropDownListImpl>(name, "DropDownList");
  }
  platform::TextBox& AddTextBox(std::string_view name, platform::TextBoxStyle style) override {
    ControlRecord& record = maker_.NewRecord(name, "TextBox");
    record.style = style;
    return maker_.Own(std::make_unique<TextBoxImpl>(record));
  }
  platform::ImageControl& AddImage(std::string_view name, bool bordered) override {
    ControlRecord& record = maker_.NewRecord(name, "Image");
    record.bordered = bordered;
    return maker_.Own(std::make_unique<ImageImpl>(record));
  }
  platform::Panel& AddPanel(std::string_view name, bool bordered) override {
    return maker_.AddPanel(name, bordered);
  }

 protected:
  Maker maker_;
};

class PanelImpl : public ContainerImpl<ControlImpl<platform::Panel>> {
 public:
  PanelImpl(Maker maker, ControlRecord& record) : ContainerImpl(std::move(maker), record) {}
};

platform::Panel& Maker::AddPanel(std::string_view name, bool bordered) {
  ControlRecord& record = NewRecord(name, "Panel");
  record.bordered = bordered;
  return Own(std::make_unique<PanelImpl>(Maker{form, owned, std::string(name)}, record));
}

class SubmenuImpl : public platform::Submenu {
 public:
  SubmenuImpl(FormRecord& form, std::size_t index) : form_(form), index_(index) {}
  void AddItem(std::string_view caption, platform::Handler onChoose) override {
    form_.menus[index_].items.emplace_back(std::string(caption), std::move(onChoose));
  }

 private:
  FormRecord& form_;
  std::size_t index_;
};

class FormImpl : public ContainerImpl<platform::Form> {
 public:
  FormImpl(std::shared_ptr<FormRecord> record, HeadlessProcess& process)
      : ContainerImpl(Maker{record.get(), &owned_, record->name}),
        r_(std::move(record)),
        process_(process) {}

  ~FormImpl() override {
    Unregister();
    r_->destroyed = true;
    r_->visible = false;
  }

  void SetCaption(std::string_view caption) override {
    Unregister();
    r_->caption = caption;
    process_.openTitles.insert(r_->caption);
    registered_ = true;
  }
  void SetIcon(const base::Icon&) override { ++r_->iconSets; }
  void SetBackColour(platform::Colour colour) override { r_->back = colour; }

  void AddMenuCommand(std::string_view caption, platform::Handler onChoose) override {
    KeepingOuterHeight([&] {
      r_->menus.push_back(MenuRecord{std::string(caption), std::move(onChoose), {}});
    });
  }
  platform::Submenu& AddSubmenu(std::string_view caption) override {
    KeepingOuterHeight([&] { r_->menus.push_back(MenuRecord{std::string(caption), {}, {}}); });
    submenus_.push_back(std::make_unique<SubmenuImpl>(*r_, r_->menus.size() - 1));
    return *submenus_.back();
  }
  void StartTimer(int intervalMs, platform::Handler onTick) override {
    r_->timers.emplace_back(intervalMs, std::move(onTick));
  }
  void SetOnCloseRequest(platform::Handler onCloseRequest) override {
    r_->onCloseRequest = std::move(onCloseRequest);
  }

  int ClientWidthPx() override { return r_->clientWidthPx; }
  int ClientHeightPx() override { return r_->clientHeightPx; }
  int OuterWidthPx() override { return r_->clientWidthPx + r_->FrameWidthPx(); }
  int OuterHeightPx() override { return r_->clientHeightPx + r_->FrameHeightPx(); }
  void SetOuterWidthPx(int width) override {
    KeepingOuterHeight([&] { r_->clientWidthPx = std::max(0, width - r_->FrameWidthPx()); });
    r_->calls.emplace_back("OuterWidth");
  }
  void SetOuterHeightPx(int height) override {
    r_->clientHeightPx = std::max(0, height - r_->FrameHeightPx());
    r_->calls.emplace_back("OuterHeight");
  }
  void SetLeftPx(int left) override {
    r_->leftPx = left;
    r_->calls.emplace_back("Left");
  }
  void SetTopPx(int top) override {
    r_->topPx = top;
    r_->calls.emplace_back("Top");
  }
  void Show() override {
    r_->visible = true;
    ++r_->showCount;
    r_->calls.emplace_back("Show");
  }

 private:
  // The window keeps its outer height: menu-bar rows gained or lost come
  // out of or go back to the client area.
  template <class Change>
  void KeepingOuterHeight(Change change) {
    const int outer = r_->clientHeightPx + r_->FrameHeightPx();
    change();
    r_->clientHeightPx = std::max(0, outer - r_->FrameHeightPx());
  }

  void Unregister() {
    if (!registered_)
      return;
    auto it = process_.openTitles.find(r_->caption);
    if (it != process_.openTitles.end())
      process_.openTitles.erase(it);
    registered_ = false;
  }

  std::shared_ptr<FormRecord> r_;
  HeadlessProcess& process_;
  std::vector<std::unique_ptr<platform::Control>> owned_;
  std::vector<std::unique_ptr<SubmenuImpl>> submenus_;
  bool registered_ = false;
};

}  // namespace

void ControlRecord::Click() {
  if (!form->destroyed)
    Run(onClick);
}

void ControlRecord::Pick(int index) {
  if (form->destroyed)
    return;
  if (kind != "DropDownList" || index < 0 || index >= static_cast<int>(items.size()))
    throw std::out_of_range("no such entry in " + name);
  listIndex = index;
}

void ControlRecord::Select() {
  if (form->destroyed)
    return;
  if (kind != "OptionButton")
    throw std::out_of_range(name + " is not an option button");
  SelectOption(*this);
}

int FormRecord::MenuRows() const {
  if (menus.empty())
    return 0;
  const int perRow = std::max(1, clientWidthPx / kMenuEntryPx);
  return (static_cast<int>(menus.size()) + perRow - 1) / perRow;
}

ControlRecord& FormRecord::Control(const std::string& controlName) {
  for (auto& control : controls) {
    if (control->name == controlName)
      return *control;
  }
  throw std::out_of_range("no control " + controlName + " in " + name);
}

std::vector<ControlRecord*> FormRecord::Controls(const std::string& prefix) {
  std::vector<ControlRecord*> found;
  for (auto& control : controls) {
    if (control->name.starts_with(prefix))
      found.push_back(control.get());
  }
  return found;
}

void FormRecord::ChooseMenu(const std::string& caption) {
  for (auto& menu : menus) {
    if (menu.caption == caption && menu.onChoose) {
      if (!destroyed)
        Run(menu.onChoose);
      return;
    }
  }
  throw std::out_of_range("no menu command " + caption + " in " + name);
}

void FormRecord::ChooseMenu(const std::string& menu, const std::string& item) {
  for (auto& entry : menus) {
    if (entry.caption != menu)
      continue;
    for (auto& [itemCaption, handler] : entry.items) {
      if (itemCaption == item) {
        if (!destroyed)
          Run(handler);
        return;
      }
    }
  }
  throw std::out_of_range("no menu item " + menu + " / " + item + " in " + name);
}

void FormRecord::Tick() {
  for (std::size_t i = 0; i < timers.size() && !destroyed; ++i)
    Run(timers[i].second);
}

void FormRecord::RequestClose() {
  if (!destroyed)
    Run(onCloseRequest);
}

std::unique_ptr<platform::Form> HeadlessFormFactory::CreateForm(std::string_view name) {
  auto record = std::make_shared<FormRecord>();
  record->name = name;
  created.push_back(record);
  return std::make_unique<FormImpl>(record, process_);
}

FormRecord* HeadlessFormFactory::Open(const std::string& name) {
  for (auto it = created.rbegin(); it != created.rend(); ++it) {
    if ((*it)->name == name && !(*it)->destroyed)
      return it->get();
  }
  return nullptr;
}

int HeadlessFormFactory::OpenCount(const std::string& name) {
  int count = 0;
  for (auto& form : created) {
    if (form->name == name && !form->destroyed)
      ++count;
  }
  return count;
}

}  // namespace quimbel::headless
