#include "game/Enemy.h"

#include "GameTest.h"
#include "engine/ViewObject.h"
#include "game/Battle.h"
#include "game/EventAttack.h"
#include "game/EventTurn.h"
#include "game/HeroCombat.h"

#include <functional>

namespace lm_test {
namespace {

/// A battle against one enemy of a kind, without the walking hero: turns are handed over
/// directly.
class EnemyTest : public GameTest {
protected:
    void spawn(const std::string& kind) {
        auto* p_battle = new Battle;
        const std::map<std::string, std::function<void()>> spawns = {
            {"Goblin", [=] { p_battle->spawnGoblin(); }},
            {"Zombie", [=] { p_battle->spawnZombie(); }},
            {"Knight", [=] { p_battle->spawnKnight(); }},
            {"Wizard", [=] { p_battle->spawnWizard(); }},
        };
        spawns.at(kind)();
        p_enemy = static_cast<Enemy*>(find(kind));
        ASSERT_NE(p_enemy, nullptr);
    }

    /// The enemy's turn with a scripted roll, and the end of the step.
    void turn(int roll) {
        scriptRand({roll});
        EventTurn turn_event;
        lm::WorldManager::getInstance().onEvent(&turn_event);
        update();
    }

    /// The hero's attack of 2; returns the health it cost the enemy.
    int heroHits() {
        const int before = p_enemy->getHealth();
        EventAttack attack(2, find("HeroCombat"));
        lm::WorldManager::getInstance().onEvent(&attack);
        return before - p_enemy->getHealth();
    }

    static int heroHealth() { return static_cast<HeroCombat*>(find("HeroCombat"))->getHealth(); }
    static int shownEnemyHealth() {
        return static_cast<lm::ViewObject*>(find("EnemyStats"))->getValue();
    }
    static std::vector<std::string> messages() {
        std::vector<std::string> result;
        for (lm::Object* p_object : lm::WorldManager::getInstance().objectsOfType("EventLog")) {
            result.push_back(static_cast<lm::ViewObject*>(p_object)->getViewString());
        }
        return result;
    }

    Enemy* p_enemy = nullptr;
};

TEST_F(EnemyTest, EachKindArrivesWithItsHealthDamageAndAnnouncement) {
    const struct {
        const char* kind;
        int health;
        int damage;
        const char* announcement;
    } kinds[] = {
        {"Goblin", 7, 2, "A Goblin appears!"},
        {"Zombie", 8, 1, "A Zombie appears!"},
        {"Knight", 9, 3, "A Knight appears!"},
        {"Wizard", 8, 2, "A Wizard appears!"},
    };
    for (const auto& expected : kinds) {
        spawn(expected.kind);
        EXPECT_EQ(p_enemy->getHealth(), expected.health) << expected.kind;
        EXPECT_EQ(p_enemy->getMaxHealth(), expected.health) << expected.kind;
        EXPECT_EQ(p_enemy->getDamage(), expected.damage) << expected.kind;
        EXPECT_EQ(p_enemy->getAltitude(), 4);
        EXPECT_EQ(p_enemy->getPosition(), lm::Vector(40, 20));
        EXPECT_EQ(shownEnemyHealth(), expected.health) << expected.kind;
        // The zombie shows its announcement on screen; the others write it to the log.
        const bool on_screen = std::string(expected.kind) == "Zombie";
        EXPECT_EQ(messages(), on_screen ? std::vector<std::string>{expected.announcement}
                                        : std::vector<std::string>{});
        EXPECT_EQ(logLines().back() == expected.announcement, !on_screen) << expected.kind;

        for (lm::Object* p_object : lm::WorldManager::getInstance().getAllObjects()) {
            lm::WorldManager::getInstance().markForDelete(p_object);
        }
        update();
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

class EnemyTurnTest : public EnemyTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(EnemyTurnTest, EveryRollShowsItsMessageThenActs) {
    const TurnCase& expected = GetParam();
    spawn(expected.kind);
    turn(expected.roll);
    EXPECT_EQ(messages(), std::vector<std::string>{expected.message});
    EXPECT_EQ(10 - heroHealth(), expected.hero_loss);
    EXPECT_EQ(heroHits(), expected.next_hit_costs);
}

std::string turnCaseName(const ::testing::TestParamInfo<TurnCase>& info) {
    return std::string(info.param.kind) + "Rolls" + std::to_string(info.param.roll);
}

INSTANTIATE_TEST_SUITE_P(
    AllRolls, EnemyTurnTest,
    ::testing::Values(TurnCase{"Goblin", 0, "The Goblin attacked!", 2, 2},
                      TurnCase{"Goblin", 1, "The Goblin attacked!", 2, 2},
                      TurnCase{"Goblin", 2, "The Goblin defended!", 0, 1},
                      TurnCase{"Goblin", 3, "The Goblin defended!", 0, 1},
                      TurnCase{"Goblin", 4, "The Goblin inflicted a critical hit!", 4, 2},
                      TurnCase{"Zombie", 0, "The Zombie attacked!", 1, 2},
                      TurnCase{"Zombie", 4, "The Zombie attacked!", 1, 2},
                      TurnCase{"Zombie", 5, "The Zombie defended!", 0, 1},
                      TurnCase{"Zombie", 6, "The Zombie defended!", 0, 1},
                      TurnCase{"Zombie", 7, "The Zombie regenerated!", 0, 2},
                      TurnCase{"Zombie", 9, "The Zombie regenerated!", 0, 2},
                      TurnCase{"Knight", 0, "The Knight attacked!", 3, 2},
                      TurnCase{"Knight", 2, "The Knight attacked!", 3, 2},
                      TurnCase{"Knight", 3, "The Knight defended!", 0, 1},
                      TurnCase{"Knight", 6, "The Knight defended!", 0, 1},
                      TurnCase{"Knight", 7, "The Knight attacked, then defended!", 3, 1},
                      TurnCase{"Knight", 8, "The Knight attacked, then defended!", 3, 1},
                      TurnCase{"Wizard", 0, "The Wizard attacked!", 2, 2},
                      TurnCase{"Wizard", 2, "The Wizard attacked!", 2, 2},
                      TurnCase{"Wizard", 3, "The Wizard defended", 0, 1},
                      TurnCase{"Wizard", 4, "The Wizard charged its staff", 0, 2},
                      TurnCase{"Wizard", 5, "The Wizard charged its staff", 0, 2}),
    turnCaseName);

TEST_F(EnemyTest, TheZombiesAnnouncementMakesWayForItsFirstTurn) {
    spawn("Zombie");
    turn(0);
    turn(5);
    EXPECT_EQ(messages(), std::vector<std::string>{"The Zombie defended!"});
}

TEST_F(EnemyTest, AZombieRegeneratesNoFurtherThanItsFullHealth) {
    spawn("Zombie");
    EXPECT_EQ(heroHits(), 2);
    turn(7);
    EXPECT_EQ(p_enemy->getHealth(), 8);
    EXPECT_EQ(heroHits(), 2);
    EXPECT_EQ(heroHits(), 2);
    EXPECT_EQ(shownEnemyHealth(), 4);
    turn(9);
    EXPECT_EQ(p_enemy->getHealth(), 6);
    EXPECT_EQ(shownEnemyHealth(), 6);
}

TEST_F(EnemyTest, AWizardsChargesLastForTheRestOfTheBattle) {
    spawn("Wizard");
    turn(4);
    turn(5);
    EXPECT_EQ(p_enemy->getDamage(), 6);
    turn(0);
    EXPECT_EQ(heroHealth(), 4);
    static_cast<HeroCombat*>(find("HeroCombat"))->defend();
    turn(1);
    EXPECT_EQ(heroHealth(), 1);
}

TEST_F(EnemyTest, AGoblinsCriticalHitLeavesItsDamageAsItWas) {
    spawn("Goblin");
    turn(4);
    EXPECT_EQ(heroHealth(), 6);
    EXPECT_EQ(p_enemy->getDamage(), 2);
    turn(0);
    EXPECT_EQ(heroHealth(), 4);
}

TEST_F(EnemyTest, OnlyAHitClearsTheGuardAndADefeatedEnemyTakesNoTurn) {
    spawn("Knight");
    turn(3);
    turn(3);
    turn(5);
    EXPECT_EQ(heroHits(), 1);
    EXPECT_EQ(heroHits(), 2);
    EXPECT_EQ(logLines().back(), "The Hero deals 2 damage");

    p_enemy->setHealth(0);
    scriptRand({0});
    EventTurn turn_event;
    EXPECT_EQ(p_enemy->eventHandler(&turn_event), 0);
    EXPECT_EQ(randValuesLeft(), 1);
    EXPECT_EQ(heroHealth(), 10);
}

TEST_F(EnemyTest, TheEnemysOwnAttackPassesItBy) {
    spawn("Goblin");
    EventAttack own(5, p_enemy);
    EXPECT_EQ(p_enemy->eventHandler(&own), 1);
    EXPECT_EQ(p_enemy->getHealth(), 7);
}

}  // namespace
}  // namespace lm_test
