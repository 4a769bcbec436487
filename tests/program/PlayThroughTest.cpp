#include "GameProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace lm_test {
namespace {

using namespace std::chrono_literals;

constexpr int CELL_HEIGHT = 17;      // pixels of one row of cells
constexpr auto SOUND_DELAY = 800ms;  // for the sound output to reach its file

bool samePixels(const sf::Image& a, const sf::Image& b) {
    return sameRows(a, b, 0, 1000);
}

/// The number of cell rows the picture moved up between two screenshots, judged outside the
/// rows around the middle of the view, where the followed hero stands; -1 when no shift of up to
/// 20 rows explains the change.
int rowsScrolled(const sf::Image& before, const sf::Image& after) {
    const int hero_from = 17 * CELL_HEIGHT;
    const int hero_to = 24 * CELL_HEIGHT;
    for (int rows = 0; rows <= 20; ++rows) {
        if (rowsDifferingWhenShifted(before, after, rows * CELL_HEIGHT, hero_from, hero_to) == 0) {
            return rows;
        }
    }
    return -1;
}

/// The leftmost column of the hero's colour (cyan) on the screen, or -1.
int heroLeftEdge(const sf::Image& shown) {
    int left = -1;
    for (unsigned int y = 0; y < shown.getSize().y; ++y) {
        for (unsigned int x = 0; x < shown.getSize().x; ++x) {
            const sf::Color pixel = shown.getPixel(x, y);
            if (pixel.r == 0 && pixel.g > 128 && pixel.b > 128 &&
                (left < 0 || static_cast<int>(x) < left)) {
                left = static_cast<int>(x);
            }
        }
    }
    return left;
}

int objectsMade(const std::vector<std::string>& log) {
    return static_cast<int>(std::count_if(log.begin(), log.end(), [](const std::string& line) {
        return line.rfind("Object: id = ", 0) == 0;
    }));
}

using PlayThroughTest = ProgramTest;

TEST_F(PlayThroughTest, LoadsEveryResourceInOrderAndOpensOnTheTitleAloneWithMusic) {
    EXPECT_TRUE(matchesReference(title, "title"));
    std::this_thread::sleep_for(SOUND_DELAY);
    EXPECT_TRUE(game.soundAudible()) << "the title plays the music";
    quit();
    const std::vector<std::string> log = game.log();
    std::vector<std::string> loaded;
    for (const std::string& line : log) {
        if (line.rfind("SRM::loadSprite(): Sprite '", 0) == 0) {
            loaded.push_back(line);
        }
    }
    const std::vector<std::string> labels = {
        "rock",   "tree",   "bush",   "grass",  "hero",         "hero_combat", "goblin",
        "battle", "zombie", "knight", "wizard", "start-screen", "controls"};
    ASSERT_EQ(loaded.size(), labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(loaded[i], "SRM::loadSprite(): Sprite '" + labels[i] + "' loaded.");
    }
    EXPECT_EQ(objectsMade(log), 1) << "the title is the only object";
    EXPECT_EQ(log.back(), "SRM::shutDown(): Successfully stopped.");
}

TEST_F(PlayThroughTest, ControlsAndBackStopAndRestartTheMusic) {
    ASSERT_TRUE(
        game.tapUntil("c", [&](const sf::Image& shown) { return !samePixels(shown, title); }));
    std::this_thread::sleep_for(SOUND_DELAY);
    EXPECT_TRUE(matchesReference(game.screenshot(), "controls"));
    EXPECT_FALSE(game.soundAudible()) << "the controls screen is silent";

    ASSERT_TRUE(game.tapUntil("x", [&](const sf::Image& shown) {
        return samePixels(shown, title);
    })) << "any key but C goes back to the title";
    std::this_thread::sleep_for(SOUND_DELAY);
    EXPECT_TRUE(game.soundAudible()) << "the title plays the music again";
    quit();
}

TEST_F(PlayThroughTest, TheViewFollowsTheHeroCellByCellAndATreeStopsHim) {
    game.hold("space", 150ms);
    ASSERT_TRUE(game.waitFor([&](const sf::Image& shown) { return !samePixels(shown, title); }));
    std::this_thread::sleep_for(SOUND_DELAY);
    const sf::Image overworld = game.screenshot();
    EXPECT_TRUE(matchesReference(overworld, "overworld"));
    EXPECT_FALSE(game.soundAudible()) << "the overworld is silent";

    // One step down: the scenery moves up by exactly one row of cells, the hero stays.
    ASSERT_TRUE(game.tapUntil(
        "s", [&](const sf::Image& shown) { return rowsScrolled(overworld, shown) == 1; }));

    // West of the hero stands a column of trees: walking into it, he stops beside it.
    game.hold("a", 1200ms);
    const sf::Image stopped = game.screenshot();
    game.hold("a", 400ms);
    const sf::Image pushed = game.screenshot();
    GameProcess::keep(pushed, "against-the-trees");
    EXPECT_EQ(heroLeftEdge(pushed), heroLeftEdge(stopped)) << "the trees hold him";
    EXPECT_GE(heroLeftEdge(pushed), 12 * 9) << "he stands beside the trees, not in them";
    EXPECT_LT(heroLeftEdge(pushed), 13 * 9);

    quit();
    // The title, then 19 trees, a bush, a rock, grass and the hero.
    EXPECT_EQ(objectsMade(game.log()), 24);
}

TEST_F(PlayThroughTest, TheWindowsCloseButtonEndsTheGame) {
    game.closeWindow();
    EXPECT_EQ(game.waitForExit(5s), 0);
    const std::vector<std::string> log = game.log();
    EXPECT_NE(std::find(log.begin(), log.end(), "InputManager: window closed, ending the game"),
              log.end());
}

}  // namespace
}  // namespace lm_test
