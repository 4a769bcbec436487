#pragma once

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <memory>
#include <string>

namespace lm {

/// A sound effect under a label: its samples, decoded whole into memory, and the voice that plays
/// them. The voice, one of the few the audio library has, exists only while the sound is loaded
/// and there is an audio device; without one the sound plays nothing.
class Sound {
public:
    Sound();
    ~Sound();
    Sound(Sound&& other) noexcept;
    Sound& operator=(Sound&& other) noexcept;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    /// Reads and decodes the file, and takes a voice for it when there is an audio device; -1,
    /// leaving the sound as it was, when the file cannot be read.
    int loadSound(std::string filename);

    std::string getLabel() const;
    void setLabel(std::string new_label);

    /// Starts playing from the beginning, repeating until stopped when loop is true.
    void play(bool loop);
    void stop();

    sf::SoundSource::Status getStatus() const;

    /// A copy of the voice, bound to this sound's samples (a voice bound to nothing when the
    /// sound has none).
    sf::Sound getSound() const;

private:
    std::unique_ptr<sf::Sound> sound;               // the voice, bound to sound_buffer; or null
    std::unique_ptr<sf::SoundBuffer> sound_buffer;  // the decoded samples; null until loaded
    std::string label;                              // empty until loaded
};

}  // namespace lm
