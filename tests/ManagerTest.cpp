#include "TestSupport.h"
#include "engine/DisplayManager.h"
#include "engine/EventStep.h"
#include "engine/GameManager.h"
#include "engine/InputManager.h"
#include "engine/LogManager.h"
#include "engine/ResourceManager.h"
#include "engine/WorldManager.h"

namespace {

using lm_test::Journal;
using lm_test::Recorder;

class BroadcastTest : public lm_test::EngineTest {};

TEST_F(BroadcastTest, EmptyWorldReachesNobody) {
    const lm::EventStep step;
    EXPECT_EQ(lm::WorldManager::getInstance().onEvent(&step), 0);
}

TEST_F(BroadcastTest, ReachesEveryObjectInListOrderAndCountsThemAll) {
    Journal journal;
    new Recorder("A", journal);
    new lm::Object();  // ignores every event, and still counts
    new Recorder("C", journal);

    const lm::Event event;
    // Any manager broadcasts the same way.
    EXPECT_EQ(lm::LogManager::getInstance().onEvent(&event), 3);
    EXPECT_EQ(journal, (Journal{"A:lm::undefined", "C:lm::undefined"}));
}

TEST_F(BroadcastTest, ObjectMadeDuringBroadcastMissesIt) {
    Journal journal;
    auto* p_maker = new Recorder("Maker", journal);
    p_maker->reaction = [&journal](const lm::Event* p_event) {
        if (p_event->getType() == lm::STEP_EVENT) {
            new Recorder("Newcomer", journal);
        }
    };

    const lm::EventStep step;
    EXPECT_EQ(lm::WorldManager::getInstance().onEvent(&step), 1);
    EXPECT_EQ(journal, (Journal{"Maker:lm::step"}));

    const lm::Event later;
    lm::WorldManager::getInstance().onEvent(&later);
    EXPECT_EQ(journal.back(), "Newcomer:lm::undefined");
}

TEST_F(BroadcastTest, ObjectMarkedDuringBroadcastStillGetsItAndGoesAtUpdate) {
    Journal journal;
    auto* p_marker = new Recorder("Marker", journal);
    auto* p_victim = new Recorder("Victim", journal);
    p_marker->reaction = [p_victim](const lm::Event*) {
        lm::WorldManager::getInstance().markForDelete(p_victim);
    };

    const lm::EventStep step;
    EXPECT_EQ(lm::WorldManager::getInstance().onEvent(&step), 2);
    EXPECT_EQ(journal, (Journal{"Marker:lm::step", "Victim:lm::step"}));

    lm::WorldManager::getInstance().update();
    EXPECT_EQ(lm::WorldManager::getInstance().getAllObjects(), lm::ObjectList{p_marker});
}

TEST_F(BroadcastTest, NestedBroadcastFinishesBeforeTheOuterGoesOn) {
    Journal journal;
    auto* p_first = new Recorder("A", journal);
    new Recorder("B", journal);
    p_first->reaction = [](const lm::Event* p_event) {
        if (p_event->getType() == lm::STEP_EVENT) {
            const lm::Event inner;
            lm::WorldManager::getInstance().onEvent(&inner);
        }
    };

    const lm::EventStep step;
    lm::WorldManager::getInstance().onEvent(&step);
    EXPECT_EQ(journal, (Journal{"A:lm::step", "A:lm::undefined", "B:lm::undefined", "B:lm::step"}));
}

TEST(ManagerTest, EachManagerIsNamedAfterItsClass) {
    EXPECT_EQ(lm::GameManager::getInstance().getType(), "GameManager");
    EXPECT_EQ(lm::LogManager::getInstance().getType(), "LogManager");
    EXPECT_EQ(lm::WorldManager::getInstance().getType(), "WorldManager");
    EXPECT_EQ(lm::DisplayManager::getInstance().getType(), "DisplayManager");
    EXPECT_EQ(lm::InputManager::getInstance().getType(), "InputManager");
    EXPECT_EQ(lm::ResourceManager::getInstance().getType(), "ResourceManager");
}

}  // namespace
