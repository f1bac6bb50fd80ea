#pragma once
// The saver run's start: the full-screen window, its surfaces and the first frame.
namespace quimbel::app {
class Program;
}

namespace quimbel::engine {

void StartSaver(app::Program& program);

}  // namespace quimbel::engine
