#pragma once
// What the form window and its controls share: handler dispatch, and the look
// of colours and fonts.
#include <QButtonGroup>
#include <QColor>
#include <QPalette>
#include <QWidget>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/forms.hpp"

namespace quimbel::linux_port {

// Shared by a form and every connection it makes: once the core destroyed the
// form, Qt may still deliver a signal (the widgets go later, from the event
// loop), and it must reach nothing.
struct FormLife {
  bool alive = true;
};
using LifePtr = std::shared_ptr<FormLife>;

// Runs a core handler from a Qt callback. The handler may destroy the form
// that is calling it; it is held here until it returns. Core handlers never
// throw.
void Dispatch(const LifePtr& life, const std::shared_ptr<platform::Handler>& handler);

QColor ResolveColour(const platform::Colour& colour, const QPalette& palette);

// A control over one widget; every geometry call keeps the other three values.
template <class Base>
class WidgetControl : public Base {
 public:
  explicit WidgetControl(QWidget* widget) : widget_(widget) {}
  void SetWidth(int px) override { Resize(px, widget_->height()); }
  void SetHeight(int px) override { Resize(widget_->width(), px); }
  void SetLeft(int px) override { widget_->move(px, widget_->y()); }
  void SetTop(int px) override { widget_->move(widget_->x(), px); }
  void SetBackColour(platform::Colour colour) override {
    QPalette palette = widget_->palette();
    QColor c = ResolveColour(colour, palette);
    palette.setColor(QPalette::Window, c);
    palette.setColor(QPalette::Base, c);
    palette.setColor(QPalette::Button, c);
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
  }
  QWidget* Widget() const { return widget_; }

 protected:
  virtual void Resize(int width, int height) {
    widget_->resize(width < 0 ? 0 : width, height < 0 ? 0 : height);
  }
  QWidget* widget_;
};

}  // namespace quimbel::linux_port

namespace quimbel::linux_port {

// The controls of one container (a form's client area or a panel), created
// as children of parent, in creation (tab) order.
class ControlSet {
 public:
  ControlSet(QWidget* parent, LifePtr life) : parent_(parent), life_(std::move(life)) {}
  platform::Label& AddLabel(std::string_view name);
  platform::PushButton& AddPushButton(std::string_view name);
  platform::OptionButton& AddOptionButton(std::string_view name);
  platform::DropDownList& AddDropDownList(std::string_view name);
  platform::TextBox& AddTextBox(std::string_view name, platform::TextBoxStyle style);
  platform::ImageControl& AddImage(std::string_view name, bool bordered);
  platform::Panel& AddPanel(std::string_view name, bool bordered);

 private:
  template <class T>
  T& Keep(std::unique_ptr<T> control);

  QWidget* parent_;
  LifePtr life_;
  // Qt's own grouping of radio buttons takes in those of nested panels too.
  QButtonGroup* options_ = nullptr;
  std::vector<std::unique_ptr<platform::Control>> controls_;
};

// A form or panel (Base) whose controls live in a ControlSet.
template <class Base>
class ControlSetContainer : public Base {
 public:
  platform::Label& AddLabel(std::string_view name) override { return Controls().AddLabel(name); }
  platform::PushButton& AddPushButton(std::string_view name) override {
    return Controls().AddPushButton(name);
  }
  platform::OptionButton& AddOptionButton(std::string_view name) override {
    return Controls().AddOptionButton(name);
  }
  platform::DropDownList& AddDropDownList(std::string_view name) override {
    return Controls().AddDropDownList(name);
  }
  platform::TextBox& AddTextBox(std::string_view name, platform::TextBoxStyle style) override {
    return Controls().AddTextBox(name, style);
  }
  platform::ImageControl& AddImage(std::string_view name, bool bordered) override {
    return Controls().AddImage(name, bordered);
  }
  platform::Panel& AddPanel(std::string_view name, bool bordered) override {
    return Controls().AddPanel(name, bordered);
  }

 protected:
  virtual ControlSet& Controls() = 0;
};

}  // namespace quimbel::linux_port
