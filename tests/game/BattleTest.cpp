// Battles: how each kind of enemy arrives and takes its turns, the hero's commands, guards, and
// how a battle ends.

#include "game/Battle.h"

#include "GameTest.h"
#include "engine/GameManager.h"
#include "engine/Sprite.h"
#include "game/Enemy.h"
#include "game/EventAttack.h"
#include "game/EventTurn.h"
#include "game/Hero.h"
#include "game/HeroCombat.h"

#include <SFML/System/Sleep.hpp>

#include <algorithm>

namespace lm_test {
namespace {

using lm::Keyboard::Key;
using Lines = std::vector<std::string>;

/// A battle against one enemy of a kind, made as the battle makes it, without the walking hero.
class EnemyTest : public GameTest {
protected:
    void spawn(const std::string& kind) {
        auto* p_battle = new Battle;
        const std::map<std::string, void (Battle::*)()> spawns = {{"Goblin", &Battle::spawnGoblin},
                                                                  {"Zombie", &Battle::spawnZombie},
                                                                  {"Knight", &Battle::spawnKnight},
                                                                  {"Wizard", &Battle::spawnWizard}};
        (p_battle->*spawns.at(kind))();
        p_enemy = static_cast<Enemy*>(find(kind));
        ASSERT_NE(p_enemy, nullptr);
    }
    /// The enemy's turn with a scripted roll, and the end of the step.
    void turn(int roll) {
        rolls({roll});
        const EventTurn turn_event;
        lm::WorldManager::getInstance().onEvent(&turn_event);
        update();
    }
    /// The hero's attack of 2; what it cost the enemy.
    int heroHits() {
        const int before = p_enemy->getHealth();
        const EventAttack attack(2, find("HeroCombat"));
        lm::WorldManager::getInstance().onEvent(&attack);
        return before - p_enemy->getHealth();
    }
    static HeroCombat* fighter() { return static_cast<HeroCombat*>(find("HeroCombat")); }
    static int heroHealth() { return fighter()->getHealth(); }

    Enemy* p_enemy = nullptr;
};

TEST_F(EnemyTest, EachKindArrivesWithItsHealthDamageLooksAndAnnouncement) {
    const struct {
        const char* kind;
        const char* sprite;
        int health;
        int damage;
    } kinds[] = {{"Goblin", "goblin", 7, 2},
                 {"Zombie", "zombie", 8, 1},
                 {"Knight", "knight", 9, 3},
                 {"Wizard", "wizard", 8, 2}};
    for (const auto& expected : kinds) {
        spawn(expected.kind);
        EXPECT_EQ(p_enemy->getHealth() * 100 + p_enemy->getDamage(),
                  expected.health * 100 + expected.damage)
            << expected.kind;
        EXPECT_EQ(shown("EnemyStats"), expected.health) << expected.kind;
        EXPECT_EQ(p_enemy->getPosition(), lm::Vector(40, 20));
        ASSERT_NE(p_enemy->getAnimation().getSprite(), nullptr) << expected.kind;
        EXPECT_EQ(p_enemy->getAnimation().getSprite()->getLabel(), expected.sprite);
        // The zombie shows its announcement on screen; the others write it to the log.
        const std::string announcement = std::string("A ") + expected.kind + " appears!";
        const bool on_screen = announcement == "A Zombie appears!";
        EXPECT_EQ(message(), on_screen ? announcement : "0 messages");
        EXPECT_EQ(logLines().back() == announcement, !on_screen) << expected.kind;
        clearWorld();
        EXPECT_EQ(logLines().back(), "Enemy was defeated");
    }
}

struct TurnCase {
    const char* kind;
    int roll;
    const char* message;
    int hero_loss;       // what the turn cost the hero
    int next_hit_costs;  // what the hero's next attack of 2 costs the enemy
};

void PrintTo(const TurnCase& turn, std::ostream* out) {
    *out << turn.kind << " rolls " << turn.roll;
}

class EnemyTurnTest : public EnemyTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(EnemyTurnTest, EveryRollShowsItsMessageThenActs) {
    spawn(GetParam().kind);
    turn(GetParam().roll);
    EXPECT_EQ(message(), GetParam().message);
    EXPECT_EQ(10 - heroHealth(), GetParam().hero_loss);
    EXPECT_EQ(heroHits(), GetParam().next_hit_costs);
}

INSTANTIATE_TEST_SUITE_P(
    AllRolls, EnemyTurnTest,
    ::testing::Values(TurnCase{"Goblin", 1, "The Goblin attacked!", 2, 2},
                      TurnCase{"Goblin", 2, "The Goblin defended!", 0, 1},
                      TurnCase{"Goblin", 3, "The Goblin defended!", 0, 1},
                      TurnCase{"Goblin", 9, "The Goblin inflicted a critical hit!", 4, 2},
                      TurnCase{"Zombie", 4, "The Zombie attacked!", 1, 2},
                      TurnCase{"Zombie", 5, "The Zombie defended!", 0, 1},
                      TurnCase{"Zombie", 6, "The Zombie defended!", 0, 1},
                      TurnCase{"Zombie", 7, "The Zombie regenerated!", 0, 2},
                      TurnCase{"Knight", 2, "The Knight attacked!", 3, 2},
                      TurnCase{"Knight", 3, "The Knight defended!", 0, 1},
                      TurnCase{"Knight", 6, "The Knight defended!", 0, 1},
                      TurnCase{"Knight", 7, "The Knight attacked, then defended!", 3, 1},
                      TurnCase{"Wizard", 2, "The Wizard attacked!", 2, 2},
                      TurnCase{"Wizard", 3, "The Wizard defended", 0, 1},
                      TurnCase{"Wizard", 4, "The Wizard charged its staff", 0, 2},
                      TurnCase{"Wizard", 11, "The Wizard charged its staff", 0, 2}),
    [](const ::testing::TestParamInfo<TurnCase>& turn) {
        return std::string(turn.param.kind) + "Rolls" + std::to_string(turn.param.roll);
    });

TEST_F(EnemyTest, SpecialMovesLastAsTheyShouldAndOnlyAHitClearsAGuard) {
    spawn("Zombie");
    turn(0);  // the announcement makes way for the first turn's message
    EXPECT_EQ(message(), "The Zombie attacked!");
    turn(7);
    EXPECT_EQ(p_enemy->getHealth(), 8) << "no further than its full health";
    heroHits();
    heroHits();
    turn(9);
    EXPECT_EQ(p_enemy->getHealth() * 10 + shown("EnemyStats"), 66);

    clearWorld();
    spawn("Wizard");
    turn(4);
    turn(5);
    EXPECT_EQ(p_enemy->getDamage(), 6) << "charges add up for the rest of the battle";
    fighter()->defend();
    turn(1);
    turn(3);  // a guard lasts until the next hit, however many turns
    turn(3);
    EXPECT_EQ(heroHealth(), 7);
    EXPECT_EQ(heroHits(), 1);
    EXPECT_EQ(heroHits(), 2);
    EXPECT_EQ(logLines().back(), "The Hero deals 2 damage");
    const EventAttack own(5, p_enemy);
    EXPECT_EQ(p_enemy->eventHandler(&own), 1);
    EXPECT_EQ(p_enemy->getHealth(), 5) << "its own attack passes it by";
    const EventAttack heros(5, fighter());
    EXPECT_EQ(fighter()->eventHandler(&heros), 1);
    EXPECT_EQ(heroHealth(), 7) << "his own attack never hurts him";

    clearWorld();
    spawn("Goblin");
    turn(4);
    EXPECT_EQ(p_enemy->getDamage(), 2) << "a critical hit leaves the damage as it was";
    p_enemy->setHealth(1);
    turn(2);
    EXPECT_EQ(message(), "The Goblin defended!") << "at 1 it still fights";
    fighter()->setHealth(1);
    p_enemy->setHealth(0);
    turn(1);
    EXPECT_EQ(count("HeroCombat"), 1) << "a defeated enemy takes no turn";
}

/// A goblin battle laid over a hero walking low in the world, as an encounter makes it.
class BattleTest : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        p_hero = new Hero;
        p_hero->setPosition(lm::Vector(20, 70));
        lm::WorldManager::getInstance().setViewFollowing(p_hero);
        rolls({1, 0});
        step();
        rolls({0});
        p_enemy = static_cast<Enemy*>(find("Goblin"));
        ASSERT_NE(p_enemy, nullptr);
    }
    static bool logHas(const std::string& line) {
        const Lines log = logLines();
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

TEST_F(BattleTest, TheSceneIsLaidOverTheViewWithRepeatingMusicAndBothHealthViews) {
    EXPECT_EQ(types(),
              (Lines{"Hero", "Battle", "HeroCombat", "PlayerStats", "EnemyStats", "Goblin"}));
    // The view follows the hero at (20, 70): its corner is (0, 40).
    EXPECT_EQ(find("Battle")->getPosition(), lm::Vector(30, 60));
    EXPECT_EQ(fighter()->getPosition(), lm::Vector(20, 60));
    EXPECT_EQ(p_enemy->getPosition(), lm::Vector(40, 60));
    EXPECT_EQ(find("PlayerStats")->getPosition(), lm::Vector(10, 1));
    EXPECT_EQ(find("EnemyStats")->getPosition(), lm::Vector(30, 1));
    EXPECT_EQ(shown("PlayerStats"), 10);
    EXPECT_EQ(logLines().back(), "A Goblin appears!");
    sf::sleep(sf::milliseconds(300));
    EXPECT_TRUE(musicPlaying());
}

TEST_F(BattleTest, ACommandHandsTheTurnOverOnceThenWaitsSixtySteps) {
    EXPECT_FALSE(soundPlaying());
    press(Key::A);
    EXPECT_TRUE(soundPlaying()) << "the blow is heard";
    press(Key::D);  // in the same step: one exchange
    EXPECT_EQ(p_enemy->getHealth() * 10 + shown("EnemyStats"), 55);
    EXPECT_EQ(heroHealth() * 10 + shown("PlayerStats"), 88);
    update();
    EXPECT_EQ(message(), "The Goblin attacked!");
    EXPECT_TRUE(logHas("The Hero deals 2 damage"));
    for (int i = 0; i < 59; ++i) {
        step();
        press(Key::A);
        press(Key::D);
    }
    EXPECT_EQ(p_enemy->getHealth(), 5);
    step();
    rolls({2});  // the goblin defends
    press(Key::D);
    EXPECT_EQ(heroHealth(), 8);
    waitOut();
    rolls({0});
    press(Key::A);  // on the defending goblin: 1; the hero still defended: 2 / 2
    EXPECT_EQ(p_enemy->getHealth() * 10 + heroHealth(), 47);
    waitOut();
    press(Key::X);  // not a command: no turn
    EXPECT_EQ(heroHealth(), 7);
}

TEST_F(BattleTest, QQuitsThroughTheWalkingHeroAndTheFigureOnceItsWaitIsOver) {
    lm::GameManager& game_manager = lm::GameManager::getInstance();
    press(Key::Q);
    EXPECT_TRUE(game_manager.getGameOver());
    EXPECT_EQ(p_enemy->getHealth(), 7) << "Q hands over no turn";
    game_manager.setGameOver(false);
    lm::WorldManager::getInstance().markForDelete(p_hero);
    press(Key::D);
    update();
    press(Key::Q);
    EXPECT_FALSE(game_manager.getGameOver()) << "the figure waits";
    waitOut();
    press(Key::Q);
    EXPECT_TRUE(game_manager.getGameOver());
}

TEST_F(BattleTest, VictoryRemovesExactlyTheBattleAndTheWalkGoesOnInSilence) {
    p_enemy->setHealth(1);
    fighter()->setHealth(1);
    rolls({1});  // a turn would be an attack, fatal for the hero
    press(Key::A);
    update();
    EXPECT_EQ(types(), Lines{"Hero"});
    EXPECT_FALSE(musicPlaying());
    const Lines log = logLines();
    EXPECT_EQ(Lines(log.end() - 2, log.end()),
              (Lines{"The Hero deals 2 damage", "Enemy was defeated"}));
    EXPECT_TRUE(Hero::isInBattle());
    rolls({0});
    step();
    EXPECT_FALSE(Hero::isInBattle());
    press(Key::W);
    EXPECT_EQ(p_hero->getPosition(), lm::Vector(20, 69));
    rolls({1, 3, 0});
    step();
    ASSERT_EQ(count("Zombie"), 1);
    EXPECT_EQ(heroHealth() * 10 + shown("PlayerStats"), 110) << "a new battle, a new hero";
}

TEST_F(BattleTest, DefeatClearsTheWorldInOneStepAndShowsTheTitleWithMusic) {
    fighter()->setHealth(2);
    rolls({4});     // a critical hit for 4
    press(Key::D);  // halved to 2: still enough
    update();
    EXPECT_EQ(types(), Lines{"StartScreen"});
    EXPECT_EQ(lm::WorldManager::getInstance().getView().getCorner(), lm::Vector(0, 0));
    EXPECT_TRUE(logHas("Enemy was defeated"));
    sf::sleep(sf::milliseconds(300));
    EXPECT_TRUE(musicPlaying());
    // The first step of the next game cannot start an encounter; the flag clears from the world.
    press(Key::SPACE);
    update();
    rolls({1, 0});
    step();
    EXPECT_EQ(count("Battle"), 0);
    EXPECT_FALSE(Hero::isInBattle());
}

}  // namespace
}  // namespace lm_test
