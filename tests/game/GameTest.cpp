// The game's objects in a world without a window: the title, the controls, the overworld with its
// encounters, and the battles.

#include "../TestSupport.h"
#include "engine/EventKeyboard.h"
#include "engine/EventStep.h"
#include "engine/GameManager.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "engine/ViewObject.h"
#include "engine/WorldManager.h"
#include "game/Enemy.h"
#include "game/EventAttack.h"
#include "game/EventTurn.h"
#include "game/GameResource.h"
#include "game/Hero.h"
#include "game/HeroCombat.h"
#include "game/StartScreen.h"

#include <SFML/System/Sleep.hpp>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace lm_test {
namespace {

using lm::Keyboard::Key;

lm::WorldManager& world() {
    return lm::WorldManager::getInstance();
}

bool over() {
    return lm::GameManager::getInstance().getGameOver();
}

/// The world as the game sets it up, without a window: 60 x 80 cells, the 60 x 40 view at (0, 0),
/// every sprite and the attack sound loaded, and for music a tone of a tenth of a second, so that
/// a track that does not repeat is soon silent. rand() is the scripted one.
class GameTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        setenv("LUMORA_RAND_FILE", (scratch.path() + "/rand.txt").c_str(), 1);
        rolls({0});
        world().setBoundary(lm::Box(lm::Vector(0, 0), 60, 80));
        world().setView(lm::Box(lm::Vector(0, 0), 60, 40));
        for (const GameResource& resource : GAME_RESOURCES) {
            ASSERT_EQ(resource.load(sourcePath("")), 0) << resource.file;
        }
        writeTone("tone.wav", 0.1f);
        lm::ResourceManager::getInstance().unloadMusic("combat-music");
        ASSERT_EQ(lm::ResourceManager::getInstance().loadMusic("tone.wav", "combat-music"), 0);
    }
    void TearDown() override {
        lm::GameManager::getInstance().setGameOver(false);
        EngineTest::TearDown();
    }

    /// The numbers rand() returns from now on, in order, then the last one for ever.
    void rolls(const std::vector<int>& values) const {
        writeRandScript(scratch.path() + "/rand.txt", values);
    }
    /// A key held down for a step, or let go, as the input manager sends it.
    static void key(Key pressed, lm::EventKeyboardAction action = lm::KEY_PRESSED) {
        lm::EventKeyboard event;
        event.setKey(pressed);
        event.setKeyboardAction(action);
        world().onEvent(&event);
    }
    /// A step event to everyone, then the world's update, which deletes what was marked.
    static void step() {
        const lm::EventStep event;
        world().onEvent(&event);
        world().update();
    }
    /// Takes every object but the one kept out of the world, in one update.
    static void clearWorld(const lm::Object* p_keep = nullptr) {
        for (lm::Object* p_object : world().getAllObjects()) {
            if (p_object != p_keep) {
                world().markForDelete(p_object);
            }
        }
        world().update();
    }
    static Lines types() {
        Lines result;
        for (const lm::Object* p_object : world().getAllObjects()) {
            result.push_back(p_object->getType());
        }
        return result;
    }
    static int count(const std::string& type) {
        return static_cast<int>(world().objectsOfType(type).size());
    }
    static lm::Object* find(const std::string& type) {
        const lm::ObjectList objects = world().objectsOfType(type);
        return objects.empty() ? nullptr : objects.front();
    }
    /// Each thing's sprite is named after its type.
    static bool looksItsPart(const std::string& type) {
        std::string label = type;
        std::transform(label.begin(), label.end(), label.begin(), ::tolower);
        const lm::Sprite* p_sprite = find(type)->getAnimation().getSprite();
        return p_sprite != nullptr && p_sprite->getLabel() == label;
    }
    /// The value a view object of this type shows, and the battle's one message.
    static int shown(const char* type) {
        return static_cast<lm::ViewObject*>(find(type))->getValue();
    }
    static std::string message() {
        const lm::ObjectList logs = world().objectsOfType("EventLog");
        return logs.size() == 1 ? static_cast<lm::ViewObject*>(logs.front())->getViewString()
                                : std::to_string(logs.size()) + " messages";
    }
    /// Whether the music plays; asked a while after it started, whether it repeats.
    static bool musicPlaying() {
        const lm::Music* p_music = lm::ResourceManager::getInstance().getMusic("combat-music");
        return p_music->getStatus() == sf::SoundSource::Playing;
    }
    void walker(lm::Vector at) {
        p_hero = new Hero;
        p_hero->setPosition(at);
        world().setViewFollowing(p_hero);
    }
    lm::Vector walk(std::initializer_list<Key> keys) const {
        for (const Key pressed : keys) {
            key(pressed);
        }
        return p_hero->getPosition();
    }

    Hero* p_hero = nullptr;
};

TEST_F(GameTest, TheTitleWithItsMusicOpensTheControlsOnCAndEndsTheGameOnQ) {
    new StartScreen;
    sf::sleep(sf::milliseconds(300));
    EXPECT_TRUE(musicPlaying()) << "and it repeats";
    key(Key::C, lm::KEY_RELEASED);
    step();
    EXPECT_EQ(types(), Lines{"StartScreen"}) << "a released key or a step changes nothing";
    for (int held_steps = 0; held_steps < 3; ++held_steps) {
        key(Key::C);
        world().update();
    }
    EXPECT_EQ(types(), Lines{"Controls"}) << "held C opens the controls once";
    key(Key::Q);
    world().update();
    EXPECT_FALSE(over()) << "Q leaves the controls";
    key(Key::Q);  // still held on the next step, the same key acts on the new title
    EXPECT_TRUE(over());
}

TEST_F(GameTest, TheHeroWalksACellPerKeyInsideTheWorldAndOnlyTreesAndTheRockBlockHim) {
    new StartScreen;
    key(Key::SPACE);
    world().update();
    Lines expected(19, "Tree");
    expected.insert(expected.end(), {"Bush", "Rock", "Grass", "Hero"});
    EXPECT_EQ(types(), expected);
    p_hero = static_cast<Hero*>(find("Hero"));
    for (const auto& [type, blocks] : std::map<std::string, bool>{
             {"Tree", true}, {"Rock", true}, {"Bush", false}, {"Grass", false}}) {
        EXPECT_TRUE(looksItsPart(type)) << type;
        const lm::Box box = lm::WorldManager::getWorldBox(find(type));
        const lm::Vector start(box.getCorner().getX() + box.getHorizontal() + 1,
                               find(type)->getPosition().getY());
        p_hero->setPosition(start);
        EXPECT_EQ(walk({Key::A, Key::A}), blocks ? start : start + lm::Vector(-2, 0)) << type;
    }
    p_hero->setPosition(lm::Vector(20, 30));
    EXPECT_EQ(walk({Key::D, Key::D, Key::W, Key::A, Key::S, Key::S, Key::SPACE}),
              lm::Vector(21, 31));
    p_hero->setPosition(lm::Vector(1, 1));
    EXPECT_EQ(walk({Key::A, Key::W}), lm::Vector(1, 1));
    p_hero->setPosition(lm::Vector(59, 78));
    EXPECT_EQ(walk({Key::D, Key::S, Key::S}), lm::Vector(59, 79));
}

TEST_F(GameTest, OneRollAStepInAThousandBeginsABattleAndTheSecondChoosesTheEnemy) {
    walker(lm::Vector(20, 30));
    rolls({0, 2, 999, 1000, 0, 1001, 0});
    for (int i = 0; i < 5; ++i) {
        step();
    }
    EXPECT_EQ(count("Battle"), 0);
    step();
    EXPECT_TRUE(Hero::isInBattle());
    EXPECT_EQ(count("Goblin"), 1);
    EXPECT_EQ(walk({Key::W, Key::A, Key::S, Key::D}), lm::Vector(20, 30)) << "held in battle";
    rolls({1});  // another lucky roll during the battle begins nothing
    step();
    EXPECT_EQ(count("Battle"), 1);
    // The flag is taken from the world on the hero's next step, however the battle went.
    rolls({0});
    clearWorld(p_hero);
    EXPECT_TRUE(Hero::isInBattle());
    step();
    EXPECT_EQ(walk({Key::D}), lm::Vector(21, 30));
    // Three goblins and three zombies to each knight and each wizard.
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

/// Each kind of enemy: the encounter's second roll that brings it, and its full health.
const std::map<std::string, std::pair<int, int>> KINDS = {
    {"Goblin", {0, 7}}, {"Zombie", {3, 8}}, {"Knight", {6, 9}}, {"Wizard", {7, 8}}};

/// A battle as an encounter makes it, over a hero walking low in the world: the view's corner is
/// at (0, 40).
class BattleTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        walker(lm::Vector(20, 70));
    }
    /// An encounter with the enemy of this roll, after the last one has gone.
    void meet(const std::string& kind) {
        clearWorld(p_hero);
        step();
        rolls({1, KINDS.at(kind).first});
        step();
        p_enemy = static_cast<Enemy*>(find(kind));
        ASSERT_NE(p_enemy, nullptr);
    }
    /// The enemy's turn with a scripted roll, and the end of the step.
    void turn(int roll) {
        rolls({roll});
        const EventTurn turn_event;
        world().onEvent(&turn_event);
        world().update();
    }
    /// The hero's attack of 2; what it cost the enemy.
    int heroHits() {
        const int before = p_enemy->getHealth();
        const EventAttack attack(2, fighter());
        world().onEvent(&attack);
        return before - p_enemy->getHealth();
    }
    static HeroCombat* fighter() { return static_cast<HeroCombat*>(find("HeroCombat")); }
    static int heroHealth() { return fighter()->getHealth(); }

    Enemy* p_enemy = nullptr;
};

TEST_F(BattleTest, EachKindComesWithItsLooksHealthAndAnnouncementAndActsOnEveryRoll) {
    for (const auto& [kind, roll_and_health] : KINDS) {
        const int full = roll_and_health.second;
        meet(kind);
        EXPECT_TRUE(looksItsPart(kind));
        EXPECT_EQ(p_enemy->getPosition(), lm::Vector(40, 60));
        EXPECT_EQ(std::pair(p_enemy->getHealth(), shown("EnemyStats")), std::pair(full, full));
        // The zombie shows its announcement on screen; the others write it to the log.
        const std::string announcement = "A " + kind + " appears!";
        EXPECT_EQ(message(), kind == "Zombie" ? announcement : "0 messages");
        EXPECT_EQ(logLines().back() == announcement, kind != "Zombie") << kind;
    }
    const struct {
        const char* kind;
        int roll;
        const char* message;
        int hero_loss;       // what the turn cost the hero
        int next_hit_costs;  // what the hero's next attack of 2 costs the enemy
    } turns[] = {{"Goblin", 1, "The Goblin attacked!", 2, 2},
                 {"Goblin", 2, "The Goblin defended!", 0, 1},
                 {"Goblin", 3, "The Goblin defended!", 0, 1},
                 {"Goblin", 9, "The Goblin inflicted a critical hit!", 4, 2},
                 {"Zombie", 4, "The Zombie attacked!", 1, 2},
                 {"Zombie", 5, "The Zombie defended!", 0, 1},
                 {"Zombie", 6, "The Zombie defended!", 0, 1},
                 {"Zombie", 7, "The Zombie regenerated!", 0, 2},
                 {"Knight", 2, "The Knight attacked!", 3, 2},
                 {"Knight", 3, "The Knight defended!", 0, 1},
                 {"Knight", 6, "The Knight defended!", 0, 1},
                 {"Knight", 7, "The Knight attacked, then defended!", 3, 1},
                 {"Wizard", 2, "The Wizard attacked!", 2, 2},
                 {"Wizard", 3, "The Wizard defended", 0, 1},
                 {"Wizard", 4, "The Wizard charged its staff", 0, 2},
                 {"Wizard", 11, "The Wizard charged its staff", 0, 2}};
    for (const auto& expected : turns) {
        SCOPED_TRACE(std::string(expected.kind) + " rolls " + std::to_string(expected.roll));
        meet(expected.kind);
        turn(expected.roll);
        EXPECT_EQ(message(), expected.message);
        EXPECT_EQ(10 - heroHealth(), expected.hero_loss);
        EXPECT_EQ(heroHits(), expected.next_hit_costs);
    }
}

TEST_F(BattleTest, SpecialMovesAndGuardsLastAsTheyShouldAndHealthOneStillCounts) {
    meet("Zombie");
    turn(0);  // the announcement makes way for the first turn's message
    EXPECT_EQ(message(), "The Zombie attacked!");
    turn(7);
    EXPECT_EQ(p_enemy->getHealth(), 8) << "no further than its full health";
    heroHits();
    heroHits();
    turn(9);
    EXPECT_EQ(std::pair(p_enemy->getHealth(), shown("EnemyStats")), std::pair(6, 6));

    meet("Wizard");
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
    const EventAttack own(5, p_enemy);
    p_enemy->eventHandler(&own);
    EXPECT_EQ(p_enemy->getHealth(), 5) << "its own attack passes it by";
    const EventAttack heros(5, fighter());
    fighter()->eventHandler(&heros);
    EXPECT_EQ(heroHealth(), 7) << "his own attack never hurts him";

    meet("Goblin");
    turn(4);
    EXPECT_EQ(p_enemy->getDamage(), 2) << "a critical hit leaves the damage as it was";
    p_enemy->setHealth(1);
    turn(2);
    EXPECT_EQ(message(), "The Goblin defended!") << "at 1 it still fights";
    fighter()->setHealth(1);
    p_enemy->setHealth(0);
    turn(1);
    EXPECT_EQ(count("HeroCombat"), 1) << "a defeated enemy takes no turn";
    p_enemy->setHealth(1);
    key(Key::A);
    world().update();
    EXPECT_EQ(types(), Lines{"Hero"}) << "a victory at 1 leaves the hero walking";
}

TEST_F(BattleTest, ACommandIsHeardAndHandsTheTurnOverOnceThenWaitsSixtySteps) {
    meet("Goblin");
    sf::sleep(sf::milliseconds(300));
    EXPECT_TRUE(musicPlaying()) << "and it repeats";
    key(Key::Q);
    EXPECT_TRUE(over());
    EXPECT_EQ(p_enemy->getHealth(), 7) << "Q hands over no turn";
    const lm::Sound* p_blow = lm::ResourceManager::getInstance().getSound("attack-fx");
    EXPECT_NE(p_blow->getStatus(), sf::SoundSource::Playing);
    key(Key::A);
    EXPECT_EQ(p_blow->getStatus(), sf::SoundSource::Playing) << "the blow is heard";
    key(Key::D);  // in the same step: one exchange
    EXPECT_EQ(std::pair(p_enemy->getHealth(), shown("EnemyStats")), std::pair(5, 5));
    EXPECT_EQ(std::pair(heroHealth(), shown("PlayerStats")), std::pair(8, 8));
    for (int i = 0; i < 59; ++i) {
        step();
        key(Key::A);
        key(Key::D);
    }
    EXPECT_EQ(p_enemy->getHealth(), 5) << "the figure waits";
    step();
    key(Key::X);  // not a command: no turn
    EXPECT_EQ(heroHealth(), 8);
    key(Key::A);  // ready again after sixty steps
    EXPECT_EQ(std::pair(p_enemy->getHealth(), heroHealth()), std::pair(3, 6));
}

}  // namespace
}  // namespace lm_test
