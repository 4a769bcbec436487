// The title, the controls, the overworld and its encounters.

#include "GameTest.h"
#include "engine/GameManager.h"
#include "engine/Sprite.h"
#include "game/Battle.h"
#include "game/Hero.h"
#include "game/StartScreen.h"

#include <SFML/System/Sleep.hpp>

#include <map>

namespace lm_test {
namespace {

using lm::Keyboard::Key;
using Lines = std::vector<std::string>;

bool over() {
    return lm::GameManager::getInstance().getGameOver();
}

using ScreenTest = GameTest;

TEST_F(ScreenTest, TheTitleWithItsMusicOpensTheControlsOnCAndEndsTheGameOnQ) {
    lm::WorldManager::getInstance().setView(lm::Box(lm::Vector(0, 40), 60, 40));
    new StartScreen;
    EXPECT_EQ(lm::WorldManager::getInstance().getView().getCorner(), lm::Vector(0, 0));
    EXPECT_EQ(find("StartScreen")->getPosition(), lm::Vector(30, 20));
    sf::sleep(sf::milliseconds(300));
    EXPECT_TRUE(musicPlaying()) << "and it repeats";
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
    press(Key::Q);
    update();
    EXPECT_FALSE(over());
    EXPECT_EQ(types(), Lines{"StartScreen"});
    EXPECT_TRUE(musicPlaying());
    press(Key::Q);  // still held on the next step, the same key acts on the new title
    EXPECT_TRUE(over());
}

TEST_F(ScreenTest, AnyOtherKeyLaysOutTheOverworldWhereOnlyTreesAndTheRockBlock) {
    new StartScreen;
    press(Key::SPACE);
    EXPECT_FALSE(musicPlaying());
    EXPECT_EQ(types().front(), "StartScreen") << "until the end of the step";
    update();
    Lines expected(19, "Tree");
    expected.insert(expected.end(), {"Bush", "Rock", "Grass", "Hero"});
    EXPECT_EQ(types(), expected);
    EXPECT_EQ(lm::WorldManager::getInstance().getView().getCorner(), lm::Vector(0, 10));
    const std::map<std::string, std::pair<const char*, bool>> scenery = {
        {"Tree", {"tree", true}},
        {"Rock", {"rock", true}},
        {"Bush", {"bush", false}},
        {"Grass", {"grass", false}}};
    lm::Object* p_hero = find("Hero");
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
    p_hero->setPosition(lm::Vector(59, 78));
    EXPECT_EQ(walk({Key::D, Key::S, Key::S}), lm::Vector(59, 79));
    EXPECT_EQ(lm::WorldManager::getInstance().getView().getCorner(), lm::Vector(0, 40));
}

TEST_F(OverworldTest, OneRollAStepAndOneInAThousandBeginsABattleThatHoldsTheHero) {
    rolls({0, 2, 999, 1000, 0, 1001, 0});
    for (int i = 0; i < 5; ++i) {
        step();
    }
    EXPECT_EQ(count("Battle"), 0);
    step();
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
    EXPECT_TRUE(over());
}

TEST_F(OverworldTest, TheSecondRollChoosesTheEnemyThreeGoblinsAndZombiesToEachKnightAndWizard) {
    const std::map<int, const char*> choices = {{0, "Goblin"}, {2, "Goblin"}, {3, "Zombie"},
                                                {5, "Zombie"}, {6, "Knight"}, {15, "Wizard"}};
    for (const auto& [roll, kind] : choices) {
        rolls({1, roll, 0});
        step();
        EXPECT_EQ(count(kind) * 10 + count("Battle"), 11) << roll;
        clearWorld(p_hero);
        step();
    }
}

}  // namespace
}  // namespace lm_test
