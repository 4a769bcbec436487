#include "GameTest.h"

#include "engine/EventKeyboard.h"
#include "engine/EventStep.h"
#include "engine/GameManager.h"
#include "engine/ResourceManager.h"
#include "engine/ViewObject.h"
#include "game/GameResource.h"

#include <cstdlib>

namespace lm_test {

void GameTest::SetUp() {
    EngineTest::SetUp();
    setenv("LUMORA_RAND_FILE", (scratch.path() + "/rand.txt").c_str(), 1);
    setenv("LUMORA_RAND_CALLS", (scratch.path() + "/rand-calls.txt").c_str(), 1);
    rolls({0});
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    world_manager.setBoundary(lm::Box(lm::Vector(0, 0), 60, 80));
    world_manager.setView(lm::Box(lm::Vector(0, 0), 60, 40));
    for (const GameResource& resource : GAME_RESOURCES) {
        ASSERT_EQ(resource.load(sourcePath("")), 0) << resource.file;
    }
}

void GameTest::TearDown() {
    lm::GameManager::getInstance().setGameOver(false);
    EngineTest::TearDown();
}

void GameTest::rolls(const std::vector<int>& values) const {
    writeRandScript(scratch.path() + "/rand.txt", values);
}

std::size_t GameTest::rollsTaken() const {
    return readRandCalls(scratch.path() + "/rand-calls.txt").size();
}

void GameTest::press(lm::Keyboard::Key key) {
    lm::EventKeyboard event;
    event.setKey(key);
    event.setKeyboardAction(lm::KEY_PRESSED);
    lm::WorldManager::getInstance().onEvent(&event);
}

void GameTest::release() {
    lm::EventKeyboard event;
    event.setKeyboardAction(lm::KEY_RELEASED);
    lm::WorldManager::getInstance().onEvent(&event);
}

void GameTest::step() {
    lm::EventStep event;
    lm::WorldManager::getInstance().onEvent(&event);
    update();
}

void GameTest::update() {
    lm::WorldManager::getInstance().update();
}

void GameTest::clearWorld(const lm::Object* p_keep) {
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    for (lm::Object* p_object : world_manager.getAllObjects()) {
        if (p_object != p_keep) {
            world_manager.markForDelete(p_object);
        }
    }
    update();
}

std::vector<std::string> GameTest::types() {
    std::vector<std::string> result;
    for (const lm::Object* p_object : lm::WorldManager::getInstance().getAllObjects()) {
        result.push_back(p_object->getType());
    }
    return result;
}

int GameTest::count(const std::string& type) {
    return static_cast<int>(lm::WorldManager::getInstance().objectsOfType(type).size());
}

lm::Object* GameTest::find(const std::string& type) {
    const lm::ObjectList objects = lm::WorldManager::getInstance().objectsOfType(type);
    return objects.empty() ? nullptr : objects.front();
}

int GameTest::shown(const std::string& type) {
    const auto* p_view = dynamic_cast<lm::ViewObject*>(find(type));
    return p_view == nullptr ? -1000 : p_view->getValue();
}

std::string GameTest::message() {
    const lm::ObjectList logs = lm::WorldManager::getInstance().objectsOfType("EventLog");
    return logs.size() == 1 ? static_cast<lm::ViewObject*>(logs.front())->getViewString()
                            : std::to_string(logs.size()) + " messages";
}

bool GameTest::musicPlaying() {
    lm::Music* p_music = lm::ResourceManager::getInstance().getMusic("combat-music");
    return p_music != nullptr && p_music->getStatus() == sf::SoundSource::Playing;
}

}  // namespace lm_test
