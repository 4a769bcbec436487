#pragma once

#include <SFML/Audio/Music.hpp>

#include <memory>
#include <string>

namespace lm {

/// A music track under a label, streamed from its file while it plays. Its voice, one of the few
/// the audio library has, exists only while the track is loaded and there is an audio device;
/// without one the track plays nothing.
class Music {
public:
    Music();
    Music(Music&& other) noexcept;
    Music& operator=(Music&& other) noexcept;
    ~Music();

    /// Opens the file for streaming, and takes a voice for it when there is an audio device; -1
    /// when it cannot be opened.
    int loadMusic(std::string filename);

    std::string getLabel() const;
    void setLabel(std::string new_label);

    /// Starts playing, repeating until stopped when loop is true.
    void play(bool loop);
    void stop();

    sf::SoundSource::Status getStatus() const;

private:
    std::unique_ptr<sf::Music> music;  // the stream with its voice; or null
    std::string label;                 // empty until loaded
};

}  // namespace lm
