#include "ports/headless/preview_window.hpp"

namespace quimbel::headless {
namespace {

class HeadlessPreview : public platform::PreviewWindow {
 public:
  explicit HeadlessPreview(std::shared_ptr<PreviewRecord> record) : r_(std::move(record)) {}
  void AddChildStyle() override {
    r_->childStyle = true;
    r_->calls.emplace_back("AddChildStyle");
  }
  void SetParent(platform::WindowHandle host) override {
    r_->parent = host;
    r_->calls.emplace_back("SetParent");
  }
  void SetBoundsPx(int left, int top, int width, int height) override {
    r_->left = left;
    r_->top = top;
    r_->width = width;
    r_->height = height;
    r_->calls.emplace_back("SetBoundsPx");
  }
  void SetPicture(const base::Surface& picture) override {
    r_->picture = picture;
    r_->calls.emplace_back("SetPicture");
  }
  void Show() override {
    r_->visible = true;
    r_->calls.emplace_back("Show");
  }

 private:
  std::shared_ptr<PreviewRecord> r_;
};

}  // namespace

std::unique_ptr<platform::PreviewWindow> HeadlessPreviewFactory::CreatePreviewWindow() {
  auto record = std::make_shared<PreviewRecord>();
  created.push_back(record);
  return std::make_unique<HeadlessPreview>(record);
}

}  // namespace quimbel::headless
