#include "engine/Box.h"
#include "engine/Constants.h"
#include "engine/DisplayManager.h"
#include "engine/Event.h"
#include "engine/GameManager.h"
#include "engine/LogManager.h"
#include "engine/Object.h"
#include "engine/Vector.h"
#include "engine/WorldManager.h"

#include <cstdio>

namespace {

/// Until the game's own screens exist, the program runs the engine's loop for a few seconds and
/// ends it cleanly: this object counts the steps and sets game over after the last.
class Countdown : public lm::Object {
public:
    explicit Countdown(int init_steps_left) : steps_left(init_steps_left) {
        setType("Countdown");
        setSolidness(lm::INTANGIBLE);
    }

    int eventHandler(const lm::Event* p_event) override {
        if (p_event->getType() != lm::STEP_EVENT) {
            return 0;
        }
        if (--steps_left <= 0) {
            lm::GameManager::getInstance().setGameOver(true);
        }
        return 1;
    }

private:
    int steps_left;  // steps until game over
};

}  // namespace

int main() {
    lm::GameManager& game_manager = lm::GameManager::getInstance();
    game_manager.startUp();
    if (lm::DisplayManager::getInstance().getWindow() == nullptr) {
        std::fputs(
            "lumora: cannot open the game window: no display is available.\n"
            "Start it from a desktop session, or under a virtual display such as Xvfb.\n",
            stderr);
        game_manager.shutDown();
        return 1;
    }
    lm::WorldManager::getInstance().setView(lm::Box(lm::Vector(0, 0), 60, 40));

    constexpr int kSteps = 90;  // about three seconds at 33 ms a step
    new Countdown(kSteps);
    game_manager.run();

    game_manager.shutDown();
    return 0;
}
