#pragma once

/// What the audio library can do on this machine. Sounds and music ask it before they take a
/// voice, so that neither a missing device nor a full set of voices ever reaches the library: it
/// reports every failed call on its error stream, and a sound made without a voice of its own
/// takes a stray one and corrupts memory.
namespace lm::audio_device {

/// Whether sound can be played at all: the audio library is given a short silence and must take
/// it without a complaint. Without a working audio device no sound or music takes a voice, and
/// nothing is played. Asked once; the answer is kept.
bool available();

/// Whether the audio library has a voice left for one more sound or music track.
bool hasFreeVoice();

}  // namespace lm::audio_device
