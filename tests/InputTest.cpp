// Real key presses and mouse moves through the X server, as the input manager reads them.

#include "TestSupport.h"
#include "XServer.h"
#include "engine/DisplayManager.h"
#include "engine/EventKeyboard.h"
#include "engine/EventMouse.h"
#include "engine/InputManager.h"

#include <SFML/System/Sleep.hpp>

#include <sstream>

namespace {

using Entries = std::vector<std::string>;
namespace x = lm_test::x;

class InputTest : public lm_test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_EQ(input.startUp(), 0);
        // Each key event as "<type> <action> <key>", each mouse event as "<type> <action>
        // <button> (<x>, <y>)".
        (new lm_test::Recorder("log", entries))->reaction = [this](const lm::Event* p_event) {
            std::ostringstream entry;
            if (const auto* p_key = dynamic_cast<const lm::EventKeyboard*>(p_event)) {
                entry << " " << p_key->getKeyboardAction() << " " << p_key->getKey();
            } else if (const auto* p_mouse = dynamic_cast<const lm::EventMouse*>(p_event)) {
                entry << " " << p_mouse->getMouseAction() << " " << p_mouse->getMouseButton() << " "
                      << p_mouse->getMousePosition();
            }
            entries.back() = p_event->getType() + entry.str();
        };
        ASSERT_TRUE(x::focus(lm::DisplayManager::getInstance().getWindow()->getSystemHandle()));
        passUntil(1000, 5);
    }
    /// Presses or releases keys by their X names, and mouse buttons as "button1" to "button3".
    static void keys(const Entries& names, bool down) {
        for (const std::string& name : names) {
            ASSERT_TRUE(name.rfind("button", 0) == 0 ? x::button(name.back() - '0', down)
                                                     : x::key(name, down))
                << name;
        }
    }
    /// Passes, 20 ms apart, until there are n new entries (100 passes at most); the new entries.
    Entries passUntil(std::size_t n, int passes = 100) {
        entries.clear();
        for (int i = 0; i < passes && entries.size() < n; ++i) {
            sf::sleep(sf::milliseconds(i == 0 ? 0 : 20));
            input.getInput();
        }
        return entries;
    }

    lm::InputManager& input = lm::InputManager::getInstance();
    Entries entries;
};

TEST_F(InputTest, HeldKeysAndButtonsArePressedOnEveryPassAndEachKeyIsReadAsItsEngineValue) {
    ASSERT_TRUE(x::moveTo(300, 400));
    const Entries moved = passUntil(1);  // some moves, saying neither where nor how
    EXPECT_EQ(moved, Entries(moved.empty() ? 1 : moved.size(), "lm::mouse 2 -1 (0, 0)"));
    keys({"Left", "Up", "button1", "button2"}, true);
    passUntil(1000, 5);  // the queued presses come and go; the held ones, in the tables' order:
    EXPECT_EQ(passUntil(1, 1), (Entries{"lm::keyboard 0 6", "lm::keyboard 0 4",
                                        "lm::mouse 1 0 (300, 400)", "lm::mouse 1 2 (300, 400)"}));
    keys({"Left", "Up", "button1", "button2"}, false);
    EXPECT_EQ(passUntil(2), Entries(2, "lm::keyboard 1 -1"));
    // The X names of the engine's keys, in the order of their values from SPACE to NUM0.
    std::istringstream names(
        "space Return Escape Tab Left Right Up Down Pause KP_Subtract KP_Add grave period comma "
        "slash Control_L Control_R Shift_L Shift_R F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 a b c d "
        "e f g h i j k l m n o p q r s t u v w x y z 1 2 3 4 5 6 7 8 9 0");
    int value = 0;
    for (std::string name; names >> name; ++value) {
        keys({name}, true);
        EXPECT_EQ(passUntil(1, 1), Entries{"lm::keyboard 0 " + std::to_string(value)}) << name;
        keys({name}, false);
        passUntil(1);
    }
    EXPECT_EQ(value, lm::Keyboard::NUM0 + 1);
}

}  // namespace
