#include "GameTest.h"
#include "engine/GameManager.h"
#include "game/Battle.h"
#include "game/Bush.h"
#include "game/Grass.h"
#include "game/Hero.h"
#include "game/Rock.h"
#include "game/Tree.h"

#include <tuple>

namespace lm_test {
namespace {

using lm::Keyboard::Key;

class OverworldTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        p_hero = new Hero;
    }
    void TearDown() override {
        lm::GameManager::getInstance().setGameOver(false);
        GameTest::TearDown();
    }

    void placeHero(float x, float y) { p_hero->setPosition(lm::Vector(x, y)); }
    lm::Vector heroAt() const { return p_hero->getPosition(); }

    /// Puts the hero one cell clear of an object's right edge, so that one step left meets it.
    void placeHeroRightOf(const lm::Object* p_object) {
        const lm::Box box = lm::WorldManager::getWorldBox(p_object);
        placeHero(box.getCorner().getX() + box.getHorizontal() + 1, p_object->getPosition().getY());
    }

    Hero* p_hero = nullptr;
};

TEST_F(OverworldTest, TheHeroMovesOneCellPerKeyAndNeverOntoTheWorldsEdges) {
    placeHero(20, 30);
    press(Key::A);
    EXPECT_EQ(heroAt(), lm::Vector(19, 30));
    press(Key::D);
    press(Key::D);
    EXPECT_EQ(heroAt(), lm::Vector(21, 30));
    press(Key::W);
    EXPECT_EQ(heroAt(), lm::Vector(21, 29));
    press(Key::S);
    press(Key::S);
    EXPECT_EQ(heroAt(), lm::Vector(21, 31));
    release();
    press(Key::SPACE);
    EXPECT_EQ(heroAt(), lm::Vector(21, 31));

    placeHero(1, 1);
    press(Key::A);
    press(Key::W);
    EXPECT_EQ(heroAt(), lm::Vector(1, 1));
    placeHero(59, 79);
    press(Key::D);
    press(Key::S);
    EXPECT_EQ(heroAt(), lm::Vector(59, 79));
    // Only the coordinate that changes is checked.
    placeHero(59, 78);
    press(Key::S);
    EXPECT_EQ(heroAt(), lm::Vector(59, 79));
}

TEST_F(OverworldTest, TreesAndTheRockBlockTheHeroTheBushAndGrassLetHimThrough) {
    for (lm::Object* p_obstacle : std::initializer_list<lm::Object*>{new Tree, new Rock}) {
        p_obstacle->setPosition(lm::Vector(30, 40));
        placeHeroRightOf(p_obstacle);
        const lm::Vector before = heroAt();
        press(Key::A);
        EXPECT_EQ(heroAt(), before) << p_obstacle->getType();
        lm::WorldManager::getInstance().markForDelete(p_obstacle);
        update();
    }
    for (lm::Object* p_cover : std::initializer_list<lm::Object*>{new Bush, new Grass}) {
        p_cover->setPosition(lm::Vector(30, 40));
        placeHeroRightOf(p_cover);
        const lm::Vector before = heroAt();
        press(Key::A);
        press(Key::A);
        EXPECT_EQ(heroAt(), before + lm::Vector(-2, 0)) << p_cover->getType();
        lm::WorldManager::getInstance().markForDelete(p_cover);
        update();
    }
}

TEST_F(OverworldTest, TheViewFollowsTheHeroInsideTheWorld) {
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    placeHero(20, 30);
    world_manager.setViewFollowing(p_hero);
    press(Key::S);
    EXPECT_EQ(world_manager.getView().getCorner(), lm::Vector(0, 11));
    placeHero(20, 78);
    press(Key::S);
    EXPECT_EQ(world_manager.getView().getCorner(), lm::Vector(0, 40));
    placeHero(20, 2);
    press(Key::W);
    EXPECT_EQ(world_manager.getView().getCorner(), lm::Vector(0, 0));
}

TEST_F(OverworldTest, OneRollInAThousandBeginsABattleThatHoldsTheHero) {
    EXPECT_FALSE(Hero::isInBattle());
    scriptRand({0, 2, 999, 1000});
    for (int i = 0; i < 4; ++i) {
        step();
    }
    EXPECT_EQ(count("Battle"), 0);
    EXPECT_FALSE(Hero::isInBattle());

    placeHero(20, 30);
    scriptRand({1001, 0});
    step();
    EXPECT_EQ(randValuesLeft(), 0);
    EXPECT_TRUE(Hero::isInBattle());
    EXPECT_EQ(count("Battle"), 1);
    EXPECT_EQ(count("Goblin"), 1);

    for (Key key : {Key::W, Key::A, Key::S, Key::D}) {
        press(key);
    }
    EXPECT_EQ(heroAt(), lm::Vector(20, 30));

    // Another lucky roll during the battle begins nothing.
    scriptRand({1});
    step();
    EXPECT_EQ(count("Battle"), 1);
    EXPECT_EQ(count("Goblin"), 1);

    press(Key::Q);
    EXPECT_TRUE(lm::GameManager::getInstance().getGameOver());
}

TEST_F(OverworldTest, TheBattleFlagIsTakenFromTheWorldOnEveryStep) {
    scriptRand({1, 7});
    step();
    ASSERT_TRUE(Hero::isInBattle());
    for (lm::Object* p_object : lm::WorldManager::getInstance().getAllObjects()) {
        if (p_object != p_hero) {
            lm::WorldManager::getInstance().markForDelete(p_object);
        }
    }
    update();
    // Removing the battle changes nothing until the hero's next step.
    EXPECT_TRUE(Hero::isInBattle());
    step();
    EXPECT_FALSE(Hero::isInBattle());
    placeHero(20, 30);
    press(Key::D);
    EXPECT_EQ(heroAt(), lm::Vector(21, 30));

    // A battle that appears by other means is noticed on the next step too.
    new Battle;
    step();
    EXPECT_TRUE(Hero::isInBattle());
}

class EnemyChoiceTest : public OverworldTest,
                        public ::testing::WithParamInterface<std::tuple<int, const char*>> {};

TEST_P(EnemyChoiceTest, TheSecondRollChoosesTheEnemy) {
    const auto [roll, enemy_type] = GetParam();
    scriptRand({1, roll});
    step();
    EXPECT_EQ(randValuesLeft(), 0);
    for (const char* kind : {"Goblin", "Zombie", "Knight", "Wizard"}) {
        EXPECT_EQ(count(kind), std::string(kind) == enemy_type ? 1 : 0) << kind;
    }
}

// Goblins and zombies come three times in eight, knights and wizards once.
INSTANTIATE_TEST_SUITE_P(
    EightRolls, EnemyChoiceTest,
    ::testing::Values(std::make_tuple(0, "Goblin"), std::make_tuple(1, "Goblin"),
                      std::make_tuple(2, "Goblin"), std::make_tuple(3, "Zombie"),
                      std::make_tuple(4, "Zombie"), std::make_tuple(5, "Zombie"),
                      std::make_tuple(6, "Knight"), std::make_tuple(15, "Wizard")));

}  // namespace
}  // namespace lm_test
