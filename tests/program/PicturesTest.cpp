// Takes the README's pictures from the real program: the title, the controls, the overworld and
// a battle, and the frames of a short play. Run by scripts/pictures.sh, which names the folder in
// LUMORA_PICTURES and turns the frames into an animated GIF; skipped otherwise.

#include "GameProcess.h"

#include <cstdio>
#include <thread>

namespace lm_test {
namespace {

using namespace std::chrono_literals;

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
    /// The part of the window the game draws on, 60 x 40 cells of 9 x 17 pixels, saved.
    void save(const std::string& path) const {
        sf::Image view;
        view.create(540, 680);
        view.copy(game.screenshot(), 0, 0, sf::IntRect(0, 0, 540, 680));
        ASSERT_TRUE(view.saveToFile(pictures + "/" + path));
    }
    /// A frame of the play every fifth of a second for a while.
    void film(std::chrono::milliseconds how_long) {
        for (const auto end = std::chrono::steady_clock::now() + how_long;
             std::chrono::steady_clock::now() < end; std::this_thread::sleep_for(150ms)) {
            char name[32];
            std::snprintf(name, sizeof name, "frames/frame-%03d.png", frames++);
            save(name);
        }
    }
    std::string pictures;
    int frames = 0;
};

TEST_F(Pictures, OfTheScreensAndOfAShortPlay) {
    save("title.png");
    ASSERT_TRUE(
        game.tapUntil("c", [&](const sf::Image& shown) { return !sameRows(shown, title); }));
    std::this_thread::sleep_for(200ms);
    save("controls.png");
    ASSERT_TRUE(game.tapUntil("x", [&](const sf::Image& shown) { return sameRows(shown, title); }));
    film(1s);
    game.hold("space", 150ms);
    film(500ms);
    save("overworld.png");
    for (const char* key : {"s", "d"}) {
        game.hold(key, 350ms);
        film(300ms);
    }
    game.rolls({1, 7, 0});  // a wizard, attacking every turn
    film(700ms);
    save("battle.png");
    for (int blow = 0; blow < 2; ++blow) {
        game.hold("a", 60ms);
        film(2200ms);
    }
    quit();
}

}  // namespace
}  // namespace lm_test
