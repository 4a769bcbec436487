#pragma once

#include "Constants.h"
#include "Music.h"
#include "ResourceTable.h"
#include "Sound.h"
#include "SpriteResourceManager.h"

#include <string>

namespace lm {

/// The engine's single store of loaded resources: the sprites of the sprite store, and fixed
/// tables of sound effects and music tracks found by label.
class ResourceManager : public SpriteResourceManager {
public:
    static ResourceManager& getInstance();

    /// Unloads every sound and music track, giving their voices back to the audio library, and
    /// stops the sprite store.
    void shutDown() override;

    /// Loads a sound effect under a label. -1 when the table is full ("ResourceManager: Sound
    /// array full"), the audio library has no voice left, or the file cannot be read
    /// ("ResourceManager: unable to load from file").
    int loadSound(std::string filename, std::string label);

    /// Removes the first sound with that label, freeing its voice; later sounds move down,
    /// keeping their samples. Always 0.
    int unloadSound(std::string label);

    /// The first sound with that label, or null. Valid until a sound is unloaded.
    Sound* getSound(std::string label);

    /// Opens a music track under a label. -1 when the table is full ("ResourceManager: music array
    /// full"), the audio library has no voice left, or the file cannot be opened
    /// ("ResourceManager: unable to load from file").
    int loadMusic(std::string filename, std::string label);

    /// Removes the first track with that label, stopping it and freeing its voice; later tracks
    /// move down. Always 0.
    int unloadMusic(std::string label);

    /// The first track with that label, or null. Valid until a track is unloaded.
    Music* getMusic(std::string label);

private:
    ResourceManager();

    ResourceTable<Sound, MAX_SOUNDS> sound;  // the sound effects
    ResourceTable<Music, MAX_MUSICS> music;  // the music tracks
};

}  // namespace lm
