// What reading the keyboard and the mouse costs the game loop once per pass, with nothing pressed.

#include "engine/DisplayManager.h"
#include "engine/InputManager.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GetInput(benchmark::State& state) {
    static const bool ready = lm::DisplayManager::getInstance().startUp() == 0 &&
                              lm::InputManager::getInstance().startUp() == 0;
    if (!ready) {
        state.SkipWithError("no window: run under a display");
        return;
    }
    lm::InputManager& input = lm::InputManager::getInstance();
    for (auto _ : state) {
        input.getInput();
    }
}
BENCHMARK(BM_GetInput)->Unit(benchmark::kMicrosecond);

}  // namespace
