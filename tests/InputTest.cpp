// Real key presses and mouse moves through the X server, as the input manager reads them.

#include "TestSupport.h"
#include "XServer.h"
#include "engine/DisplayManager.h"
#include "engine/EventKeyboard.h"
#include "engine/EventMouse.h"
#include "engine/GameManager.h"
#include "engine/InputManager.h"

#include <SFML/System/Sleep.hpp>
#include <SFML/Window/Event.hpp>

namespace {

using Entries = std::vector<std::string>;
namespace x = lm_test::x;

/// The X names of the engine's keys, in the order of their values from SPACE to NUM0.
const char* const X_NAMES[] = {
    "space",     "Return",      "Escape",  "Tab",   "Left",   "Right", "Up",    "Down",
    "Pause",     "KP_Subtract", "KP_Add",  "grave", "period", "comma", "slash", "Control_L",
    "Control_R", "Shift_L",     "Shift_R", "F1",    "F2",     "F3",    "F4",    "F5",
    "F6",        "F7",          "F8",      "F9",    "F10",    "F11",   "F12",   "a",
    "b",         "c",           "d",       "e",     "f",      "g",     "h",     "i",
    "j",         "k",           "l",       "m",     "n",      "o",     "p",     "q",
    "r",         "s",           "t",       "u",     "v",      "w",     "x",     "y",
    "z",         "1",           "2",       "3",     "4",      "5",     "6",     "7",
    "8",         "9",           "0"};
static_assert(std::size(X_NAMES) == lm::Keyboard::NUM0 + 1);

/// Writes down every keyboard and mouse event: "pressed 6", "released -1", "mouse pressed 0 at
/// 300,400"...
class InputLog : public lm::Object {
public:
    explicit InputLog(Entries& init_entries) : entries(init_entries) {}
    int eventHandler(const lm::Event* p_event) override {
        if (p_event->getType() == lm::KEYBOARD_EVENT) {
            const auto* p_key = static_cast<const lm::EventKeyboard*>(p_event);
            entries.push_back(
                (p_key->getKeyboardAction() == lm::KEY_PRESSED ? "pressed " : "released ") +
                std::to_string(p_key->getKey()));
        } else if (p_event->getType() == lm::MOUSE_EVENT) {
            const auto* p_mouse = static_cast<const lm::EventMouse*>(p_event);
            entries.push_back(
                std::string(p_mouse->getMouseAction() == lm::MOVED ? "mouse moved "
                                                                   : "mouse pressed ") +
                std::to_string(p_mouse->getMouseButton()) + " at " +
                std::to_string(static_cast<int>(p_mouse->getMousePosition().getX())) + "," +
                std::to_string(static_cast<int>(p_mouse->getMousePosition().getY())));
        }
        return 1;
    }

private:
    Entries& entries;
};

class InputTest : public lm_test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_EQ(input.startUp(), 0);
        new InputLog(entries);
        ASSERT_TRUE(x::focus(window()));
        settle();
    }
    void TearDown() override {
        input.shutDown();
        WindowTest::TearDown();
    }
    static unsigned long window() {
        return lm::DisplayManager::getInstance().getWindow()->getSystemHandle();
    }
    static void keys(const Entries& names, bool down) {
        for (const std::string& name : names) {
            ASSERT_TRUE(x::key(name, down)) << name;
        }
    }
    /// One pass of input reading; the entries it added.
    Entries pass() {
        const std::size_t before = entries.size();
        input.getInput();
        return Entries(entries.begin() + static_cast<std::ptrdiff_t>(before), entries.end());
    }
    /// Passes 20 ms apart until there are at least n new entries or two seconds have gone.
    Entries passUntil(std::size_t n) {
        const std::size_t before = entries.size();
        for (int i = 0; i < 100 && entries.size() - before < n; ++i) {
            input.getInput();
            sf::sleep(sf::milliseconds(20));
        }
        return Entries(entries.begin() + static_cast<std::ptrdiff_t>(before), entries.end());
    }
    /// Lets the events still on their way arrive and forgets them.
    void settle() {
        for (int i = 0; i < 5; ++i) {
            input.getInput();
            sf::sleep(sf::milliseconds(20));
        }
        entries.clear();
    }

    lm::InputManager& input = lm::InputManager::getInstance();
    Entries entries;
};

TEST_F(InputTest, HeldKeysArePressedOnEveryPassAndEachKeyIsReadAsItsEngineValue) {
    keys({"Left", "Up"}, true);
    EXPECT_EQ(pass(), (Entries{"pressed 6", "pressed 4"})) << "in the table's order";
    EXPECT_EQ(pass(), (Entries{"pressed 6", "pressed 4"}));
    keys({"Left", "Up"}, false);
    EXPECT_EQ(passUntil(2), (Entries{"released -1", "released -1"}));
    EXPECT_EQ(pass(), Entries{});
    keys({"BackSpace", "KP_1", "Alt_L"}, true);
    EXPECT_EQ(pass(), Entries{}) << "keys the engine does not know";
    keys({"BackSpace", "KP_1", "Alt_L"}, false);
    EXPECT_EQ(passUntil(3), Entries(3, "released -1"));
    keys({"a"}, true);
    keys({"a"}, false);
    EXPECT_EQ(passUntil(1), Entries{"released -1"}) << "tapped between passes";

    for (int value = 0; value <= lm::Keyboard::NUM0; ++value) {
        keys({X_NAMES[value]}, true);
        EXPECT_EQ(pass(), Entries{"pressed " + std::to_string(value)}) << X_NAMES[value];
        keys({X_NAMES[value]}, false);
        passUntil(1);
    }
}

TEST_F(InputTest, KeyRepeatIsOffWhileStarted) {
    sf::RenderWindow& game_window = *lm::DisplayManager::getInstance().getWindow();
    // Holds a key for longer than the delay before repeating starts; the presses that came.
    auto presses_while_held = [&game_window](const std::string& key) {
        x::key(key, true);
        sf::sleep(sf::milliseconds(1200));
        x::key(key, false);
        sf::sleep(sf::milliseconds(100));
        int presses = 0;
        for (sf::Event event; game_window.pollEvent(event);) {
            presses += event.type == sf::Event::KeyPressed ? 1 : 0;
        }
        return presses;
    };
    EXPECT_EQ(presses_while_held("a"), 1);
    input.shutDown();
    EXPECT_GT(presses_while_held("b"), 1) << "repeating keys come back after shut-down";
}

TEST_F(InputTest, MouseMovesAndButtonsWithTheDesktopPosition) {
    ASSERT_TRUE(x::moveTo(300, 400));
    const Entries moved = passUntil(1);
    ASSERT_FALSE(moved.empty());
    EXPECT_EQ(moved, Entries(moved.size(), "mouse moved -1 at 0,0"));
    settle();
    ASSERT_TRUE(x::button(1, true));
    EXPECT_EQ(passUntil(2), (Entries{"mouse pressed -1 at 0,0", "mouse pressed 0 at 300,400"}));
    EXPECT_EQ(pass(), Entries{"mouse pressed 0 at 300,400"});
    x::button(3, true);
    x::button(2, true);
    EXPECT_EQ(passUntil(5), (Entries{"mouse pressed -1 at 0,0", "mouse pressed -1 at 0,0",
                                     "mouse pressed 0 at 300,400", "mouse pressed 1 at 300,400",
                                     "mouse pressed 2 at 300,400"}));
    for (int button = 1; button <= 3; ++button) {
        x::button(button, false);
    }
    settle();
    EXPECT_EQ(pass(), Entries{});
}

TEST_F(InputTest, WhileAnotherWindowHasTheFocusOnlyTheWindowsOwnEventsCount) {
    lm::GameManager& game = lm::GameManager::getInstance();
    {
        const x::OtherWindow terminal;
        ASSERT_TRUE(terminal.hasFocus());
        ASSERT_TRUE(x::moveTo(10, 10));  // over the other window
        settle();
        keys({"q", "Up"}, true);
        ASSERT_TRUE(x::button(1, true));
        EXPECT_EQ(passUntil(1), Entries{}) << "typed into the other window";
        keys({"q", "Up"}, false);
        x::button(1, false);
        EXPECT_EQ(passUntil(1), Entries{});
        // The close request is the game window's own.
        ASSERT_TRUE(x::requestClose(window()));
        for (int i = 0; i < 100 && !game.getGameOver(); ++i) {
            pass();
            sf::sleep(sf::milliseconds(20));
        }
        EXPECT_TRUE(game.getGameOver());
        EXPECT_EQ(logLines().back(), "InputManager: window closed, ending the game");
    }
    game.setGameOver(false);
    ASSERT_TRUE(x::focus(window()));
    settle();
    keys({"Up"}, true);
    EXPECT_EQ(passUntil(1), Entries{"pressed 6"}) << "back in the game's window";
    keys({"Up"}, false);
}

}  // namespace
