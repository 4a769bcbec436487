// A lantern to carry around a window: the smallest game on the installed Lumora engine. It runs in
// the folder that holds lm-font.ttf and sprites/lantern.txt (its build folder), and writes
// lumora.log there.
#include "Lantern.h"

#include <cstdio>
#include <lumora/Box.h>
#include <lumora/DisplayManager.h>
#include <lumora/GameManager.h>
#include <lumora/LogManager.h>
#include <lumora/ResourceManager.h>
#include <lumora/Vector.h>
#include <lumora/Version.h>
#include <lumora/WorldManager.h>

int main() {
    lm::GameManager& game_manager = lm::GameManager::getInstance();
    game_manager.startUp();
    if (lm::DisplayManager::getInstance().getWindow() == nullptr) {
        std::fputs("lantern: no display to open a window on\n", stderr);
        game_manager.shutDown();
        return 1;
    }
    lm::LogManager& log_manager = lm::LogManager::getInstance();
    log_manager.setFlush(true);  // each line is in the file as soon as it is written
    log_manager.writeLog("Lantern: on Lumora %s", lm::VERSION_STRING);
    lm::WorldManager::getInstance().setView(lm::Box(lm::Vector(0, 0), 60, 40));
    if (lm::ResourceManager::getInstance().loadSprite("sprites/lantern.txt", "lantern") != 0) {
        std::fputs("lantern: cannot load sprites/lantern.txt; see lumora.log\n", stderr);
        game_manager.shutDown();
        return 1;
    }
    new Lantern;
    game_manager.run();
    game_manager.shutDown();
    return 0;
}
