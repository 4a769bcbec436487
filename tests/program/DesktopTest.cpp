// The game among the other programs of a desktop: it ends cleanly on the signals a desktop and a
// terminal send, reads only the keys typed into its own window, keeps its picture's shape in a
// resized window, and does not race to make up a pause.

#include "../FakeInput.h"
#include "GameProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <ostream>
#include <thread>

namespace lm_test {
namespace {

using namespace std::chrono_literals;

using DesktopTest = ProgramTest;

/// The log's lines from the one that names the signal on.
std::vector<std::string> linesFromTheSignal(const std::vector<std::string>& log,
                                            int signal_number) {
    const std::string name = std::string("SIG") + sigabbrev_np(signal_number);
    const auto line =
        std::find(log.begin(), log.end(), "GameManager: " + name + " received, ending the game");
    return std::vector<std::string>(line, log.end());
}

class StopSignalTest : public ProgramTest, public ::testing::WithParamInterface<int> {};

TEST_P(StopSignalTest, OnTheTitleEndsTheGameAsQDoes) {
    game.sendSignal(GetParam());
    EXPECT_EQ(game.waitForExit(5s), 0);
    const std::vector<std::string> lines = linesFromTheSignal(game.log(), GetParam());
    ASSERT_FALSE(lines.empty()) << "the log names the signal";
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()),
              (std::vector<std::string>{"GameManager: run ended",
                                        "SRM::shutDown(): Successfully stopped."}));
}

INSTANTIATE_TEST_SUITE_P(EachSignal, StopSignalTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& signal_number) {
                             return std::string(sigabbrev_np(signal_number.param));
                         });

TEST_F(DesktopTest, KeysTypedIntoAnotherWindowAreNotTheGames) {
    {
        const fake_input::OtherWindow terminal;
        ASSERT_TRUE(terminal.hasFocus());
        game.hold("space", 300ms);
        game.hold("q", 300ms);
        EXPECT_TRUE(sameRows(game.screenshot(), title, 0, 1000)) << "still the title";
        EXPECT_EQ(game.waitForExit(1s), -1) << "still running";
    }
    game.focus();
    quit();
}

/// The smallest rectangle holding every pixel that is not black.
struct Bounds {
    int left = 0;
    int top = 0;
    int right = -1;  // inclusive
    int bottom = -1;
};

std::ostream& operator<<(std::ostream& out, const Bounds& b) {
    return out << "(" << b.left << ", " << b.top << ") to (" << b.right << ", " << b.bottom << ")";
}

Bounds litBounds(const sf::Image& image) {
    Bounds bounds{static_cast<int>(image.getSize().x), static_cast<int>(image.getSize().y)};
    for (unsigned int y = 0; y < image.getSize().y; ++y) {
        for (unsigned int x = 0; x < image.getSize().x; ++x) {
            const sf::Color pixel = image.getPixel(x, y);
            if (pixel.r != 0 || pixel.g != 0 || pixel.b != 0) {
                bounds.left = std::min(bounds.left, static_cast<int>(x));
                bounds.top = std::min(bounds.top, static_cast<int>(y));
                bounds.right = std::max(bounds.right, static_cast<int>(x));
                bounds.bottom = std::max(bounds.bottom, static_cast<int>(y));
            }
        }
    }
    return bounds;
}

TEST_F(DesktopTest, AResizedWindowShowsTheWholePictureInItsShapeInTheMiddle) {
    const Bounds picture = litBounds(title);
    const sf::Vector2u sizes[] = {{1280, 768}, {1024, 1024}, {640, 360}, {1024, 768}};
    for (const sf::Vector2u size : sizes) {
        game.resize(size.x, size.y);
        // As large as fits, centred: black bars left and right, or above and below.
        const float scale =
            std::min(static_cast<float>(size.x) / 1024.0f, static_cast<float>(size.y) / 768.0f);
        const float left = (static_cast<float>(size.x) - 1024 * scale) / 2;
        const float top = (static_cast<float>(size.y) - 768 * scale) / 2;
        Bounds expected{static_cast<int>(std::lround(left + picture.left * scale)),
                        static_cast<int>(std::lround(top + picture.top * scale)),
                        static_cast<int>(std::lround(left + picture.right * scale)),
                        static_cast<int>(std::lround(top + picture.bottom * scale))};
        Bounds shown;
        const bool fits = game.waitFor([&](const sf::Image& image) {
            shown = litBounds(image);
            return image.getSize() == size && std::abs(shown.left - expected.left) <= 2 &&
                   std::abs(shown.top - expected.top) <= 2 &&
                   std::abs(shown.right - expected.right) <= 2 &&
                   std::abs(shown.bottom - expected.bottom) <= 2;
        });
        EXPECT_TRUE(fits) << size.x << " x " << size.y << ": the title stands at " << shown
                          << ", not at " << expected;
    }
    EXPECT_TRUE(sameRows(game.screenshot(), title, 0, 1000))
        << "at its own size, the picture is what it was";
    quit();
}

TEST_F(DesktopTest, AfterAPauseTheGameKeepsItsPace) {
    game.hold("space", 150ms);  // the walking hero rolls for an encounter once a pass
    std::this_thread::sleep_for(1s);
    game.sendSignal(SIGSTOP);
    std::this_thread::sleep_for(3s);
    const auto resumed = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now().time_since_epoch())
                             .count();
    game.sendSignal(SIGCONT);
    std::this_thread::sleep_for(2500ms);

    const std::vector<long long> calls = game.randCalls();
    const auto passes = [&calls](long long from, long long to) {
        return std::count_if(calls.begin(), calls.end(),
                             [&](long long call) { return call >= from && call < to; });
    };
    // Thirty passes a second; after the pause a few more to make up three frames at most.
    const auto first_second = passes(resumed, resumed + 1000000);
    const auto next_second = passes(resumed + 1000000, resumed + 2000000);
    EXPECT_LE(first_second, 30 + 3 + 4) << "no race to make up the pause";
    EXPECT_GE(next_second, 25);
    EXPECT_LE(next_second, 33);
    quit();
}

}  // namespace
}  // namespace lm_test
