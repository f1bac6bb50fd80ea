#include "engine/tick.hpp"

#include "app/program.hpp"
#include "engine/cast.hpp"
#include "engine/frame.hpp"
#include "sound/music.hpp"

namespace quimbel::engine {
namespace {

constexpr const char* kErrorCaption = "エラー";

// Number as the classic Str shows it: a blank where a minus sign would go.
std::string NumberText(int n) {
  return (n >= 0 ? " " : "") + std::to_string(n);
}

bool UserMoved(const SaverState& s) {
  // Each reference against the full 32-bit sample: no dead zone.
  return s.StartCaretY != s.CaretPoint.y || s.StartCaretX != s.CaretPoint.x ||
         s.StartCursorX != s.CursorPoint.x || s.StartCursorY != s.CursorPoint.y;
}

void EndSaver(app::Program& program) {
  program.saver.frmDisp->SetDefaultPointer();
  sound::PlayMusic(program, sound::MusicStop);
  program.End(0);
}

void ShowTickError(app::Program& program, const base::RuntimeError& error) {
  // The box is modal, but timers keep firing under it on every platform: a
  // tick that reached here again would stack box upon box.
  SaverState& saver = program.saver;
  saver.errorBoxOpen = true;
  struct Reopen {
    SaverState& s;
    ~Reopen() { s.errorBoxOpen = false; }
  } reopen{saver};
  program.platform.messageBoxes.Show(TickErrorText(error), kErrorCaption, platform::kMbOk,
                                     error.HelpFile(), error.HelpContext());
}

class SaverHandlers : public platform::SaverEvents {
 public:
  explicit SaverHandlers(app::Program& program) : program_(program) {}

  void OnTimer1() override {
    Guarded([this] {
      if (program_.run.IsSaverMode != 0)
        AnimationTick(program_, 0);
    });
  }
  void OnTimer2() override {
    Guarded([this] { sound::PlayMusic(program_, sound::MusicPoll); });
  }
  void OnClick() override { ForceExit(); }
  void OnKeyDown() override { ForceExit(); }

 private:
  void ForceExit() {
    Guarded([this] {
      if (program_.run.IsSaverMode != 0)
        AnimationTick(program_, 1);
    });
  }

  // An event that arrives after the end does nothing; an error nothing else
  // trapped ends the process with the run-time error report.
  template <class F>
  void Guarded(F body) {
    if (program_.ended)
      return;
    try {
      body();
    } catch (const base::RuntimeError& error) {
      program_.platform.process.ReportUntrappedError(error);
      program_.End(1);
    }
  }

  app::Program& program_;
};

}  // namespace

std::string TickErrorText(const base::RuntimeError& error) {
  return "エラー番号 " + NumberText(error.Number()) + error.Source() +
         " でエラーが発生しました。 \r" + error.Description();
}

void AnimationTick(app::Program& program, std::int16_t forceExit) {
  SaverState& saver = program.saver;
  if (program.ended || saver.errorBoxOpen)
    return;
  try {
    SpawnCharacters(program);
    ComposeFrame(program);
    platform::Screen& screen = program.platform.screen;
    // A failed query keeps the previous sample.
    screen.CaretPos(saver.CaretPoint);
    screen.CursorPos(saver.CursorPoint);
    if (UserMoved(saver) || forceExit == 1)
      EndSaver(program);
  } catch (const base::RuntimeError& error) {
    ShowTickError(program, error);
  }
}

std::unique_ptr<platform::SaverEvents> MakeSaverEvents(app::Program& program) {
  return std::make_unique<SaverHandlers>(program);
}

}  // namespace quimbel::engine
