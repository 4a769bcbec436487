#include "GameResource.h"
#include "StartScreen.h"
#include "engine/AudioDevice.h"
#include "engine/Box.h"
#include "engine/DisplayManager.h"
#include "engine/GameManager.h"
#include "engine/LogManager.h"
#include "engine/Vector.h"
#include "engine/WorldManager.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

/// Loads every picture and sound of the game under the label the game knows it by. A file that
/// cannot be loaded is reported in the log and the game goes on without it.
void loadResources() {
    for (const GameResource& resource : GAME_RESOURCES) {
        resource.load();
    }
}

}  // namespace

int main() {
    const bool audio = lm::audio_device::available();
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
    lm::LogManager& log_manager = lm::LogManager::getInstance();
    if (!log_manager.isOpen()) {
        std::fputs(
            "lumora: cannot write the log file lumora.log in this folder; the game runs "
            "without a log.\n",
            stderr);
    }
    // Started from a folder without the game's data, it could only show a black window.
    if (!std::filesystem::is_directory("sprites") && !std::filesystem::exists("lm-font.ttf")) {
        const std::string folder = std::filesystem::current_path().string();
        const char* const message =
            "lumora: the game's data is not in this folder (%s): it needs sprites/, sounds/ and "
            "lm-font.ttf. Start the game with the lumora launcher, or from its data folder.";
        log_manager.writeLog(message, folder.c_str());
        std::fprintf(stderr, message, folder.c_str());
        std::fputc('\n', stderr);
        game_manager.shutDown();
        return 1;
    }
    if (!audio) {
        log_manager.writeLog("lumora: no audio device answers: the game runs without sound.");
        std::fputs("lumora: no audio device answers: the game runs without sound.\n", stderr);
    }
    lm::WorldManager::getInstance().setView(lm::Box(lm::Vector(0, 0), 60, 40));
    loadResources();
    new StartScreen;
    game_manager.run();
    game_manager.shutDown();
    return 0;
}
