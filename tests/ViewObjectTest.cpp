#include "engine/ViewObject.h"

#include "TestSupport.h"
#include "engine/DisplayManager.h"
#include "engine/EventStep.h"
#include "engine/EventView.h"
#include "engine/WorldManager.h"

namespace {

using lm::Vector;
using lm::ViewObject;

class ViewObjectTest : public lm_test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        lm::WorldManager::getInstance().setView(lm::Box(Vector(0, 0), 60, 40));
    }
};

TEST_F(ViewObjectTest, StartsAtTheTopCentreAsAnIntangibleDisplayOverEverything) {
    const ViewObject* p_view = new ViewObject;
    EXPECT_EQ(p_view->getType(), "ViewObject");
    EXPECT_EQ(p_view->getPosition(), Vector(30, 1));
    EXPECT_EQ(p_view->getLocation(), lm::TOP_CENTER);
    EXPECT_EQ(p_view->getAltitude(), lm::MAX_ALTITUDE);
    EXPECT_EQ(p_view->getSolidness(), lm::INTANGIBLE);
    EXPECT_TRUE(p_view->getBorder());
    EXPECT_EQ(p_view->getColor(), lm::WHITE);
    EXPECT_EQ(p_view->getValue(), 0);
    EXPECT_EQ(p_view->getViewString(), "");
}

TEST_F(ViewObjectTest, StandsAtNinePlacesOfTheViewWhateverItsCorner) {
    lm::WorldManager::getInstance().setView(lm::Box(Vector(7, 33), 60, 40));
    ViewObject* p_view = new ViewObject;
    const struct {
        lm::ViewLocation location;
        Vector position;
    } places[] = {
        {lm::TOP_LEFT, {10, 1}},     {lm::TOP_CENTER, {30, 1}},     {lm::TOP_RIGHT, {50, 1}},
        {lm::MIDDLE_LEFT, {10, 20}}, {lm::MIDDLE_CENTER, {30, 20}}, {lm::MIDDLE_RIGHT, {50, 20}},
        {lm::BOTTOM_LEFT, {10, 39}}, {lm::BOTTOM_CENTER, {30, 39}}, {lm::BOTTOM_RIGHT, {50, 39}},
    };
    for (const auto& place : places) {
        p_view->setLocation(place.location);
        EXPECT_EQ(p_view->getPosition(), place.position) << place.location;
        EXPECT_EQ(p_view->getLocation(), place.location);
    }
    p_view->setLocation(static_cast<lm::ViewLocation>(9));
    EXPECT_EQ(p_view->getPosition(), Vector(0, 0));
    EXPECT_EQ(p_view->getLocation(), 9);
}

TEST_F(ViewObjectTest, WithoutTheBorderTheTopRowIsTheFirstAndTheBottomRowStaysInside) {
    ViewObject* p_view = new ViewObject;
    p_view->setBorder(false);
    EXPECT_EQ(p_view->getPosition(), Vector(30, 0));
    p_view->setPosition(Vector(3, 3));
    p_view->setBorder(false);  // unchanged: not placed again
    EXPECT_EQ(p_view->getPosition(), Vector(3, 3));
    p_view->setLocation(lm::BOTTOM_RIGHT);
    EXPECT_EQ(p_view->getPosition(), Vector(50, 39));
    p_view->setBorder(true);
    EXPECT_EQ(p_view->getPosition(), Vector(50, 39));
}

TEST_F(ViewObjectTest, TakesViewEventsWithItsOwnLabelOnly) {
    ViewObject* p_view = new ViewObject;
    p_view->setViewString("Enemy Health");
    lm::EventView set_to_5("Enemy Health", 5, false);
    EXPECT_EQ(p_view->eventHandler(&set_to_5), 1);
    EXPECT_EQ(p_view->getValue(), 5);
    lm::EventView minus_3("Enemy Health", -3, true);
    lm::WorldManager::getInstance().onEvent(&minus_3);
    EXPECT_EQ(p_view->getValue(), 2);

    lm::EventView other("Player Health", 9, false);
    EXPECT_EQ(p_view->eventHandler(&other), 0);
    lm::EventStep step;
    EXPECT_EQ(p_view->eventHandler(&step), 0);
    EXPECT_EQ(p_view->getValue(), 2);

    // Two displays with the same label change together.
    ViewObject* p_twin = new ViewObject;
    p_twin->setViewString("Enemy Health");
    lm::WorldManager::getInstance().onEvent(&set_to_5);
    EXPECT_EQ(p_view->getValue(), 5);
    EXPECT_EQ(p_twin->getValue(), 5);
}

}  // namespace
