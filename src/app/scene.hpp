#pragma once
// A saver run's scene: free slots, the background, the music, the cast and
// the first frame.
namespace quimbel::app {

class Program;

void SetUpScene(app::Program& program);

}  // namespace quimbel::app
