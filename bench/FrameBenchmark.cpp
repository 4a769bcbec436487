// What one frame costs the display: an empty frame, and a full view of 60 x 40 cells drawn with
// one draw call for the frame, or with two draw calls per cell.

#include "engine/DisplayManager.h"
#include "engine/Platform.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int VIEW_WIDTH = 60;
constexpr int VIEW_HEIGHT = 40;

/// Opens the window once for all benchmarks; false when there is no display to open it on.
bool windowReady(benchmark::State& state) {
    static const bool ready = lm::DisplayManager::getInstance().startUp() == 0;
    if (!ready) {
        state.SkipWithError("no window: run under a display, from the folder holding lm-font.ttf");
    }
    return ready;
}

void BM_EmptyFrame(benchmark::State& state) {
    if (!windowReady(state)) {
        return;
    }
    lm::DisplayManager& display = lm::DisplayManager::getInstance();
    for (auto _ : state) {
        display.swapBuffers();
    }
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond);

void drawFullView(benchmark::State& state, bool cell_by_cell) {
    if (!windowReady(state)) {
        return;
    }
    lm::DisplayManager& display = lm::DisplayManager::getInstance();
    display.setCellByCell(cell_by_cell);
    for (auto _ : state) {
        for (int y = 0; y < VIEW_HEIGHT; ++y) {
            for (int x = 0; x < VIEW_WIDTH; ++x) {
                const char ch = static_cast<char>('!' + (x + y) % 90);
                const auto color = static_cast<lm::Color>(1 + (x + y) % 7);
                display.drawCh(lm::Vector(static_cast<float>(x), static_cast<float>(y)), ch, color);
            }
        }
        display.swapBuffers();
    }
    display.setCellByCell(false);
    state.counters["cells"] = VIEW_WIDTH * VIEW_HEIGHT;
}

void BM_FullViewOneDrawCall(benchmark::State& state) {
    drawFullView(state, false);
}
BENCHMARK(BM_FullViewOneDrawCall)->Unit(benchmark::kMillisecond);

void BM_FullViewCellByCell(benchmark::State& state) {
    drawFullView(state, true);
}
BENCHMARK(BM_FullViewCellByCell)->Unit(benchmark::kMillisecond);

}  // namespace
