#include "GameTest.h"
#include "engine/EventMouse.h"
#include "engine/EventStep.h"
#include "engine/GameManager.h"
#include "game/Controls.h"
#include "game/StartScreen.h"

namespace lm_test {
namespace {

using lm::Keyboard::Key;

class ScreenTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        new StartScreen;
    }
    void TearDown() override {
        lm::GameManager::getInstance().setGameOver(false);
        GameTest::TearDown();
    }
};

TEST_F(ScreenTest, TheTitleStandsAtTheViewsCentreOverEverythingWithItsMusic) {
    const lm::Object* p_title = find("StartScreen");
    ASSERT_NE(p_title, nullptr);
    EXPECT_EQ(p_title->getPosition(), lm::Vector(30, 20));
    EXPECT_EQ(p_title->getAltitude(), 4);
    EXPECT_EQ(p_title->getSolidness(), lm::INTANGIBLE);
    EXPECT_TRUE(musicPlaying());
}

TEST_F(ScreenTest, QOnTheTitleEndsTheGame) {
    press(Key::Q);
    EXPECT_TRUE(lm::GameManager::getInstance().getGameOver());
    update();
    EXPECT_EQ(types(), std::vector<std::string>{"StartScreen"});
}

TEST_F(ScreenTest, ReleasedKeysMouseAndStepEventsLeaveTheScreensAlone) {
    lm::Object* p_title = find("StartScreen");
    release();
    lm::EventMouse mouse;
    EXPECT_EQ(p_title->eventHandler(&mouse), 0);
    lm::EventStep step_event;
    EXPECT_EQ(p_title->eventHandler(&step_event), 0);
    step();
    EXPECT_EQ(types(), std::vector<std::string>{"StartScreen"});

    press(Key::C);
    update();
    lm::Object* p_controls = find("Controls");
    ASSERT_NE(p_controls, nullptr);
    release();
    EXPECT_EQ(p_controls->eventHandler(&mouse), 0);
    EXPECT_EQ(p_controls->eventHandler(&step_event), 0);
    update();
    EXPECT_EQ(types(), std::vector<std::string>{"Controls"});
}

TEST_F(ScreenTest, HeldCOpensTheControlsOnceAndStopsTheMusic) {
    press(Key::C);
    update();
    EXPECT_EQ(types(), std::vector<std::string>{"Controls"});
    EXPECT_FALSE(musicPlaying());
    const lm::Object* p_controls = find("Controls");
    EXPECT_EQ(p_controls->getPosition(), lm::Vector(20, 20));
    EXPECT_EQ(p_controls->getAltitude(), 2);
    EXPECT_EQ(p_controls->getSolidness(), lm::BLOCKING);

    for (int held_steps = 0; held_steps < 3; ++held_steps) {
        press(Key::C);
        update();
    }
    EXPECT_EQ(types(), std::vector<std::string>{"Controls"});
}

TEST_F(ScreenTest, QOnTheControlsGoesBackToTheTitleWithItsMusic) {
    press(Key::C);
    update();
    press(Key::Q);
    update();
    EXPECT_FALSE(lm::GameManager::getInstance().getGameOver());
    EXPECT_EQ(types(), std::vector<std::string>{"StartScreen"});
    EXPECT_TRUE(musicPlaying());

    // Still held on the next step, the same key acts on the new title.
    press(Key::Q);
    EXPECT_TRUE(lm::GameManager::getInstance().getGameOver());
}

TEST_F(ScreenTest, AnyOtherKeyLaysOutTheOverworldAndFollowsTheHeroInSilence) {
    press(Key::SPACE);
    // The title stays until the end of the step, after everything it made.
    std::vector<std::string> expected = {"StartScreen"};
    expected.insert(expected.end(), 19, "Tree");
    expected.insert(expected.end(), {"Bush", "Rock", "Grass", "Hero"});
    EXPECT_EQ(types(), expected);
    EXPECT_FALSE(musicPlaying());

    update();
    expected.erase(expected.begin());
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

    // The view is centred on the hero at (20, 30), held inside the 60-wide world.
    EXPECT_EQ(lm::WorldManager::getInstance().getView().getCorner(), lm::Vector(0, 10));
}

}  // namespace
}  // namespace lm_test
