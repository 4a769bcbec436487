#include "AudioDevice.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Err.hpp>

#include <AL/al.h>
#include <AL/alc.h>
#include <sstream>
#include <vector>

namespace lm::audio_device {

bool available() {
    // The audio library reports every failure on its error stream, from "Failed to open the audio
    // device" to each call that cannot work without one: a probe that makes it say anything has
    // found no working device. The probe holds no voice.
    static const bool answers = [] {
        std::ostringstream complaints;
        std::streambuf* p_errors = sf::err().rdbuf(complaints.rdbuf());
        {
            const std::vector<sf::Int16> silence(2205, 0);
            sf::SoundBuffer buffer;
            buffer.loadFromSamples(silence.data(), silence.size(), 1, 22050);
        }
        sf::err().rdbuf(p_errors);
        return complaints.str().empty();
    }();
    return answers;
}

bool hasFreeVoice() {
    if (!available()) {
        return false;
    }
    // The library keeps its device open only while some sound object exists; without one, no
    // voice is taken and all are free.
    if (alcGetCurrentContext() == nullptr) {
        return true;
    }
    // Ask for a voice and give it back at once.
    alGetError();
    ALuint voice = 0;
    alGenSources(1, &voice);
    if (alGetError() != AL_NO_ERROR) {
        return false;
    }
    alDeleteSources(1, &voice);
    return true;
}

}  // namespace lm::audio_device
