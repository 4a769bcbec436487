// Runs the real game loop for 1,000 passes, drawing a full view of 60 x 40 cells in every pass,
// and tells how steadily the passes follow each other: the mean period, and how far single
// periods stray from the 33 ms frame time.
//
// Run it from the repository root (for the font) under a display:
//   ./build/default/bench/lumora_frame_pacing

#include "engine/DisplayManager.h"
#include "engine/Event.h"
#include "engine/GameManager.h"
#include "engine/Object.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int PASSES = 1000;
constexpr int VIEW_WIDTH = 60;
constexpr int VIEW_HEIGHT = 40;

/// Draws the whole view, notes the time of every step and ends the game after the last pass.
class FullScreen : public lm::Object {
public:
    FullScreen() { setSolidness(lm::INTANGIBLE); }

    int eventHandler(const lm::Event* p_event) override {
        if (p_event->getType() != lm::STEP_EVENT) {
            return 0;
        }
        step_times.push_back(std::chrono::duration_cast<std::chrono::microseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count());
        if (static_cast<int>(step_times.size()) > PASSES) {
            lm::GameManager::getInstance().setGameOver(true);
        }
        return 1;
    }

    int draw() override {
        lm::DisplayManager& display = lm::DisplayManager::getInstance();
        for (int y = 0; y < VIEW_HEIGHT; ++y) {
            for (int x = 0; x < VIEW_WIDTH; ++x) {
                display.drawCh(lm::Vector(static_cast<float>(x), static_cast<float>(y)),
                               static_cast<char>('!' + (x * 7 + y) % 90),
                               static_cast<lm::Color>(1 + (x + y) % 7));
            }
        }
        return 0;
    }

    std::vector<long long> step_times;  // microseconds
};

}  // namespace

int main() {
    lm::GameManager& game_manager = lm::GameManager::getInstance();
    game_manager.startUp();
    if (lm::DisplayManager::getInstance().getWindow() == nullptr) {
        std::fputs("lumora_frame_pacing: no display\n", stderr);
        return 1;
    }
    auto* p_screen = new FullScreen;
    game_manager.run();
    const std::vector<long long> times = p_screen->step_times;
    game_manager.shutDown();

    std::vector<double> deviations;
    for (std::size_t i = 1; i < times.size(); ++i) {
        deviations.push_back(std::fabs(static_cast<double>(times[i] - times[i - 1]) / 1000 - 33));
    }
    std::sort(deviations.begin(), deviations.end());
    const double mean_period = static_cast<double>(times.back() - times.front()) / 1000 /
                               static_cast<double>(times.size() - 1);
    const auto percentile = [&](double p) {
        return deviations[static_cast<std::size_t>(p * static_cast<double>(deviations.size() - 1))];
    };
    std::printf("passes: %zu\nmean period: %.3f ms (%.2f%% from 33 ms)\n", deviations.size(),
                mean_period, (mean_period - 33) / 33 * 100);
    std::printf("deviation from 33 ms: p50 %.3f ms, p99 %.3f ms, max %.3f ms\n", percentile(0.5),
                percentile(0.99), deviations.back());
    return 0;
}
