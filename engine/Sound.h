#pragma once

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <string>

namespace lm {

/// A sound effect under a label: its samples, decoded whole into memory, and the voice that plays
/// them.
class Sound {
public:
    Sound();
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    /// Reads and decodes the file; -1, leaving the sound as it was, when it cannot be read.
    int loadSound(std::string filename);

    /// Takes a copy of the other sound's samples and label; the voice is this sound's own.
    void assignFrom(const Sound& other);

    std::string getLabel() const;
    void setLabel(std::string new_label);

    /// Starts playing from the beginning, repeating until stopped when loop is true.
    void play(bool loop);
    void stop();

    sf::SoundSource::Status getStatus() const;

    /// A copy of the voice, bound to this sound's samples.
    sf::Sound getSound() const;

private:
    sf::Sound sound;               // the voice, bound to sound_buffer once loaded
    sf::SoundBuffer sound_buffer;  // the decoded samples
    std::string label;             // empty until loaded
};

}  // namespace lm
