#include "ResourceManager.h"

#include "LogManager.h"

#include <algorithm>

namespace lm {

ResourceManager::ResourceManager() : sound_count(0), music_order{}, music_count(0) {
    setType("ResourceManager");
    for (std::size_t i = 0; i < music.size(); ++i) {
        music_order[i] = &music[i];
    }
}

ResourceManager& ResourceManager::getInstance() {
    static ResourceManager instance;
    return instance;
}

int ResourceManager::loadSound(std::string filename, std::string label) {
    const LogManager& log_manager = LogManager::getInstance();
    if (sound_count == MAX_SOUNDS) {
        log_manager.writeLog("ResourceManager: Sound array full");
        return -1;
    }
    Sound& entry = sound[static_cast<std::size_t>(sound_count)];
    if (entry.loadSound(filename) == -1) {
        log_manager.writeLog("ResourceManager: unable to load from file");
        return -1;
    }
    entry.setLabel(label);
    ++sound_count;
    return 0;
}

int ResourceManager::unloadSound(std::string label) {
    Sound* p_found = getSound(label);
    if (p_found == nullptr) {
        return 0;
    }
    const auto last = static_cast<std::size_t>(sound_count - 1);
    for (auto i = static_cast<std::size_t>(p_found - sound.data()); i < last; ++i) {
        sound[i].assignFrom(sound[i + 1]);
    }
    --sound_count;
    return 0;
}

Sound* ResourceManager::getSound(std::string label) {
    for (int i = 0; i < sound_count; ++i) {
        if (sound[static_cast<std::size_t>(i)].getLabel() == label) {
            return &sound[static_cast<std::size_t>(i)];
        }
    }
    return nullptr;
}

int ResourceManager::loadMusic(std::string filename, std::string label) {
    const LogManager& log_manager = LogManager::getInstance();
    if (music_count == MAX_MUSICS) {
        log_manager.writeLog("ResourceManager: music array full");
        return -1;
    }
    Music& entry = *music_order[static_cast<std::size_t>(music_count)];
    if (entry.loadMusic(filename) == -1) {
        log_manager.writeLog("ResourceManager: unable to load from file");
        return -1;
    }
    entry.setLabel(label);
    ++music_count;
    return 0;
}

int ResourceManager::unloadMusic(std::string label) {
    const int position = findMusic(label);
    if (position == -1) {
        return 0;
    }
    // The freed entry goes behind the tracks in use, where the next load finds it.
    const auto first = music_order.begin() + position;
    const auto end = music_order.begin() + music_count;
    (*first)->setLabel("");
    std::rotate(first, first + 1, end);
    --music_count;
    return 0;
}

Music* ResourceManager::getMusic(std::string label) {
    const int position = findMusic(label);
    if (position == -1) {
        return nullptr;
    }
    return music_order[static_cast<std::size_t>(position)];
}

int ResourceManager::findMusic(const std::string& label) const {
    for (int position = 0; position < music_count; ++position) {
        if (music_order[static_cast<std::size_t>(position)]->getLabel() == label) {
            return position;
        }
    }
    return -1;
}

}  // namespace lm
