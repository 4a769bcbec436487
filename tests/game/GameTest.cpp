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
    rolls({0});
    lm::WorldManager& world_manager = lm::WorldManager::getInstance();
    world_manager.setBoundary(lm::Box(lm::Vector(0, 0), 60, 80));
    world_manager.setView(lm::Box(lm::Vector(0, 0), 60, 40));
    for (const GameResource& resource : GAME_RESOURCES) {
        ASSERT_EQ(resource.load(sourcePath("")), 0) << resource.file;
    }
    lm::ResourceManager& resources = lm::ResourceManager::getInstance();
    writeTone("tone.wav", 0.1f);
    resources.unloadMusic("combat-music");
    ASSERT_EQ(resources.loadMusic("tone.wav", "combat-music"), 0);
}

void GameTest::TearDown() {
    lm::GameManager::getInstance().setGameOver(false);
    EngineTest::TearDown();
}

void GameTest::rolls(const std::vector<int>& values) const {
    writeRandScript(scratch.path() + "/rand.txt", values);
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
    const lm::EventStep event;
    lm::WorldManager::getInstance().onEvent(&event);
    update();
}

void GameTest::clearWorld(const lm::Object* p_keep) {
    for (lm::Object* p_object : lm::WorldManager::getInstance().getAllObjects()) {
        if (p_object != p_keep) {
            lm::WorldManager::getInstance().markForDelete(p_object);
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

bool GameTest::soundPlaying() {
    lm::Sound* p_sound = lm::ResourceManager::getInstance().getSound("attack-fx");
    return p_sound != nullptr && p_sound->getStatus() == sf::SoundSource::Playing;
}

}  // namespace lm_test
