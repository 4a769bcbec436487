#include "GameProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace lm_test {
namespace {

using namespace std::chrono_literals;

const std::string HERO_HIT = "The Hero deals 2 damage";

/// The rows of cells where the battle shows both health views.
constexpr int STATUS_FIRST_ROW = 0;
constexpr int STATUS_LAST_ROW = 2;

class BattlePlayTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        game.hold("space", 150ms);
        ASSERT_TRUE(
            game.waitFor([&](const sf::Image& shown) { return !sameRows(shown, title, 0, 1000); }));
        std::this_thread::sleep_for(200ms);
    }

    /// Makes the next step's encounter roll succeed with the enemy roll given, then has every
    /// later roll give 0: no encounter, and every enemy attacks.
    void encounter(int enemy_roll) {
        const sf::Image overworld = game.screenshot();
        game.scriptRand({1, enemy_roll, 0});
        ASSERT_TRUE(
            game.waitFor([&](const sf::Image& shown) { return !statusSame(shown, overworld); }));
        std::this_thread::sleep_for(100ms);
    }

    /// Presses a command's key (a or d) once the hero's figure is ready; the health views
    /// change as the blows land.
    void command(const std::string& key) {
        const sf::Image before = game.screenshot();
        ASSERT_TRUE(
            game.tapUntil(key, [&](const sf::Image& shown) { return !statusSame(shown, before); }));
    }

    static bool statusSame(const sf::Image& a, const sf::Image& b) {
        return sameRows(a, b, STATUS_FIRST_ROW, STATUS_LAST_ROW);
    }

    /// The lines the log holds from a line on, without the lines of objects made.
    std::vector<std::string> logFrom(const std::string& first) const {
        const std::vector<std::string> log = game.log();
        std::vector<std::string> lines;
        for (auto line = std::find(log.begin(), log.end(), first); line != log.end(); ++line) {
            if (line->rfind("Object: id", 0) != 0) {
                lines.push_back(*line);
            }
        }
        return lines;
    }
};

TEST_F(BattlePlayTest, FourHitsDefeatAGoblinAndTheWalkGoesOn) {
    const sf::Image overworld = game.screenshot();
    encounter(0);
    GameProcess::keep(game.screenshot(), "battle-goblin");
    for (int hit = 0; hit < 4; ++hit) {
        command("a");
    }
    ASSERT_TRUE(game.waitFor([&](const sf::Image& shown) { return statusSame(shown, overworld); }))
        << "the battle is gone";
    GameProcess::keep(game.screenshot(), "after-victory");

    quit();
    EXPECT_EQ(logFrom("A Goblin appears!"),
              (std::vector<std::string>{"A Goblin appears!", HERO_HIT, HERO_HIT, HERO_HIT, HERO_HIT,
                                        "Enemy was defeated", "GameManager: run ended",
                                        "SRM::shutDown(): Successfully stopped."}));
}

TEST_F(BattlePlayTest, AKnightWinsAfterFourExchangesAndTheTitleComesBackInView) {
    // The hero walks low in the world first, so that the view stands away from its start.
    game.hold("s", 1500ms);
    encounter(6);
    GameProcess::keep(game.screenshot(), "battle-knight");
    // Guarded, the hero takes 1 of the knight's 3; then three exchanges of blows bring him to 0.
    command("d");
    for (int hit = 0; hit < 3; ++hit) {
        command("a");
    }
    EXPECT_TRUE(game.waitFor([&](const sf::Image& shown) {
        return sameRows(shown, title, 0, 1000);
    })) << "the title, in full view";
    GameProcess::keep(game.screenshot(), "after-defeat");

    quit();
    EXPECT_EQ(logFrom("A Knight appears!"),
              (std::vector<std::string>{"A Knight appears!", HERO_HIT, HERO_HIT, HERO_HIT,
                                        "Enemy was defeated", "GameManager: run ended",
                                        "SRM::shutDown(): Successfully stopped."}));
}

}  // namespace
}  // namespace lm_test
