#include "app/tick.hpp"

#include "app/display_power.hpp"
#include "app/event_boundary.hpp"
#include "app/music_timer.hpp"
#include "app/program.hpp"
#include "app/saver_stage.hpp"
#include "engine/cast.hpp"
#include "engine/frame.hpp"

namespace quimbel::app {

using engine::SaverState;

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
  app::EndRun(program);
}

class SaverHandlers : public platform::SaverEvents {
 public:
  explicit SaverHandlers(app::Program& program) : program_(program) {}

  void OnTimer1() override {
    app::HandleEvent(program_, [this] {
      if (program_.run.IsSaverMode != 0)
        ProbeDisplayPower(program_);
    });
    Tick(0);
  }
  // The tune keeps playing while a box is open: the poll does not wait.
  void OnTimer2() override {
    app::HandleEvent(program_, [this] { PollMusic(program_); });
  }
  void OnClick() override { Tick(1); }
  void OnKeyDown() override { Tick(1); }
  void OnPointerMove(std::int32_t x, std::int32_t y) override {
    app::HandleEvent(program_, [this, x, y] {
      if (program_.run.IsSaverMode != 0)
        PointerMoved(program_, {x, y});
    });
  }
  void OnDisplayPower(bool lit) override {
    app::HandleEvent(program_, [this, lit] { DisplayPowerChanged(program_, lit); });
  }

 private:
  void Tick(std::int16_t forceExit) {
    app::HandleEvent(program_, [this, forceExit] {
      if (program_.run.IsSaverMode != 0)
        AnimationTick(program_, forceExit);
    });
  }

  app::Program& program_;
};

}  // namespace

void PointerMoved(app::Program& program, platform::Point32 at) {
  SaverState& saver = program.saver;
  if (program.ended || !program.run.EndsOnUserInput || program.platform.screen.CanPollPointer())
    return;
  if (!saver.pointerStartKnown) {
    // Entering the window is no motion: the first position is the start.
    saver.pointerStartKnown = true;
    saver.StartCursorX = at.x;
    saver.StartCursorY = at.y;
  }
  saver.CursorPoint = at;
  // As for the tick: while a box is open the pointer may go to it freely.
  if (!program.boxes.Open() && UserMoved(saver))
    EndSaver(program);
}

std::string TickErrorText(const base::RuntimeError& error) {
  return "エラー番号 " + NumberText(error.Number()) + error.Source() +
         " でエラーが発生しました。 \r" + error.Description();
}

void AnimationTick(app::Program& program, std::int16_t forceExit) {
  SaverState& saver = program.saver;
  if (program.ended || program.boxes.Open())
    return;
  platform::Screen& screen = program.platform.screen;
  if (program.run.EndsOnUserInput)
    screen.AskCursorPos();
  try {
    // In the dark nobody sees a frame: the cast waits where it stands.
    if (!program.power.dark) {
      SpawnCharacters(SaverStage(program));
      ComposeFrame(SaverStage(program));
    }
    bool moved = false;
    if (program.run.EndsOnUserInput) {
      // A failed query keeps the previous sample.
      screen.CaretPos(saver.CaretPoint);
      screen.CursorPos(saver.CursorPoint);
      moved = UserMoved(saver);
    }
    if (moved || forceExit == 1)
      EndSaver(program);
  } catch (const base::RuntimeError& error) {
    program.boxes.Show(TickErrorText(error), kErrorCaption, platform::kMbOk, error.HelpFile(),
                       error.HelpContext());
  }
}

std::unique_ptr<platform::SaverEvents> MakeSaverEvents(app::Program& program) {
  return std::make_unique<SaverHandlers>(program);
}

}  // namespace quimbel::app
