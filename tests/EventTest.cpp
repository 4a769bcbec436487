#include "engine/Event.h"

#include "TestSupport.h"
#include "engine/Constants.h"
#include "engine/EventCollision.h"
#include "engine/EventKeyboard.h"
#include "engine/EventMouse.h"
#include "engine/EventOut.h"
#include "engine/EventStep.h"
#include "engine/EventView.h"

namespace {

// Receivers select events by these strings alone, so they are part of the interface.
TEST(EventTest, EachKindCarriesItsTypeStringFromEveryConstructor) {
    EXPECT_EQ(lm::Event().getType(), "lm::undefined");
    EXPECT_EQ(lm::EventCollision().getType(), "lm::collision");
    EXPECT_EQ(lm::EventCollision(nullptr, nullptr, lm::Vector(1, 2)).getType(), "lm::collision");
    EXPECT_EQ(lm::EventKeyboard().getType(), "lm::keyboard");
    EXPECT_EQ(lm::EventMouse().getType(), "lm::mouse");
    EXPECT_EQ(lm::EventOut().getType(), "lm::out");
    EXPECT_EQ(lm::EventStep().getType(), "lm::step");
    EXPECT_EQ(lm::EventStep(12).getType(), "lm::step");
    EXPECT_EQ(lm::EventView().getType(), "lm::view");
    EXPECT_EQ(lm::EventView("Player Health", -2, true).getType(), "lm::view");
}

TEST(EventTest, DefaultsAreUndefined) {
    const lm::EventKeyboard keyboard;
    EXPECT_EQ(keyboard.getKey(), lm::Keyboard::UNDEFINED_KEY);
    EXPECT_EQ(keyboard.getKeyboardAction(), lm::UNDEFINED_KEYBOARD_ACTION);

    const lm::EventMouse mouse;
    EXPECT_EQ(mouse.getMouseAction(), lm::UNDEFINED_MOUSE_ACTION);
    EXPECT_EQ(mouse.getMouseButton(), lm::Mouse::UNDEFINED_MOUSE_BUTTON);
    EXPECT_EQ(mouse.getMousePosition(), lm::Vector(0, 0));

    const lm::EventView view;
    EXPECT_EQ(view.getTag(), "lm::view");
    EXPECT_EQ(view.getValue(), 0);
    EXPECT_FALSE(view.getDelta());

    const lm::EventCollision collision;
    EXPECT_EQ(collision.getObject1(), nullptr);
    EXPECT_EQ(collision.getObject2(), nullptr);
    EXPECT_EQ(lm::EventStep().getStepCount(), 0);
}

}  // namespace
