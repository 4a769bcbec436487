#include "GameProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace lm_test {
namespace {

using namespace std::chrono_literals;

constexpr int CELL_HEIGHT = 17;  // pixels of one row of cells

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

int objectsMade(const std::vector<std::string>& log) {
    return static_cast<int>(std::count_if(log.begin(), log.end(), [](const std::string& line) {
        return line.rfind("Object: id = ", 0) == 0;
    }));
}

using PlayThroughTest = ProgramTest;

TEST_F(PlayThroughTest, LoadsEveryResourceInOrderAndOpensOnTheTitleAlone) {
    EXPECT_GT(litPixels(title), 10000);
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

TEST_F(PlayThroughTest, TitleControlsAndBackThenAWalkThatTheViewFollowsThenQuit) {
    GameProcess::keep(title, "title");
    ASSERT_TRUE(
        game.tapUntil("c", [&](const sf::Image& shown) { return !samePixels(shown, title); }));
    std::this_thread::sleep_for(200ms);
    const sf::Image controls = game.screenshot();
    GameProcess::keep(controls, "controls");
    EXPECT_GT(litPixels(controls), 5000);

    ASSERT_TRUE(game.tapUntil("x", [&](const sf::Image& shown) {
        return samePixels(shown, title);
    })) << "any key but C goes back to the title";

    game.hold("space", 150ms);
    ASSERT_TRUE(game.waitFor([&](const sf::Image& shown) { return !samePixels(shown, title); }));
    std::this_thread::sleep_for(200ms);
    const sf::Image overworld = game.screenshot();
    GameProcess::keep(overworld, "overworld");

    game.hold("s", 200ms);
    std::this_thread::sleep_for(200ms);
    const sf::Image walked = game.screenshot();
    GameProcess::keep(walked, "walked");
    EXPECT_GE(rowsScrolled(overworld, walked), 1)
        << "the scenery moves up as the view follows the hero down";

    quit();
    // The title, the controls, the title again, then 19 trees, a bush, a rock, grass, the hero.
    EXPECT_EQ(objectsMade(game.log()), 26);
}

}  // namespace
}  // namespace lm_test
