// The Linux program's entry: builds the port's services and hands the command
// line to the core.
#include <string>
#include <vector>

#include "app/main_entry.hpp"
#include "app/program.hpp"
#include "base/clock_random.hpp"
#include "base/runtime_error.hpp"
#include "platform/forms.hpp"
#include "platform/saver_window.hpp"
#include "ports/linux/process.hpp"
#include "ports/linux/screen.hpp"
#include "ports/linux/settings_store.hpp"

namespace {

// Until the windows and the sound service of this port exist, these refuse
// politely: the run modes end after start-up.
class NoSound : public quimbel::platform::SoundService {
 public:
  std::uint32_t Send(std::string_view, std::string*, std::size_t) override { return 1; }
  bool Execute(std::string_view) override { return false; }
};

class NoPreview : public quimbel::platform::PreviewWindow {
 public:
  void AddChildStyle() override {}
  void SetParent(quimbel::platform::WindowHandle) override {}
  void SetBoundsTwips(double, double, double, double) override {}
  void SetPicture(const quimbel::engine::Surface&) override {}
  void Show() override {}
};

class NoPreviews : public quimbel::platform::PreviewWindowFactory {
 public:
  std::unique_ptr<quimbel::platform::PreviewWindow> CreatePreviewWindow() override {
    return std::make_unique<NoPreview>();
  }
};

class NoMessageBoxes : public quimbel::platform::MessageBoxes {
 public:
  int Show(const std::string&, const std::string&, int, const std::string&, int) override {
    return quimbel::platform::kIdCancel;
  }
};

class NoForms : public quimbel::platform::FormFactory {
 public:
  std::unique_ptr<quimbel::platform::Form> CreateForm(std::string_view) override {
    throw quimbel::base::RuntimeError::InvalidCall();
  }
};

}  // namespace

int main(int argc, char** argv) {
  using namespace quimbel;
  linux_port::LinuxProcess process(std::vector<std::string>(argv, argv + argc));
  linux_port::X11Screen screen;
  linux_port::FileStore store;
  base::ClockRandom random;
  NoSound sound;
  NoPreviews previews;
  platform::SaverWindowFactory savers;
  NoForms forms;
  NoMessageBoxes messageBoxes;
  platform::Platform platform{process,  screen, store, random,      sound,
                              previews, savers, forms, messageBoxes};
  app::Program program(platform);
  return app::RunMain(program);
}
