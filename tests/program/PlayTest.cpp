// The real program, played from the outside as a player on a desktop plays it.

#include "../XServer.h"
#include "GameProcess.h"
#include "game/GameResource.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <thread>

namespace lm_test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::HasSubstr;

constexpr auto SOUND_DELAY = 800ms;  // for the sound output to reach its file
constexpr int CELL = 17;             // pixels of a row of cells
const Lines ENDING = {"GameManager: run ended", "SRM::shutDown(): Successfully stopped."};

/// Whether the picture moved up by one row of cells, outside the rows where the hero stands.
bool scrolledByARow(const sf::Image& before, const sf::Image& after) {
    for (unsigned int y = 0; y + CELL < 680; ++y) {
        for (unsigned int x = 0; x < 540 && (y < 17 * CELL || y >= 24 * CELL); ++x) {
            if (after.getPixel(x, y) != before.getPixel(x, y + CELL)) {
                return false;
            }
        }
    }
    return true;
}

/// Whether the battle's health views, in the top three rows of cells, are the same.
bool statusSame(const sf::Image& a, const sf::Image& b) {
    return sameRows(a, b, 0, 2);
}

/// Each test plays the game from its title.
class PlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(game.start()) << "the game's window did not come up";
        std::this_thread::sleep_for(200ms);
        title = game.screenshot();
    }
    /// Presses Q and expects the program to end with status 0.
    void quit() {
        game.hold("q", 150ms);
        EXPECT_EQ(game.waitForExit(5s), 0);
    }
    /// Starts a game from the title; keeps the overworld's picture.
    void startWalking() {
        game.hold("space", 150ms);
        ASSERT_TRUE(game.waitFor([&](const sf::Image& shown) { return !sameRows(shown, title); }));
        std::this_thread::sleep_for(200ms);
        overworld = game.screenshot();
    }
    /// The game's own lines of the log after loading, without the lines of objects made.
    Lines gameLines() const {
        const Lines log = game.log();
        auto line =
            std::find(log.begin(), log.end(), "SRM::loadSprite(): Sprite 'controls' loaded.");
        Lines lines;
        while (line != log.end() && ++line != log.end()) {
            if (line->rfind("Object: id", 0) != 0) {
                lines.push_back(*line);
            }
        }
        return lines;
    }
    /// The next step's encounter with this enemy; every later roll gives turn_roll.
    void encounter(int enemy_roll, int turn_roll) {
        game.rolls({1, enemy_roll, turn_roll});
        ASSERT_TRUE(
            game.waitFor([&](const sf::Image& shown) { return !statusSame(shown, overworld); }));
        expectSound(true, "the battle plays the music");
    }
    /// A command's key, tapped once the hero's figure is ready, until the blows land.
    void command(const char* key) {
        const sf::Image before = game.screenshot();
        ASSERT_TRUE(
            game.waitFor([&](const sf::Image& shown) { return !statusSame(shown, before); }, key));
    }
    void expectSound(bool audible, const char* what) {
        std::this_thread::sleep_for(SOUND_DELAY);
        EXPECT_EQ(game.soundAudible(), audible) << what;
    }

    GameProcess game;
    sf::Image title;
    sf::Image overworld;
};

TEST_F(PlayTest, TheTitleWithMusicTheSilentControlsAndAWalkTheViewFollows) {
    EXPECT_TRUE(matchesReference(title, "title"));
    expectSound(true, "the title plays the music");
    ASSERT_TRUE(game.waitFor([&](const sf::Image& shown) { return !sameRows(shown, title); }, "c"));
    EXPECT_TRUE(matchesReference(game.screenshot(), "controls"));
    expectSound(false, "the controls are silent");
    ASSERT_TRUE(game.waitFor([&](const sf::Image& shown) { return sameRows(shown, title); }, "x"));
    expectSound(true, "the title plays the music again");

    startWalking();
    EXPECT_TRUE(matchesReference(overworld, "overworld"));
    expectSound(false, "the overworld is silent");
    ASSERT_TRUE(game.waitFor(
        [&](const sf::Image& shown) { return scrolledByARow(overworld, shown); }, "s"));
    quit();
    EXPECT_EQ(gameLines(), ENDING);
}

struct Foe {
    const char* name;
    int enemy_roll;            // the encounter's second roll
    int turn_roll;             // the enemy's roll on every turn
    const char* announcement;  // in the log, or empty for the zombie's on-screen one
    int full_hits;             // blows of 2 to win
    int halved_hits;           // blows of 1 to win, on a guard
};

class VictoryTest : public PlayTest, public ::testing::WithParamInterface<Foe> {};

// Goblins, zombies and wizards attack every turn (the hero survives their four turns); the knight,
// who would win that way, defends every turn instead, and each blow after the first costs it 1.
TEST_P(VictoryTest, TheHeroWinsAndTheWalkGoesOnInSilence) {
    const Foe& foe = GetParam();
    startWalking();
    encounter(foe.enemy_roll, foe.turn_roll);
    if (std::string(foe.name) == "goblin") {
        EXPECT_TRUE(matchesReference(game.screenshot(), "battle-goblin"));
    }
    for (int hit = 0; hit < foe.full_hits + foe.halved_hits; ++hit) {
        command("a");
    }
    ASSERT_TRUE(game.waitFor([&](const sf::Image& shown) { return statusSame(shown, overworld); }));
    expectSound(false, "the music stops with the battle");
    quit();
    Lines expected(*foe.announcement != '\0', foe.announcement);
    expected.insert(expected.end(), foe.full_hits, "The Hero deals 2 damage");
    expected.insert(expected.end(), foe.halved_hits, "The Hero deals 1 damage");
    expected.push_back("Enemy was defeated");
    expected.insert(expected.end(), ENDING.begin(), ENDING.end());
    EXPECT_EQ(gameLines(), expected);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, VictoryTest,
                         ::testing::Values(Foe{"goblin", 0, 0, "A Goblin appears!", 4, 0},
                                           Foe{"zombie", 3, 0, "", 4, 0},
                                           Foe{"knight", 6, 3, "A Knight appears!", 1, 7},
                                           Foe{"wizard", 7, 0, "A Wizard appears!", 4, 0}),
                         [](const auto& foe) { return std::string(foe.param.name); });

TEST_F(PlayTest, AKnightWinsAndTheTitleComesBackWithMusic) {
    startWalking();
    game.hold("s", 1500ms);  // low in the world, so that the view stands away from its start
    encounter(6, 0);
    command("d");  // guarded, the hero takes 1 of the knight's 3; then three exchanges of blows
    for (int hit = 0; hit < 3; ++hit) {
        command("a");
    }
    EXPECT_TRUE(game.waitFor([&](const sf::Image& shown) { return sameRows(shown, title); }));
    expectSound(true, "the title after a defeat plays the music");
    quit();
    const std::string hit = "The Hero deals 2 damage";
    EXPECT_EQ(gameLines(), (Lines{"A Knight appears!", hit, hit, hit, "Enemy was defeated",
                                  ENDING[0], ENDING[1]}));
}

TEST_F(PlayTest, QInABattleOrAnInterruptOnTheTitleEndsTheGameCleanly) {
    startWalking();
    encounter(7, 0);
    quit();
    // The wizard leaves with everything else.
    EXPECT_EQ(gameLines(),
              (Lines{"A Wizard appears!", ENDING[0], ENDING[1], "Enemy was defeated"}));

    GameProcess interrupted;
    ASSERT_TRUE(interrupted.start());
    interrupted.sendSignal(SIGINT);
    EXPECT_EQ(interrupted.waitForExit(5s), 0);
    EXPECT_EQ(interrupted.log().rbegin()[2], "GameManager: SIGINT received, ending the game");
}

TEST_F(PlayTest, OnlyKeysOfItsOwnWindowCountButItsCloseButtonAlways) {
    {
        const x::OtherWindow terminal;
        ASSERT_TRUE(terminal.hasFocus());
        game.hold("space", 300ms);
        game.hold("q", 300ms);
        EXPECT_TRUE(sameRows(game.screenshot(), title)) << "still the title";
        EXPECT_EQ(game.waitForExit(1s), -1) << "still running";
        x::requestClose(game.window());
        EXPECT_EQ(game.waitForExit(5s), 0);
    }
    EXPECT_EQ(gameLines(),
              (Lines{"InputManager: window closed, ending the game", ENDING[0], ENDING[1]}));
}

// Every other data file is gone, the rest lose a line or become noise, the font is gone and no
// audio device answers: the game plays on (a goblin is met, struck down, and Q ends it) and the log
// says what was wrong.
TEST(EnvironmentTest, WithBrokenDataAndNoAudioDeviceTheGamePlaysOnAndTheLogSaysWhatWasWrong) {
    GameProcess game;
    game.setEnvironment("ALSOFT_DRIVERS", "no-such-output");
    Lines expected = {"A Goblin appears!", "Enemy was defeated",
                      "lumora: no audio device answers: the game runs without sound.",
                      "DisplayManager: Error! Cannot load the font 'lm-font.ttf': cells show no "
                      "characters."};
    const char* breakages[] = {"", "<HEADER>\nframes 1\n\n", "\x01 noise \xff\n"};
    for (std::size_t i = 0; i < GAME_RESOURCES.size(); ++i) {
        const std::string path = game.folder() + "/" + GAME_RESOURCES[i].file;
        i % 2 == 0 ? static_cast<void>(fs::remove(path)) : writeFile(path, breakages[i % 3]);
        if (GAME_RESOURCES[i].kind == GameResource::SPRITE) {
            expected.push_back(std::string("SRM::loadSprite(): Sprite '") +
                               GAME_RESOURCES[i].label + "' not loaded.");
        }
    }
    fs::remove(game.folder() + "/lm-font.ttf");
    ASSERT_TRUE(game.start(false));
    game.hold("space", 150ms);
    std::this_thread::sleep_for(300ms);
    game.rolls({1, 0, 0});
    std::this_thread::sleep_for(300ms);
    game.hold("a", 6500ms);  // an attack every 60 steps
    game.hold("q", 150ms);
    EXPECT_EQ(game.waitForExit(10s), 0);
    const Lines log = game.log();
    for (const std::string& line : expected) {
        EXPECT_EQ(std::count(log.begin(), log.end(), line), 1) << line;
    }
    // Without a device, the broken track and the missing sound are still refused.
    EXPECT_EQ(std::count(log.begin(), log.end(), "ResourceManager: unable to load from file"), 2);
}

TEST(BadStartTest, EachSaysWhatIsWrongOnStandardError) {
    {
        GameProcess game;
        game.setEnvironment("ALSOFT_DRIVERS", "no-such-output");
        fs::create_directory(game.folder() + "/lumora.log");  // a folder is no file, even for root
        ASSERT_TRUE(game.start());
        std::this_thread::sleep_for(2s);  // the title would be playing its music
        game.hold("q", 150ms);
        EXPECT_EQ(game.waitForExit(10s), 0);
        // From start to exit, these lines alone, with the windowing library's remark that the
        // virtual display has no vertical sync.
        EXPECT_EQ(game.standardError(),
                  (Lines{"Setting vertical sync not supported",
                         "lumora: cannot write the log file lumora.log in this folder; the game "
                         "runs without a log.",
                         "lumora: no audio device answers: the game runs without sound."}));
    }
    const struct {
        const char* display;
        std::vector<const char*> removed;
        const char* error;  // on standard error
        const char* line;   // in the log
    } failures[] = {{"",
                     {},
                     "no display is available",
                     "DisplayManager: Error! No display available: cannot open the window."},
                    {nullptr,
                     {"sprites", "sounds", "lm-font.ttf"},
                     "lumora: the game's data is not in this folder",
                     "it needs sprites/, sounds/ and lm-font.ttf"}};
    for (const auto& failure : failures) {
        GameProcess game;
        if (failure.display != nullptr) {
            game.setEnvironment("DISPLAY", failure.display);
        }
        for (const char* data : failure.removed) {
            fs::remove_all(game.folder() + "/" + data);
        }
        game.launch();
        EXPECT_EQ(game.waitForExit(10s), 1);
        EXPECT_THAT(game.standardError(), Contains(HasSubstr(failure.error)));
        EXPECT_THAT(game.log(), Contains(HasSubstr(failure.line)));
    }
}

}  // namespace
}  // namespace lm_test
