#include "engine/InputManager.h"

#include "FakeInput.h"
#include "TestSupport.h"
#include "engine/DisplayManager.h"
#include "engine/EventKeyboard.h"
#include "engine/EventMouse.h"
#include "engine/GameManager.h"

#include <SFML/System/Sleep.hpp>
#include <SFML/Window/Event.hpp>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::string>;

/// Writes down every keyboard and mouse event it receives: "pressed 6", "released -1",
/// "mouse pressed 0 at 300,400"...
class InputLog : public lm::Object {
public:
    explicit InputLog(Entries& init_entries) : entries(init_entries) {}

    int eventHandler(const lm::Event* p_event) override {
        if (p_event->getType() == lm::KEYBOARD_EVENT) {
            const auto* p_key = static_cast<const lm::EventKeyboard*>(p_event);
            entries.push_back(
                (p_key->getKeyboardAction() == lm::KEY_PRESSED ? "pressed " : "released ") +
                std::to_string(p_key->getKey()));
            return 1;
        }
        if (p_event->getType() == lm::MOUSE_EVENT) {
            const auto* p_mouse = static_cast<const lm::EventMouse*>(p_event);
            const char* action = p_mouse->getMouseAction() == lm::MOVED ? "moved " : "pressed ";
            entries.push_back(
                "mouse " + std::string(action) + std::to_string(p_mouse->getMouseButton()) +
                " at " + std::to_string(static_cast<int>(p_mouse->getMousePosition().getX())) +
                "," + std::to_string(static_cast<int>(p_mouse->getMousePosition().getY())));
            return 1;
        }
        return 0;
    }

private:
    Entries& entries;
};

int count(const Entries& entries, const std::string& entry) {
    return static_cast<int>(std::count(entries.begin(), entries.end(), entry));
}

class InputManagerTest : public lm_test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_EQ(input.startUp(), 0);
        new InputLog(entries);
        ASSERT_TRUE(lm_test::fake_input::focus(
            lm::DisplayManager::getInstance().getWindow()->getSystemHandle()));
        settle();
    }

    void TearDown() override {
        input.shutDown();
        WindowTest::TearDown();
    }

    static void press(std::initializer_list<std::string> keys) {
        for (const std::string& key : keys) {
            ASSERT_TRUE(lm_test::fake_input::key(key, true)) << key;
        }
    }

    static void release(std::initializer_list<std::string> keys) {
        for (const std::string& key : keys) {
            ASSERT_TRUE(lm_test::fake_input::key(key, false)) << key;
        }
    }

    /// One pass of input reading; returns the entries it added.
    Entries pass() {
        const std::size_t before = entries.size();
        input.getInput();
        return Entries(entries.begin() + static_cast<std::ptrdiff_t>(before), entries.end());
    }

    /// Passes 20 ms apart until the entries number at least n (or two seconds have gone); returns
    /// what they added.
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

TEST_F(InputManagerTest, HeldKeysArePressedOnEveryPassInTableOrder) {
    press({"Left", "Up"});
    EXPECT_EQ(pass(), (Entries{"pressed 6", "pressed 4"}));
    EXPECT_EQ(pass(), (Entries{"pressed 6", "pressed 4"}));

    release({"Left", "Up"});
    EXPECT_EQ(passUntil(2), (Entries{"released -1", "released -1"}));
    EXPECT_EQ(pass(), Entries{});
}

TEST_F(InputManagerTest, EveryKeyOfTheTableIsReadAsItsEngineValue) {
    std::vector<std::pair<std::string, int>> keys = {
        {"space", lm::Keyboard::SPACE},
        {"Return", lm::Keyboard::RETURN},
        {"Escape", lm::Keyboard::ESCAPE},
        {"Tab", lm::Keyboard::TAB},
        {"Left", lm::Keyboard::LEFTARROW},
        {"Right", lm::Keyboard::RIGHTARROW},
        {"Up", lm::Keyboard::UPARROW},
        {"Down", lm::Keyboard::DOWNARROW},
        {"Pause", lm::Keyboard::PAUSE},
        {"KP_Subtract", lm::Keyboard::MINUS},
        {"KP_Add", lm::Keyboard::PLUS},
        {"grave", lm::Keyboard::TILDE},
        {"period", lm::Keyboard::PERIOD},
        {"comma", lm::Keyboard::COMMA},
        {"slash", lm::Keyboard::SLASH},
        {"Control_L", lm::Keyboard::LEFTCONTROL},
        {"Control_R", lm::Keyboard::RIGHTCONTROL},
        {"Shift_L", lm::Keyboard::LEFTSHIFT},
        {"Shift_R", lm::Keyboard::RIGHTSHIFT},
        {"0", lm::Keyboard::NUM0},
    };
    for (int i = 0; i < 12; ++i) {
        keys.emplace_back("F" + std::to_string(i + 1), lm::Keyboard::F1 + i);
    }
    for (int i = 0; i < 26; ++i) {
        keys.emplace_back(std::string(1, static_cast<char>('a' + i)), lm::Keyboard::A + i);
    }
    for (int i = 0; i < 9; ++i) {
        keys.emplace_back(std::to_string(i + 1), lm::Keyboard::NUM1 + i);
    }
    ASSERT_EQ(keys.size(), 67u);

    for (const auto& [name, value] : keys) {
        press({name});
        EXPECT_EQ(pass(), Entries{"pressed " + std::to_string(value)}) << name;
        release({name});
        passUntil(1);
    }
}

TEST_F(InputManagerTest, KeysOutsideTheTableAreNotRead) {
    press({"BackSpace", "KP_1", "Delete", "Alt_L"});
    EXPECT_EQ(pass(), Entries{});
    release({"BackSpace", "KP_1", "Delete", "Alt_L"});
    EXPECT_EQ(passUntil(4), Entries(4, "released -1"));
}

TEST_F(InputManagerTest, AKeyTappedBetweenPassesIsOnlyReleased) {
    press({"a"});
    release({"a"});
    EXPECT_EQ(passUntil(1), Entries{"released -1"});
}

TEST_F(InputManagerTest, KeyRepeatIsOffWhileStarted) {
    sf::RenderWindow& window = *lm::DisplayManager::getInstance().getWindow();
    // Holds a key for longer than the delay before repeating starts, then counts the presses that
    // reached the window.
    auto presses_while_held = [&window](const std::string& key) {
        lm_test::fake_input::key(key, true);
        sf::sleep(sf::milliseconds(1200));
        lm_test::fake_input::key(key, false);
        sf::sleep(sf::milliseconds(100));
        int presses = 0;
        for (sf::Event event; window.pollEvent(event);) {
            presses += event.type == sf::Event::KeyPressed ? 1 : 0;
        }
        return presses;
    };
    EXPECT_EQ(presses_while_held("a"), 1);
    input.shutDown();
    EXPECT_GT(presses_while_held("b"), 1) << "repeating keys come back after shut-down";
}

TEST_F(InputManagerTest, MouseMovesAndButtonsWithTheDesktopPosition) {
    ASSERT_TRUE(lm_test::fake_input::moveTo(300, 400));
    const Entries moved = passUntil(1);
    ASSERT_FALSE(moved.empty());
    EXPECT_EQ(count(moved, "mouse moved -1 at 0,0"), static_cast<int>(moved.size()));
    settle();

    ASSERT_TRUE(lm_test::fake_input::button(1, true));
    EXPECT_EQ(passUntil(2), (Entries{"mouse pressed -1 at 0,0", "mouse pressed 0 at 300,400"}));
    EXPECT_EQ(pass(), Entries{"mouse pressed 0 at 300,400"});
    lm_test::fake_input::button(3, true);
    lm_test::fake_input::button(2, true);
    EXPECT_EQ(passUntil(5), (Entries{"mouse pressed -1 at 0,0", "mouse pressed -1 at 0,0",
                                     "mouse pressed 0 at 300,400", "mouse pressed 1 at 300,400",
                                     "mouse pressed 2 at 300,400"}));
    for (int button = 1; button <= 3; ++button) {
        lm_test::fake_input::button(button, false);
    }
    settle();
    EXPECT_EQ(pass(), Entries{});
}

TEST_F(InputManagerTest, NothingHeldIsReadWhileAnotherWindowHasTheFocus) {
    {
        const lm_test::fake_input::OtherWindow terminal;
        ASSERT_TRUE(terminal.hasFocus());
        ASSERT_TRUE(lm_test::fake_input::moveTo(10, 10));  // over the other window
        settle();
        press({"q", "Up"});
        ASSERT_TRUE(lm_test::fake_input::button(1, true));
        EXPECT_EQ(passUntil(1), Entries{}) << "typed into the other window";
        release({"q", "Up"});
        lm_test::fake_input::button(1, false);
        EXPECT_EQ(passUntil(1), Entries{});
    }
    ASSERT_TRUE(lm_test::fake_input::focus(
        lm::DisplayManager::getInstance().getWindow()->getSystemHandle()));
    settle();
    press({"Up"});
    EXPECT_EQ(passUntil(1), Entries{"pressed 6"}) << "back in the game's window";
    release({"Up"});
}

TEST_F(InputManagerTest, ClosingTheWindowEndsTheGame) {
    lm::GameManager& game = lm::GameManager::getInstance();
    ASSERT_FALSE(game.getGameOver());
    // Even while another window has the focus: the request is the game window's own.
    const lm_test::fake_input::OtherWindow terminal;
    ASSERT_TRUE(terminal.hasFocus());
    ASSERT_TRUE(lm_test::fake_input::requestClose(
        lm::DisplayManager::getInstance().getWindow()->getSystemHandle()));
    for (int i = 0; i < 100 && !game.getGameOver(); ++i) {
        input.getInput();
        sf::sleep(sf::milliseconds(20));
    }
    EXPECT_TRUE(game.getGameOver());
    EXPECT_EQ(logLines().back(), "InputManager: window closed, ending the game");
}

}  // namespace
