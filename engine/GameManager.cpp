#include "GameManager.h"

#include "Box.h"
#include "Clock.h"
#include "Constants.h"
#include "DisplayManager.h"
#include "EventStep.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Platform.h"
#include "ResourceManager.h"
#include "WorldManager.h"

#include <algorithm>

namespace lm {

namespace {

/// The most time the loop makes up for. An overrun of a few milliseconds is taken off the next
/// sleeps; after a long stall (the machine suspended, the process stopped) the game would
/// otherwise run flat out until the whole stall is made up.
constexpr int MAX_CARRIED_FRAMES = 3;

}  // namespace

GameManager::GameManager() : game_over(false), frame_time(FRAME_TIME_DEFAULT) {
    setType("GameManager");
}

GameManager& GameManager::getInstance() {
    static GameManager instance;
    return instance;
}

int GameManager::startUp() {
    Manager::startUp();
    LogManager::getInstance().startUp();
    WorldManager::getInstance().startUp();
    DisplayManager& display_manager = DisplayManager::getInstance();
    display_manager.startUp();
    InputManager::getInstance().startUp();  // needs the display started
    ResourceManager::getInstance().startUp();
    platform::beginTimerResolution();
    platform::catchStopSignals();
    WorldManager::getInstance().setBoundary(Box(Vector(0, 0),
                                                static_cast<float>(display_manager.getHorizontal()),
                                                static_cast<float>(display_manager.getVertical())));
    return 0;
}

void GameManager::shutDown() {
    ResourceManager::getInstance().shutDown();
    InputManager::getInstance().shutDown();  // while the window still exists
    DisplayManager::getInstance().shutDown();
    WorldManager::getInstance().shutDown();  // destructors may still write to the log
    LogManager::getInstance().shutDown();
    game_over = true;
    platform::endTimerResolution();
    platform::endStopSignals();
    Manager::shutDown();
}

void GameManager::run() {
    // Kept in microseconds: whole milliseconds would lose up to a millisecond of every pass's
    // work and sleep, and the passes would run slow by about that much.
    const int frame_time_us = frame_time * 1000;
    Clock clock;
    int adjust_time = 0;  // microseconds of earlier overruns still to take off the sleeps
    while (!game_over) {
        clock.lap();

        const EventStep step;
        onEvent(&step);
        InputManager::getInstance().getInput();
        WorldManager& world_manager = WorldManager::getInstance();
        world_manager.update();
        world_manager.draw();
        DisplayManager::getInstance().swapBuffers();

        const int loop_time = clock.elapsed();
        const int sleep_time = frame_time_us - loop_time - adjust_time;
        clock.lap();
        if (sleep_time > 0) {
            // Rounded up: the part of a millisecond slept too long is carried like any oversleep.
            platform::sleepMilliseconds((sleep_time + 999) / 1000);
        }
        const int actual_sleep_time = clock.elapsed();
        // Time lost (work over the frame time, or a sleep that lasted too long) is made up in the
        // next passes; time gained is never carried.
        adjust_time =
            std::clamp(actual_sleep_time - sleep_time, 0, MAX_CARRIED_FRAMES * frame_time_us);

        if (const char* p_signal = platform::stopSignal(); p_signal != nullptr && !game_over) {
            LogManager::getInstance().writeLog("GameManager: %s received, ending the game",
                                               p_signal);
            game_over = true;
        }
    }
    LogManager::getInstance().writeLog("GameManager: run ended");
}

void GameManager::setGameOver(bool new_game_over) {
    game_over = new_game_over;
}

bool GameManager::getGameOver() const {
    return game_over;
}

int GameManager::getFrameTime() const {
    return frame_time;
}

}  // namespace lm
