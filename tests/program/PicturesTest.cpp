// Takes the README's pictures from the real program: screenshots of the title, the controls, the
// overworld and a battle, and the frames of a short play. Run by scripts/pictures.sh, which names
// the folder in LUMORA_PICTURES and turns the frames into an animated GIF; skipped otherwise.

#include "GameProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace lm_test {
namespace {

using namespace std::chrono_literals;

/// The part of the window the game draws on: 60 x 40 cells of 9 x 17 pixels.
sf::Image viewOf(const sf::Image& window) {
    sf::Image view;
    view.create(540, 680);
    view.copy(window, 0, 0, sf::IntRect(0, 0, 540, 680));
    return view;
}

class Pictures : public ProgramTest {
protected:
    void SetUp() override {
        const char* folder = std::getenv("LUMORA_PICTURES");
        if (folder == nullptr) {
            GTEST_SKIP() << "pictures are taken by scripts/pictures.sh";
        }
        pictures = folder;
        ProgramTest::SetUp();
    }

    void save(const std::string& name) const {
        ASSERT_TRUE(viewOf(game.screenshot()).saveToFile(pictures + "/" + name + ".png"));
    }

    /// Keeps a frame of the play every fifth of a second for a while.
    void film(std::chrono::milliseconds how_long) {
        const auto end = std::chrono::steady_clock::now() + how_long;
        while (std::chrono::steady_clock::now() < end) {
            char name[32];
            std::snprintf(name, sizeof name, "/frame-%03d.png", frames++);
            viewOf(game.screenshot()).saveToFile(pictures + "/frames" + name);
            std::this_thread::sleep_for(150ms);
        }
    }

    std::string pictures;
    int frames = 0;
};

TEST_F(Pictures, OfTheScreensAndOfAShortPlay) {
    save("title");
    ASSERT_TRUE(game.tapUntil(
        "c", [&](const sf::Image& shown) { return !sameRows(shown, title, 0, 1000); }));
    std::this_thread::sleep_for(200ms);
    save("controls");
    ASSERT_TRUE(game.tapUntil(
        "x", [&](const sf::Image& shown) { return sameRows(shown, title, 0, 1000); }));

    film(1s);
    game.hold("space", 150ms);
    film(500ms);
    save("overworld");
    game.keyDown("s");
    film(400ms);
    game.keyUp("s");
    game.keyDown("d");
    film(300ms);
    game.keyUp("d");
    film(500ms);
    game.scriptRand({1, 7, 0});  // a wizard, attacking every turn
    film(700ms);
    save("battle");
    for (int blow = 0; blow < 2; ++blow) {
        game.hold("a", 60ms);
        film(2200ms);
    }
    quit();
}

}  // namespace
}  // namespace lm_test
