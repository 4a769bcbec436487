#pragma once

#include "Constants.h"
#include "Music.h"
#include "Sound.h"
#include "SpriteResourceManager.h"

#include <array>
#include <string>

namespace lm {

/// The engine's single store of loaded resources: the sprites of the sprite store, and fixed
/// tables of sound effects and music tracks found by label. Sounds and music stay loaded for the
/// whole run; startUp and shutDown leave them alone.
class ResourceManager : public SpriteResourceManager {
public:
    static ResourceManager& getInstance();

    /// Loads a sound effect under a label. -1 when the table is full ("ResourceManager: Sound
    /// array full") or the file cannot be read ("ResourceManager: unable to load from file").
    int loadSound(std::string filename, std::string label);

    /// Removes the first sound with that label; later sounds move down, keeping their samples.
    /// Always 0.
    int unloadSound(std::string label);

    /// The first sound with that label, or null.
    Sound* getSound(std::string label);

    /// Opens a music track under a label. -1 when the table is full ("ResourceManager: music array
    /// full") or the file cannot be opened ("ResourceManager: unable to load from file").
    int loadMusic(std::string filename, std::string label);

    /// Removes the first track with that label; it is not stopped. Every other track stays where
    /// it is and reachable. Always 0.
    int unloadMusic(std::string label);

    /// The first track with that label, or null. The pointer stays valid for the whole run.
    Music* getMusic(std::string label);

private:
    ResourceManager();

    /// Position in music_order of the first track in use with that label, or -1.
    int findMusic(const std::string& label) const;

    std::array<Sound, MAX_SOUNDS> sound;         // dense from index 0
    int sound_count;                             // entries of sound in use
    std::array<Music, MAX_MUSICS> music;         // tracks cannot be copied, so they never move...
    std::array<Music*, MAX_MUSICS> music_order;  // ...and these point at them: the first
                                                 // music_count are the tracks in use, in load order
    int music_count;
};

}  // namespace lm
