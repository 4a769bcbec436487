#include "game/Battle.h"

#include "GameTest.h"
#include "engine/GameManager.h"
#include "engine/ViewObject.h"
#include "game/Enemy.h"
#include "game/EnemyStats.h"
#include "game/EventAttack.h"
#include "game/Hero.h"
#include "game/HeroCombat.h"
#include "game/PlayerStats.h"

#include <algorithm>

namespace lm_test {
namespace {

using lm::Keyboard::Key;

/// A goblin battle laid over a hero walking low in the world, as an encounter makes it.
class BattleTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        p_hero = new Hero;
        p_hero->setPosition(lm::Vector(20, 70));
        lm::WorldManager::getInstance().setViewFollowing(p_hero);
        scriptRand({1, 0});
        step();
        ASSERT_EQ(count("Goblin"), 1);
    }
    void TearDown() override {
        lm::GameManager::getInstance().setGameOver(false);
        GameTest::TearDown();
    }

    static HeroCombat* fighter() { return static_cast<HeroCombat*>(find("HeroCombat")); }
    static Enemy* enemy() { return static_cast<Enemy*>(find("Goblin")); }
    static int shown(const std::string& type) {
        return static_cast<lm::ViewObject*>(find(type))->getValue();
    }
    static std::string message() {
        const lm::ObjectList logs = lm::WorldManager::getInstance().objectsOfType("EventLog");
        return logs.size() == 1 ? static_cast<lm::ViewObject*>(logs.front())->getViewString()
                                : std::to_string(logs.size()) + " messages";
    }
    bool logHas(const std::string& line) const {
        const std::vector<std::string> log = logLines();
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    /// Steps until the hero's figure takes commands again.
    static void waitOut() {
        for (int i = 0; i < 60; ++i) {
            step();
        }
    }

    Hero* p_hero = nullptr;
};

TEST_F(BattleTest, TheSceneIsLaidOverTheViewWithMusicAndBothHealthViews) {
    EXPECT_EQ(types(), (std::vector<std::string>{"Hero", "Battle", "HeroCombat", "PlayerStats",
                                                 "EnemyStats", "Goblin"}));
    // The view follows the hero at (20, 70): its corner is (0, 40).
    EXPECT_EQ(find("Battle")->getPosition(), lm::Vector(30, 60));
    EXPECT_EQ(fighter()->getPosition(), lm::Vector(20, 60));
    EXPECT_EQ(enemy()->getPosition(), lm::Vector(40, 60));
    EXPECT_EQ(find("PlayerStats")->getPosition(), lm::Vector(10, 1));
    EXPECT_EQ(find("EnemyStats")->getPosition(), lm::Vector(30, 1));
    EXPECT_EQ(shown("PlayerStats"), 10);
    EXPECT_EQ(shown("EnemyStats"), 7);
    EXPECT_EQ(fighter()->getHealth(), 10);
    EXPECT_EQ(fighter()->getDamage(), 2);
    EXPECT_TRUE(musicPlaying());
    EXPECT_EQ(logLines().back(), "A Goblin appears!");
}

TEST_F(BattleTest, AnAttackHandsTheTurnToTheEnemyThenWaitsSixtySteps) {
    scriptRand({0});  // the goblin attacks
    press(Key::A);
    EXPECT_EQ(enemy()->getHealth(), 5);
    EXPECT_EQ(shown("EnemyStats"), 5);
    EXPECT_EQ(fighter()->getHealth(), 8);
    EXPECT_EQ(shown("PlayerStats"), 8);
    update();
    EXPECT_EQ(message(), "The Goblin attacked!");
    EXPECT_TRUE(logHas("The Hero deals 2 damage"));

    // Held down, the key repeats its command once every 60 steps.
    for (int i = 0; i < 59; ++i) {
        step();
        press(Key::A);
        press(Key::D);
    }
    EXPECT_EQ(enemy()->getHealth(), 5);
    step();
    scriptRand({2});  // the goblin defends
    press(Key::A);
    update();
    EXPECT_EQ(enemy()->getHealth(), 3);
    EXPECT_EQ(message(), "The Goblin defended!");
    EXPECT_EQ(fighter()->getHealth(), 8);
}

TEST_F(BattleTest, QWhileWaitingQuitsOnlyThroughTheWalkingHero) {
    lm::GameManager& game_manager = lm::GameManager::getInstance();
    press(Key::D);
    press(Key::Q);
    EXPECT_TRUE(game_manager.getGameOver());
    game_manager.setGameOver(false);

    lm::WorldManager::getInstance().markForDelete(p_hero);
    update();
    press(Key::Q);
    EXPECT_FALSE(game_manager.getGameOver());
    waitOut();
    press(Key::Q);
    EXPECT_TRUE(game_manager.getGameOver());
    EXPECT_EQ(enemy()->getHealth(), 7) << "Q hands over no turn";
}

TEST_F(BattleTest, AAndDInOneStepMakeOneExchange) {
    scriptRand({0, 0});
    press(Key::A);
    press(Key::D);
    EXPECT_EQ(randValuesLeft(), 1);
    EXPECT_EQ(enemy()->getHealth(), 5);
}

TEST_F(BattleTest, DefendingHalvesTheNextHitOnlyOnEitherSide) {
    scriptRand({2});  // the goblin defends
    press(Key::D);
    EXPECT_EQ(fighter()->getHealth(), 10);
    waitOut();
    scriptRand({0});  // the goblin attacks
    press(Key::A);    // on the defending goblin: 1
    EXPECT_EQ(enemy()->getHealth(), 6);
    EXPECT_TRUE(logHas("The Hero deals 1 damage"));
    EXPECT_EQ(fighter()->getHealth(), 9) << "the hero still defended: 2 / 2";
    EXPECT_EQ(shown("PlayerStats"), 9);
    waitOut();
    scriptRand({0});
    press(Key::A);
    EXPECT_EQ(enemy()->getHealth(), 4);
    EXPECT_EQ(fighter()->getHealth(), 7);

    // A hit of 1 on a defending hero costs nothing, and still clears the guard.
    fighter()->defend();
    EventAttack weak(1, enemy());
    lm::WorldManager::getInstance().onEvent(&weak);
    EXPECT_EQ(fighter()->getHealth(), 7);
    lm::WorldManager::getInstance().onEvent(&weak);
    EXPECT_EQ(fighter()->getHealth(), 6);
    EXPECT_EQ(shown("PlayerStats"), 6);
}

TEST_F(BattleTest, TheHerosOwnAttackNeverHurtsHim) {
    EventAttack own(5, fighter());
    lm::WorldManager::getInstance().onEvent(&own);
    EXPECT_EQ(fighter()->getHealth(), 10);
    EXPECT_EQ(enemy()->getHealth(), 2);
    EventAttack foreign(5, p_hero);
    EXPECT_EQ(fighter()->eventHandler(&foreign), 1);
    EXPECT_EQ(fighter()->getHealth(), 5);
}

TEST_F(BattleTest, VictoryRemovesExactlyTheBattleAndTheWalkGoesOn) {
    enemy()->setHealth(1);
    scriptRand({0});
    press(Key::A);
    EXPECT_EQ(randValuesLeft(), 1) << "a defeated enemy takes no turn";
    EXPECT_EQ(fighter()->getHealth(), 10);
    update();
    EXPECT_EQ(types(), std::vector<std::string>{"Hero"});
    EXPECT_FALSE(musicPlaying());
    const std::vector<std::string> log = logLines();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "The Hero deals 2 damage");
    EXPECT_EQ(log.back(), "Enemy was defeated");

    EXPECT_TRUE(Hero::isInBattle());
    step();
    EXPECT_FALSE(Hero::isInBattle());
    press(Key::W);
    EXPECT_EQ(p_hero->getPosition(), lm::Vector(20, 69));

    scriptRand({1, 3});
    step();
    ASSERT_EQ(count("Zombie"), 1);
    EXPECT_EQ(fighter()->getHealth(), 10);
    EXPECT_EQ(shown("PlayerStats"), 10);
}

TEST_F(BattleTest, DefeatClearsTheWorldInOneStepAndShowsTheTitleWithMusic) {
    fighter()->setHealth(2);
    scriptRand({4});  // a critical hit for 4
    press(Key::D);    // halved to 2: still enough
    EXPECT_EQ(message(), "The Goblin inflicted a critical hit!");
    update();
    EXPECT_EQ(types(), std::vector<std::string>{"StartScreen"});
    EXPECT_EQ(lm::WorldManager::getInstance().getView().getCorner(), lm::Vector(0, 0));
    EXPECT_TRUE(musicPlaying());
    EXPECT_TRUE(logHas("Enemy was defeated"));

    // The first step of the next game cannot start an encounter; the flag clears from the world.
    press(Key::SPACE);
    update();
    scriptRand({1});
    step();
    EXPECT_EQ(count("Battle"), 0);
    EXPECT_FALSE(Hero::isInBattle());
}

}  // namespace
}  // namespace lm_test
