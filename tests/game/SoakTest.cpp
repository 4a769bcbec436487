// The real game loop, its sleeps made instant, for thirty thousand passes of random keys with
// frequent encounters: many victories and defeats, and every battle must leave the world as it
// found it. Run under the sanitizers, any leak or memory fault fails the test program.

#include "GameTest.h"
#include "engine/EventKeyboard.h"
#include "engine/GameManager.h"
#include "engine/Platform.h"
#include "game/StartScreen.h"

#include <array>
#include <map>
#include <random>
#include <regex>

namespace lm_test {
namespace {

using lm::Keyboard::Key;

constexpr int PASSES = 30000;

/// The types of the world's objects, counted.
std::map<std::string, int> census() {
    std::map<std::string, int> counts;
    for (const lm::Object* p_object : lm::WorldManager::getInstance().getAllObjects()) {
        ++counts[p_object->getType()];
    }
    return counts;
}

/// Time that passes only when the loop sleeps; each sleep plays the part of the player for the
/// next pass and checks the world after the last.
class Player : public lm::platform::TimeSource {
public:
    explicit Player(std::mt19937& init_random) : random(init_random) {}

    std::uint32_t microseconds() override { return now; }

    void sleepMilliseconds(int milliseconds) override {
        now += static_cast<std::uint32_t>(milliseconds) * 1000u;
        checkWorld();
        if (++passes == PASSES) {
            lm::GameManager::getInstance().setGameOver(true);
            return;
        }
        pressKeys();
    }

    int passes = 0;
    int victories = 0;
    int defeats = 0;
    std::vector<std::string> faults;

private:
    /// After a battle the world holds what it held before it: the overworld after a victory, the
    /// title alone after a defeat.
    void checkWorld() {
        const std::map<std::string, int> now_there = census();
        const bool battle = now_there.count("Battle") != 0;
        if (in_battle && !battle) {
            const std::map<std::string, int> overworld = {
                {"Tree", 19}, {"Bush", 1}, {"Rock", 1}, {"Grass", 1}, {"Hero", 1}};
            const std::map<std::string, int> title = {{"StartScreen", 1}};
            if (now_there == overworld) {
                ++victories;
            } else if (now_there == title) {
                ++defeats;
            } else {
                std::string left;
                for (const auto& [type, count] : now_there) {
                    left += " " + std::to_string(count) + " " + type;
                }
                faults.push_back("pass " + std::to_string(passes) + ": a battle left" + left);
            }
        }
        in_battle = battle;
    }

    /// A key held down in this pass, or a key let go. One key at a time: two keys in one pass
    /// on the title would both act on it, opening the controls and starting a game at once.
    void pressKeys() {
        static constexpr std::array<Key, 7> KEYS = {Key::A, Key::D, Key::W,    Key::S,
                                                    Key::C, Key::X, Key::SPACE};
        const auto choice = std::uniform_int_distribution<std::size_t>(0, KEYS.size())(random);
        lm::EventKeyboard event;
        if (choice < KEYS.size()) {
            event.setKey(KEYS[choice]);
            event.setKeyboardAction(lm::KEY_PRESSED);
        } else {
            event.setKeyboardAction(lm::KEY_RELEASED);
        }
        lm::WorldManager::getInstance().onEvent(&event);
    }

    std::mt19937& random;
    std::uint32_t now = 0;
    bool in_battle = false;
};

class SoakTest : public GameTest {};

TEST_F(SoakTest, ThirtyThousandPassesOfRandomPlayLeaveTheWorldWhole) {
    std::mt19937 random(2026);
    // An encounter in about forty steps; any roll for the enemy and its turns.
    randFrom([&random] {
        const int value = static_cast<int>(random() % 1000000);
        if (random() % 40 == 0) {
            return value / 1000 * 1000 + 1;
        }
        return value % 1000 == 1 ? value + 1 : value;
    });
    const std::size_t lines_before = logLines().size();
    Player player(random);
    lm::platform::setTimeSource(&player);
    new StartScreen;
    lm::GameManager::getInstance().run();
    lm::platform::setTimeSource(nullptr);
    randFrom(nullptr);

    EXPECT_EQ(player.passes, PASSES);
    EXPECT_TRUE(player.faults.empty()) << player.faults.front();
    RecordProperty("victories", player.victories);
    RecordProperty("defeats", player.defeats);
    EXPECT_GE(player.victories, 20);
    EXPECT_GE(player.defeats, 5);

    // Every line of the log is one of the game's or the engine's messages.
    const std::regex known(
        "Object: id = [0-9]+|The Hero deals [0-9]+ damage|Enemy was defeated|"
        "A (Goblin|Knight|Wizard) appears!|GameManager: run ended");
    const std::vector<std::string> log = logLines();
    for (auto line = log.begin() + static_cast<std::ptrdiff_t>(lines_before); line != log.end();
         ++line) {
        ASSERT_TRUE(std::regex_match(*line, known)) << "odd log line: " << *line;
    }
}

}  // namespace
}  // namespace lm_test
