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

TEST(EventTest, EachKindCarriesItsTypeString) {
    EXPECT_EQ(lm::Event().getType(), "lm::undefined");
    EXPECT_EQ(lm::EventCollision().getType(), "lm::collision");
    EXPECT_EQ(lm::EventKeyboard().getType(), "lm::keyboard");
    EXPECT_EQ(lm::EventMouse().getType(), "lm::mouse");
    EXPECT_EQ(lm::EventOut().getType(), "lm::out");
    EXPECT_EQ(lm::EventStep().getType(), "lm::step");
    EXPECT_EQ(lm::EventStep(12).getType(), "lm::step");
    EXPECT_EQ(lm::EventView().getType(), "lm::view");
    EXPECT_EQ(lm::EventView("Player Health", -2, true).getType(), "lm::view");

    lm::Event event;
    event.setType("attack");
    EXPECT_EQ(event.getType(), "attack");
}

TEST(EventTest, DefaultsAreUndefined) {
    const lm::EventKeyboard keyboard;
    EXPECT_EQ(keyboard.getKey(), -1);
    EXPECT_EQ(keyboard.getKeyboardAction(), -1);

    const lm::EventMouse mouse;
    EXPECT_EQ(mouse.getMouseAction(), -1);
    EXPECT_EQ(mouse.getMouseButton(), -1);
    EXPECT_EQ(mouse.getMousePosition(), lm::Vector(0, 0));

    const lm::EventView view;
    EXPECT_EQ(view.getTag(), "lm::view");
    EXPECT_EQ(view.getValue(), 0);
    EXPECT_FALSE(view.getDelta());

    const lm::EventCollision collision;
    EXPECT_EQ(collision.getObject1(), nullptr);
    EXPECT_EQ(collision.getObject2(), nullptr);
    EXPECT_EQ(collision.getPosition(), lm::Vector(0, 0));

    EXPECT_EQ(lm::EventStep().getStepCount(), 0);
}

class EventFieldsTest : public lm_test::EngineTest {};

TEST_F(EventFieldsTest, ConstructorsAndSettersFillTheFields) {
    auto* p_a = new lm::Object();
    auto* p_b = new lm::Object();
    const lm::EventCollision collision(p_a, p_b, lm::Vector(3, 4));
    EXPECT_EQ(collision.getObject1(), p_a);
    EXPECT_EQ(collision.getObject2(), p_b);
    EXPECT_EQ(collision.getPosition(), lm::Vector(3, 4));

    const lm::EventView view("Enemy Health", -2, true);
    EXPECT_EQ(view.getTag(), "Enemy Health");
    EXPECT_EQ(view.getValue(), -2);
    EXPECT_TRUE(view.getDelta());

    lm::EventKeyboard keyboard;
    keyboard.setKey(lm::Keyboard::Q);
    keyboard.setKeyboardAction(lm::KEY_PRESSED);
    EXPECT_EQ(keyboard.getKey(), lm::Keyboard::Q);
    EXPECT_EQ(keyboard.getKeyboardAction(), lm::KEY_PRESSED);

    lm::EventMouse mouse;
    mouse.setMouseAction(lm::PRESSED);
    mouse.setMouseButton(lm::Mouse::MIDDLE);
    mouse.setMousePosition(lm::Vector(100, 200));
    EXPECT_EQ(mouse.getMouseAction(), lm::PRESSED);
    EXPECT_EQ(mouse.getMouseButton(), lm::Mouse::MIDDLE);
    EXPECT_EQ(mouse.getMousePosition(), lm::Vector(100, 200));
}

TEST(EventTest, KeyValuesMatchTheirPublishedNumbers) {
    EXPECT_EQ(lm::Keyboard::SPACE, 0);
    EXPECT_EQ(lm::Keyboard::SLASH, 14);
    EXPECT_EQ(lm::Keyboard::RIGHTSHIFT, 18);
    EXPECT_EQ(lm::Keyboard::F1, 19);
    EXPECT_EQ(lm::Keyboard::F12, 30);
    EXPECT_EQ(lm::Keyboard::A, 31);
    EXPECT_EQ(lm::Keyboard::G, 37);
    EXPECT_EQ(lm::Keyboard::N, 44);
    EXPECT_EQ(lm::Keyboard::Z, 56);
    EXPECT_EQ(lm::Keyboard::NUM1, 57);
    EXPECT_EQ(lm::Keyboard::NUM9, 65);
    EXPECT_EQ(lm::Keyboard::NUM0, 66);
}

}  // namespace
