#include "GameProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <ostream>
#include <thread>

namespace lm_test {
namespace {

using namespace std::chrono_literals;

constexpr auto SOUND_DELAY = 800ms;  // for the sound output to reach its file

/// The rows of cells where the battle shows both health views.
constexpr int STATUS_FIRST_ROW = 0;
constexpr int STATUS_LAST_ROW = 2;

bool statusSame(const sf::Image& a, const sf::Image& b) {
    return sameRows(a, b, STATUS_FIRST_ROW, STATUS_LAST_ROW);
}

/// Each test starts a game from the title and meets an enemy chosen by its roll.
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
        overworld = game.screenshot();
    }

    /// Makes the next step's encounter roll succeed with the enemy roll given; every later roll
    /// gives turn_roll: no encounter, and the enemy's choice for every turn.
    void encounter(int enemy_roll, int turn_roll) {
        game.scriptRand({1, enemy_roll, turn_roll});
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

    /// The game's own lines of the log after loading, without the lines of objects made.
    std::vector<std::string> gameLines() const {
        const std::vector<std::string> log = game.log();
        auto line =
            std::find(log.begin(), log.end(), "SRM::loadSprite(): Sprite 'controls' loaded.");
        std::vector<std::string> lines;
        for (++line; line < log.end(); ++line) {
            if (line->rfind("Object: id", 0) != 0) {
                lines.push_back(*line);
            }
        }
        return lines;
    }

    sf::Image overworld;
};

struct Foe {
    const char* name;
    int enemy_roll;            // the encounter's second roll
    int turn_roll;             // the enemy's roll on every turn
    const char* announcement;  // written to the log, or empty for the zombie's on-screen one
    int full_hits;             // blows of 2 to win
    int halved_hits;           // blows of 1 to win, on a defending enemy
};

void PrintTo(const Foe& foe, std::ostream* out) {
    *out << foe.name;
}

class VictoryTest : public BattlePlayTest, public ::testing::WithParamInterface<Foe> {};

TEST_P(VictoryTest, TheHeroWinsAndTheWalkGoesOnInSilence) {
    const Foe& foe = GetParam();
    encounter(foe.enemy_roll, foe.turn_roll);
    std::this_thread::sleep_for(SOUND_DELAY);
    EXPECT_TRUE(game.soundAudible()) << "the battle plays the music";
    if (std::string(foe.name) == "goblin") {
        EXPECT_TRUE(matchesReference(game.screenshot(), "battle-goblin"));
    }
    for (int hit = 0; hit < foe.full_hits + foe.halved_hits; ++hit) {
        command("a");
    }
    ASSERT_TRUE(game.waitFor([&](const sf::Image& shown) { return statusSame(shown, overworld); }))
        << "the battle is gone";
    std::this_thread::sleep_for(SOUND_DELAY);
    EXPECT_FALSE(game.soundAudible()) << "the music stops with the battle";
    quit();

    std::vector<std::string> expected;
    if (*foe.announcement != '\0') {
        expected.push_back(foe.announcement);
    }
    expected.insert(expected.end(), static_cast<std::size_t>(foe.full_hits),
                    "The Hero deals 2 damage");
    expected.insert(expected.end(), static_cast<std::size_t>(foe.halved_hits),
                    "The Hero deals 1 damage");
    expected.insert(expected.end(), {"Enemy was defeated", "GameManager: run ended",
                                     "SRM::shutDown(): Successfully stopped."});
    EXPECT_EQ(gameLines(), expected);
}

// Goblins, zombies and wizards attack every turn (the hero survives their four turns); the knight,
// who would win that way, defends every turn instead, and each blow after the first costs it 1.
INSTANTIATE_TEST_SUITE_P(EveryKind, VictoryTest,
                         ::testing::Values(Foe{"goblin", 0, 0, "A Goblin appears!", 4, 0},
                                           Foe{"zombie", 3, 0, "", 4, 0},
                                           Foe{"knight", 6, 3, "A Knight appears!", 1, 7},
                                           Foe{"wizard", 7, 0, "A Wizard appears!", 4, 0}),
                         [](const ::testing::TestParamInfo<Foe>& foe) {
                             return std::string(foe.param.name);
                         });

TEST_F(BattlePlayTest, AKnightWinsAndTheTitleComesBackInViewWithMusic) {
    // The hero walks low in the world first, so that the view stands away from its start.
    game.hold("s", 1500ms);
    encounter(6, 0);
    GameProcess::keep(game.screenshot(), "battle-knight");
    // Guarded, the hero takes 1 of the knight's 3; then three exchanges of blows bring him to 0.
    command("d");
    for (int hit = 0; hit < 3; ++hit) {
        command("a");
    }
    EXPECT_TRUE(game.waitFor([&](const sf::Image& shown) {
        return sameRows(shown, title, 0, 1000);
    })) << "the title, in full view";
    std::this_thread::sleep_for(SOUND_DELAY);
    EXPECT_TRUE(game.soundAudible()) << "the title after a defeat plays the music";

    quit();
    const std::string hit = "The Hero deals 2 damage";
    EXPECT_EQ(gameLines(), (std::vector<std::string>{"A Knight appears!", hit, hit, hit,
                                                     "Enemy was defeated", "GameManager: run ended",
                                                     "SRM::shutDown(): Successfully stopped."}));
}

TEST_F(BattlePlayTest, QEndsTheGameInTheMiddleOfABattle) {
    encounter(7, 0);
    quit();
    // The wizard leaves the world with everything else at the end.
    const std::vector<std::string> lines = gameLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Enemy was defeated"), 1);
    EXPECT_EQ(lines.front(), "A Wizard appears!");
}

class SignalInBattleTest : public BattlePlayTest, public ::testing::WithParamInterface<int> {};

TEST_P(SignalInBattleTest, EndsTheGameAsQDoes) {
    encounter(7, 0);
    game.sendSignal(GetParam());
    EXPECT_EQ(game.waitForExit(std::chrono::seconds(5)), 0);
    const std::string name = std::string("SIG") + sigabbrev_np(GetParam());
    EXPECT_EQ(gameLines(),
              (std::vector<std::string>{
                  "A Wizard appears!", "GameManager: " + name + " received, ending the game",
                  "GameManager: run ended", "SRM::shutDown(): Successfully stopped.",
                  "Enemy was defeated"}));
}

INSTANTIATE_TEST_SUITE_P(EachSignal, SignalInBattleTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& signal_number) {
                             return std::string(sigabbrev_np(signal_number.param));
                         });

}  // namespace
}  // namespace lm_test
