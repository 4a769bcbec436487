#include "ResourceManager.h"

#include "AudioDevice.h"
#include "LogManager.h"

#include <utility>

namespace lm {

namespace {

/// Loads a file into the next entry of a table, with its entry's own load operation; the message
/// for a full table is the table's.
template <typename Entry, int CAPACITY>
int loadInto(ResourceTable<Entry, CAPACITY>& table, int (Entry::*load)(std::string),
             std::string filename, std::string label, const char* full_message) {
    const LogManager& log_manager = LogManager::getInstance();
    if (table.isFull()) {
        log_manager.writeLog(full_message);
        return -1;
    }
    if (audio_device::available() && !audio_device::hasFreeVoice()) {
        log_manager.writeLog("ResourceManager: no audio voice left for '%s'", filename.c_str());
        return -1;
    }
    if ((table.next().*load)(std::move(filename)) == -1) {
        log_manager.writeLog("ResourceManager: unable to load from file");
        return -1;
    }
    table.add(std::move(label));
    return 0;
}

}  // namespace

ResourceManager::ResourceManager() {
    setType("ResourceManager");
}

ResourceManager& ResourceManager::getInstance() {
    static ResourceManager instance;
    return instance;
}

void ResourceManager::shutDown() {
    // Nothing of the audio library may be left for the program's exit, when the library's own
    // device may be gone before the tables.
    sound.clear();
    music.clear();
    SpriteResourceManager::shutDown();
}

int ResourceManager::loadSound(std::string filename, std::string label) {
    return loadInto(sound, &Sound::loadSound, std::move(filename), std::move(label),
                    "ResourceManager: Sound array full");
}

int ResourceManager::unloadSound(std::string label) {
    sound.remove(label);
    return 0;
}

Sound* ResourceManager::getSound(std::string label) {
    return sound.find(label);
}

int ResourceManager::loadMusic(std::string filename, std::string label) {
    return loadInto(music, &Music::loadMusic, std::move(filename), std::move(label),
                    "ResourceManager: music array full");
}

int ResourceManager::unloadMusic(std::string label) {
    music.remove(label);
    return 0;
}

Music* ResourceManager::getMusic(std::string label) {
    return music.find(label);
}

}  // namespace lm
