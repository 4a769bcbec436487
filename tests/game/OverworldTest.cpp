// The title, the controls, the overworld and its encounters, and a long soak of random play.

#include "GameTest.h"
#include "engine/EventKeyboard.h"
#include "engine/GameManager.h"
#include "engine/Platform.h"
#include "engine/Sprite.h"
#include "game/Battle.h"
#include "game/Bush.h"
#include "game/Grass.h"
#include "game/Hero.h"
#include "game/Rock.h"
#include "game/StartScreen.h"
#include "game/Tree.h"

#include <array>
#include <map>
#include <random>
#include <regex>

namespace lm_test {
namespace {

using lm::Keyboard::Key;
using Lines = std::vector<std::string>;

class ScreenTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        new StartScreen;
    }
    static bool over() { return lm::GameManager::getInstance().getGameOver(); }
};

TEST_F(ScreenTest, TheTitleWithItsMusicOpensTheControlsOnCAndEndsTheGameOnQ) {
    const lm::Object* p_title = find("StartScreen");
    EXPECT_EQ(p_title->getPosition(), lm::Vector(30, 20));
    EXPECT_EQ(p_title->getAltitude(), 4);
    EXPECT_TRUE(musicPlaying());
    release();
    step();
    EXPECT_EQ(types(), Lines{"StartScreen"}) << "a released key or a step changes nothing";
    for (int held_steps = 0; held_steps < 3; ++held_steps) {
        press(Key::C);
        update();
    }
    EXPECT_EQ(types(), Lines{"Controls"}) << "held C opens the controls once";
    EXPECT_FALSE(musicPlaying());
    EXPECT_EQ(find("Controls")->getPosition(), lm::Vector(20, 20));
    release();
    step();
    press(Key::Q);
    update();
    EXPECT_FALSE(over());
    EXPECT_EQ(types(), Lines{"StartScreen"});
    EXPECT_TRUE(musicPlaying());
    press(Key::Q);  // still held on the next step, the same key acts on the new title
    EXPECT_TRUE(over());
}

TEST_F(ScreenTest, AnyOtherKeyLaysOutTheOverworldAndFollowsTheHeroInSilence) {
    press(Key::SPACE);
    EXPECT_FALSE(musicPlaying());
    EXPECT_EQ(types().front(), "StartScreen") << "until the end of the step";
    update();
    Lines expected(19, "Tree");
    expected.insert(expected.end(), {"Bush", "Rock", "Grass", "Hero"});
    EXPECT_EQ(types(), expected);
    std::vector<lm::Vector> positions;
    for (const lm::Object* p_object : lm::WorldManager::getInstance().getAllObjects()) {
        positions.push_back(p_object->getPosition());
    }
    const std::vector<lm::Vector> layout = {
        {5, 0},   {5, 5},   {5, 10},  {5, 15},  {5, 20},  {5, 25},  {5, 30},  {5, 35},
        {5, 40},  {30, 0},  {60, 0},  {60, 5},  {60, 10}, {60, 15}, {60, 20}, {60, 25},
        {60, 30}, {60, 35}, {60, 40}, {20, 20}, {30, 10}, {20, 40}, {20, 30},
    };
    EXPECT_EQ(positions, layout);
    EXPECT_EQ(lm::WorldManager::getInstance().getView().getCorner(), lm::Vector(0, 10));

    // Each with its own sprite: what blocks the hero and what lets him through.
    const std::map<std::string, std::pair<const char*, bool>> scenery = {
        {"Tree", {"tree", true}},
        {"Rock", {"rock", true}},
        {"Bush", {"bush", false}},
        {"Grass", {"grass", false}}};
    auto* p_hero = static_cast<Hero*>(find("Hero"));
    for (const auto& [type, looks] : scenery) {
        lm::Object* p_thing = find(type);
        ASSERT_NE(p_thing->getAnimation().getSprite(), nullptr) << type;
        EXPECT_EQ(p_thing->getAnimation().getSprite()->getLabel(), looks.first);
        const lm::Box box = lm::WorldManager::getWorldBox(p_thing);
        const lm::Vector start(box.getCorner().getX() + box.getHorizontal() + 1,
                               p_thing->getPosition().getY());
        p_hero->setPosition(start);
        press(Key::A);
        press(Key::A);
        EXPECT_EQ(p_hero->getPosition(), looks.second ? start : start + lm::Vector(-2, 0)) << type;
    }
}

class OverworldTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        p_hero = new Hero;
        p_hero->setPosition(lm::Vector(20, 30));
        lm::WorldManager::getInstance().setViewFollowing(p_hero);
    }
    lm::Vector walk(std::initializer_list<Key> keys) {
        for (const Key key : keys) {
            press(key);
        }
        return p_hero->getPosition();
    }
    Hero* p_hero = nullptr;
};

TEST_F(OverworldTest, TheHeroMovesOneCellPerKeyInsideTheWorldAndTheViewFollows) {
    EXPECT_EQ(walk({Key::A}), lm::Vector(19, 30));
    EXPECT_EQ(walk({Key::D, Key::D}), lm::Vector(21, 30));
    EXPECT_EQ(walk({Key::W}), lm::Vector(21, 29));
    EXPECT_EQ(walk({Key::S, Key::S, Key::SPACE}), lm::Vector(21, 31));
    EXPECT_EQ(lm::WorldManager::getInstance().getView().getCorner(), lm::Vector(0, 11));
    p_hero->setPosition(lm::Vector(1, 1));
    EXPECT_EQ(walk({Key::A, Key::W}), lm::Vector(1, 1));
    EXPECT_EQ(lm::WorldManager::getInstance().getView().getCorner(), lm::Vector(0, 11));
    p_hero->setPosition(lm::Vector(59, 78));
    EXPECT_EQ(walk({Key::D, Key::S, Key::S}), lm::Vector(59, 79));
    EXPECT_EQ(lm::WorldManager::getInstance().getView().getCorner(), lm::Vector(0, 40));
}

TEST_F(OverworldTest, OneRollInAThousandBeginsABattleThatHoldsTheHero) {
    rolls({0, 2, 999, 1000, 0});
    for (int i = 0; i < 5; ++i) {
        step();
    }
    EXPECT_EQ(count("Battle"), 0);
    EXPECT_EQ(rollsTaken(), 5u) << "one roll a step";
    rolls({1001, 0});
    step();
    EXPECT_EQ(rollsTaken(), 7u);
    EXPECT_TRUE(Hero::isInBattle());
    EXPECT_EQ(count("Goblin"), 1);
    EXPECT_EQ(walk({Key::W, Key::A, Key::S, Key::D}), lm::Vector(20, 30));
    rolls({1});  // another lucky roll during the battle begins nothing
    step();
    EXPECT_EQ(count("Battle"), 1);

    // The flag is taken from the world on the hero's next step, however the battle goes or comes.
    rolls({0});
    clearWorld(p_hero);
    EXPECT_TRUE(Hero::isInBattle());
    step();
    EXPECT_FALSE(Hero::isInBattle());
    EXPECT_EQ(walk({Key::D}), lm::Vector(21, 30));
    new Battle;
    step();
    EXPECT_TRUE(Hero::isInBattle());
    press(Key::Q);
    EXPECT_TRUE(lm::GameManager::getInstance().getGameOver());
}

TEST_F(OverworldTest, TheSecondRollChoosesTheEnemyThreeGoblinsAndZombiesToEachKnightAndWizard) {
    const std::map<int, const char*> choices = {{0, "Goblin"}, {2, "Goblin"}, {3, "Zombie"},
                                                {5, "Zombie"}, {6, "Knight"}, {15, "Wizard"}};
    for (const auto& [roll, kind] : choices) {
        rolls({1, roll, 0});
        step();
        EXPECT_EQ(count(kind), 1) << roll;
        EXPECT_EQ(count("Battle"), 1) << roll;
        clearWorld(p_hero);
        step();
    }
}

/// The types of the world's objects, counted.
std::map<std::string, int> census() {
    std::map<std::string, int> counts;
    for (const lm::Object* p_object : lm::WorldManager::getInstance().getAllObjects()) {
        ++counts[p_object->getType()];
    }
    return counts;
}

/// Time that passes only when the loop sleeps; each sleep plays the part of the player for the
/// next pass, one key at a time, and checks that a battle that ended left the overworld after a
/// victory or the title alone after a defeat.
class Player : public lm::platform::TimeSource {
public:
    std::uint32_t microseconds() override { return now; }
    void sleepMilliseconds(int milliseconds) override {
        now += static_cast<std::uint32_t>(milliseconds) * 1000u;
        const std::map<std::string, int> there = census();
        const bool battle = there.count("Battle") != 0;
        if (in_battle && !battle) {
            const std::map<std::string, int> overworld = {
                {"Tree", 19}, {"Bush", 1}, {"Rock", 1}, {"Grass", 1}, {"Hero", 1}};
            const std::map<std::string, int> title = {{"StartScreen", 1}};
            ++endings[there == overworld ? "victory" : there == title ? "defeat" : "fault"];
        }
        in_battle = battle;
        if (++passes == PASSES) {
            lm::GameManager::getInstance().setGameOver(true);
            return;
        }
        static constexpr std::array<Key, 7> KEYS = {Key::A, Key::D, Key::W,    Key::S,
                                                    Key::C, Key::X, Key::SPACE};
        const auto choice = std::uniform_int_distribution<std::size_t>(0, KEYS.size())(random);
        lm::EventKeyboard event;
        event.setKey(choice < KEYS.size() ? KEYS[choice] : Key::UNDEFINED_KEY);
        event.setKeyboardAction(choice < KEYS.size() ? lm::KEY_PRESSED : lm::KEY_RELEASED);
        lm::WorldManager::getInstance().onEvent(&event);
    }
    static constexpr int PASSES = 30000;
    int passes = 0;
    std::map<std::string, int> endings;

private:
    std::mt19937 random{2026};
    std::uint32_t now = 0;
    bool in_battle = false;
};

// The real game loop, its sleeps made instant, for thirty thousand passes of random keys with
// frequent encounters. Under the sanitizers any leak or memory fault fails too.
TEST_F(GameTest, ThirtyThousandPassesOfRandomPlayLeaveTheWorldWhole) {
    std::mt19937 random(7);
    std::vector<int> script(200000);
    for (int& value : script) {
        value = static_cast<int>(random() % 1000000);
        value = random() % 40 == 0 ? value / 1000 * 1000 + 1 : value;  // an encounter
    }
    rolls(script);
    const std::size_t lines_before = logLines().size();
    Player player;
    lm::platform::setTimeSource(&player);
    new StartScreen;
    lm::GameManager::getInstance().run();
    lm::platform::setTimeSource(nullptr);
    EXPECT_EQ(player.passes, Player::PASSES);
    EXPECT_EQ(player.endings["fault"], 0);
    EXPECT_GE(player.endings["victory"], 20);
    EXPECT_GE(player.endings["defeat"], 5);
    const std::regex known(
        "Object: id = [0-9]+|The Hero deals [0-9]+ damage|Enemy was defeated|"
        "A (Goblin|Knight|Wizard) appears!|GameManager: run ended");
    const Lines log = logLines();
    for (auto line = log.begin() + static_cast<std::ptrdiff_t>(lines_before); line != log.end();
         ++line) {
        ASSERT_TRUE(std::regex_match(*line, known)) << "odd log line: " << *line;
    }
}

}  // namespace
}  // namespace lm_test
