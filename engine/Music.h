#pragma once

#include <SFML/Audio/Music.hpp>

#include <string>

namespace lm {

/// A music track under a label, streamed from its file while it plays.
class Music {
public:
    Music();
    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    /// Opens the file for streaming; -1 when it cannot be opened.
    int loadMusic(std::string filename);

    std::string getLabel() const;
    void setLabel(std::string new_label);

    /// Starts playing, repeating until stopped when loop is true.
    void play(bool loop);
    void stop();

    sf::SoundSource::Status getStatus() const;

private:
    sf::Music music;    // the stream
    std::string label;  // empty until loaded
};

}  // namespace lm
