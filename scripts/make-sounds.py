#!/usr/bin/env python3
"""Synthesise the sound files of Lumora from scratch.

Writes two mono, 22050 Hz, 16-bit PCM WAV files:
  sounds/combat-music.wav  an 8-bar battle theme in D minor at 126 bpm that
                           loops seamlessly (title screen and battles)
  sounds/attack.wav        a short sword hit (noise swish, thump and ring)

Run from the repository root:

    python3 scripts/make-sounds.py

Only the Python standard library is used, and the noise generators have fixed
seeds, so every run writes exactly the same bytes.
"""

import math
import random
import struct
import wave
from collections import namedtuple
from pathlib import Path

RATE = 22050                  # samples per second
PEAK = 0.89                   # normalised peak level, about -1 dBFS
SOUNDS_DIR = Path(__file__).resolve().parent.parent / "sounds"

# ---------------------------------------------------------------- timing ---

BPM = 126                     # 22050 * 60 / 126 = 10500 samples per beat
BEAT = RATE * 60 // BPM
EIGHTH = BEAT // 2
SIXTEENTH = BEAT // 4
BAR = 4 * BEAT
TAIL = 2 * RATE               # room for releases and echoes past the loop end

# ------------------------------------------------------------ the score ---
# One string per bar.  "D5:2" is the note D5 lasting two eighths, "-:1" is an
# eighth rest.  Every bar of the melody adds up to eight eighths.

MELODY = [
    "D5:2 A4:1 D5:1 F5:2 E5:1 D5:1",        # Dm   the call
    "F5:3 D5:1 Bb4:2 C5:1 D5:1",            # Bb
    "E5:2 G5:1 E5:1 C5:2 D5:1 E5:1",        # C
    "F5:4 E5:2 A4:2",                       # Dm
    "D5:1 D5:1 F5:1 A5:1 D6:2 C6:1 A5:1",   # Dm   the answer climbs
    "Bb5:2 A5:1 G5:1 F5:2 D5:2",            # Bb
    "G5:1 A5:1 Bb5:2 A5:1 G5:1 F5:1 E5:1",  # Gm
    "E5:2 C#5:1 E5:1 A5:2 G5:1 E5:1",       # A    turns back to the start
]

# (bass root, chord tones for the pad) for each bar
HARMONY = [
    ("D2", "D4 F4 A4"),
    ("Bb1", "D4 F4 Bb4"),
    ("C2", "C4 E4 G4"),
    ("D2", "D4 F4 A4"),
    ("D2", "D4 F4 A4"),
    ("Bb1", "D4 F4 Bb4"),
    ("G1", "D4 G4 Bb4"),
    ("A1", "C#4 E4 A4"),
]

# Galloping bass figure for one bar: (semitones above the root, sixteenths).
BASS_FIGURE = [(0, 2), (0, 1), (0, 1), (12, 2), (0, 1), (0, 1),
               (0, 2), (0, 1), (0, 1), (7, 2), (12, 1), (7, 1)]

NOTE_INDEX = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note_freq(name):
    """Frequency in Hz of a note name such as "A4", "C#5" or "Bb1"."""
    semitone = NOTE_INDEX[name[0]]
    rest = name[1:]
    while rest[0] in "#b":
        semitone += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    midi = 12 * (int(rest) + 1) + semitone
    return 440.0 * 2 ** ((midi - 69) / 12)


def parse_bar(text):
    """Turn "D5:2 -:1" into [(freq or None, length in eighths), ...]."""
    notes = []
    for token in text.split():
        name, length = token.split(":")
        notes.append((None if name == "-" else note_freq(name), int(length)))
    assert sum(length for _, length in notes) == 8, text
    return notes

# ----------------------------------------------------------- oscillators ---

TABLE_SIZE = 2048


def wavetable(harmonics):
    """One cycle built from {harmonic number: amplitude}, peak 1.

    Building waves from a few harmonics keeps them band-limited (no aliasing)
    and lets each voice choose how bright or soft it is.
    """
    table = [sum(amp * math.sin(2 * math.pi * n * i / TABLE_SIZE)
                 for n, amp in harmonics.items())
             for i in range(TABLE_SIZE)]
    top = max(abs(x) for x in table)
    return [x / top for x in table]


def lookup(table, phase):
    """Read a wavetable at a phase in cycles, interpolating linearly."""
    pos = (phase % 1.0) * TABLE_SIZE
    i = int(pos)
    frac = pos - i
    return table[i] + (table[(i + 1) % TABLE_SIZE] - table[i]) * frac


# a square wave whose upper odd harmonics fall faster than 1/n: hollow but soft
SOFT_SQUARE = wavetable({n: 1 / n ** 1.4 for n in (1, 3, 5, 7, 9)})
# triangle: odd harmonics, 1/n^2, alternating sign
TRIANGLE = wavetable({n: (-1) ** (n // 2) / n ** 2 for n in (1, 3, 5, 7, 9, 11)})
# a saw with only its first few harmonics: a warm string-like pad
WARM_SAW = wavetable({n: 1 / n ** 1.2 for n in range(1, 7)})

# ------------------------------------------------------------ envelopes ---

Envelope = namedtuple("Envelope", "attack decay sustain release")  # seconds


def adsr(env, gate):
    """Gain per sample for a note held for `gate` samples, release included."""
    attack = max(1, int(env.attack * RATE))
    decay = max(1, int(env.decay * RATE))
    release = max(1, int(env.release * RATE))
    gains = []
    for i in range(gate):
        if i < attack:
            gains.append(i / attack)
        elif i < attack + decay:
            gains.append(1 - (1 - env.sustain) * (i - attack) / decay)
        else:
            gains.append(env.sustain)
    held = gains[-1]
    gains.extend(held * (1 - i / release) ** 2 for i in range(1, release + 1))
    return gains

# --------------------------------------------------------------- voices ---

Voice = namedtuple("Voice", "table env gain articulation vibrato")
# articulation: fraction of the written length the note is held
# vibrato: (depth in semitones, rate in Hz, delay in seconds) or None

LEAD = Voice(SOFT_SQUARE, Envelope(0.008, 0.12, 0.7, 0.09), 0.34, 0.88,
             (0.18, 5.5, 0.14))
BASS = Voice(TRIANGLE, Envelope(0.004, 0.08, 0.6, 0.03), 0.50, 0.80, None)
PAD = Voice(WARM_SAW, Envelope(0.12, 0.5, 0.55, 0.25), 0.07, 0.96,
            (0.06, 4.2, 0.0))


def play(buf, start, length, freq, voice):
    """Add one note of `length` samples, starting at `start`, into `buf`."""
    gains = adsr(voice.env, int(length * voice.articulation))
    phase = 0.0
    for i, gain in enumerate(gains):
        f = freq
        if voice.vibrato:
            depth, rate, delay = voice.vibrato
            t = i / RATE
            if t > delay:
                swell = min(1.0, (t - delay) / 0.2)
                f *= 2 ** (swell * depth * math.sin(2 * math.pi * rate * t) / 12)
        buf[start + i] += voice.gain * gain * lookup(voice.table, phase)
        phase += f / RATE


def sequence(buf, start, notes, step, voice):
    """Play [(freq or None, length in steps), ...] one after the other."""
    for freq, length in notes:
        if freq is not None:
            play(buf, start, length * step, freq, voice)
        start += length * step
    return start

# ----------------------------------------------------------- percussion ---


def kick(buf, start):
    """A short sine thump whose pitch drops from 130 Hz to 45 Hz."""
    phase = 0.0
    for i in range(int(0.18 * RATE)):
        t = i / RATE
        freq = 45 + 85 * math.exp(-t / 0.03)
        amp = min(1.0, i / 40) * math.exp(-t / 0.06)
        buf[start + i] += 0.55 * amp * math.sin(2 * math.pi * phase)
        phase += freq / RATE


def snare(buf, start, rng, level=1.0):
    """Noise with a quick decay over a little 190 Hz body."""
    for i in range(int(0.16 * RATE)):
        t = i / RATE
        attack = min(1.0, i / 30)
        noise = rng.uniform(-1, 1) * math.exp(-t / 0.045)
        body = math.sin(2 * math.pi * 190 * t) * math.exp(-t / 0.03)
        buf[start + i] += 0.22 * level * attack * (noise + 0.6 * body)


def hat(buf, start, rng):
    """A tick of high noise (differenced white noise) with a fast decay."""
    last = 0.0
    for i in range(int(0.04 * RATE)):
        white = rng.uniform(-1, 1)
        amp = min(1.0, i / 15) * math.exp(-i / RATE / 0.012)
        buf[start + i] += 0.07 * amp * (white - last)
        last = white


def drum_bar(buf, start, rng, fill):
    """Kick on 1 and 3 (and the "and" of 3), snare on 2 and 4, hats on 8ths.

    With `fill` the last beat is four sixteenth snares leading into the loop.
    """
    for beat in (0, 2):
        kick(buf, start + beat * BEAT)
    kick(buf, start + 2 * BEAT + EIGHTH)
    for eighth in range(8):
        hat(buf, start + eighth * EIGHTH, rng)
    snare(buf, start + BEAT, rng)
    if fill:
        for n in range(4):
            snare(buf, start + 3 * BEAT + n * SIXTEENTH, rng, 0.55 + 0.15 * n)
    else:
        snare(buf, start + 3 * BEAT, rng)

# --------------------------------------------------------------- mixing ---


def silence(length):
    return [0.0] * length


def echo(signal, delay, feedback, repeats):
    """Return `signal` plus `repeats` fading copies, each `delay` samples on."""
    out = list(signal)
    for n in range(1, repeats + 1):
        gain = feedback ** n
        for i in range(len(signal) - n * delay):
            out[i + n * delay] += gain * signal[i]
    return out


def mix(*tracks):
    return [sum(samples) for samples in zip(*tracks)]


def wrap_tail(signal, loop_length):
    """Fold everything after `loop_length` back onto the start of the loop.

    Notes and echoes that ring past the end then sound over the beginning,
    exactly as they would when the loop repeats, so the joint is seamless.
    """
    out = signal[:loop_length]
    for i in range(loop_length, len(signal)):
        out[i % loop_length] += signal[i]
    return out


def normalise(signal, peak=PEAK):
    top = max(abs(x) for x in signal)
    return [x * peak / top for x in signal]


def write_wav(path, signal):
    """Write samples in -1..1 as a mono 16-bit PCM WAV file."""
    frames = struct.pack("<%dh" % len(signal),
                         *(round(max(-1.0, min(1.0, x)) * 32767) for x in signal))
    path.parent.mkdir(parents=True, exist_ok=True)
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)

# ---------------------------------------------------------------- music ---


def combat_music():
    """The looping battle theme: lead, galloping bass, pad and drums."""
    loop_length = len(MELODY) * BAR
    lead, bass, pad, drums = (silence(loop_length + TAIL) for _ in range(4))
    rng = random.Random(1)
    for bar, (melody, (root, chord)) in enumerate(zip(MELODY, HARMONY)):
        start = bar * BAR
        sequence(lead, start, parse_bar(melody), EIGHTH, LEAD)
        root_freq = note_freq(root)
        figure = [(root_freq * 2 ** (step / 12), length)
                  for step, length in BASS_FIGURE]
        sequence(bass, start, figure, SIXTEENTH, BASS)
        for name in chord.split():
            play(pad, start, BAR, note_freq(name), PAD)
        drum_bar(drums, start, rng, fill=(bar == len(MELODY) - 1))
    lead = echo(lead, 3 * SIXTEENTH, 0.3, 3)
    return normalise(wrap_tail(mix(lead, bass, pad, drums), loop_length))

# ---------------------------------------------------------------- sword ---


def swish(length, rng):
    """White noise through a band-pass filter sweeping down from 3 kHz.

    A state-variable filter is used; its centre falls to 400 Hz while the
    noise decays, which gives the falling "whoosh" of a blade.
    """
    low = band = 0.0
    damping = 0.9
    out = []
    for i in range(length):
        t = i / RATE
        centre = 400 + 2600 * math.exp(-t / 0.06)
        f = 2 * math.sin(math.pi * centre / RATE)
        high = rng.uniform(-1, 1) - low - damping * band
        band += f * high
        low += f * band
        out.append(band * math.exp(-t / 0.07))
    return out


def attack_sound():
    """The hero's sword hit: a crack of noise, a swish, a thump and a ring."""
    length = int(0.26 * RATE)
    attack = int(0.0015 * RATE)   # just long enough not to click
    fade = int(0.03 * RATE)
    rng = random.Random(2)
    hit = swish(length, rng)
    phase = 0.0
    for i in range(length):
        t = i / RATE
        crack = rng.uniform(-1, 1) * math.exp(-t / 0.01)
        thump = math.sin(2 * math.pi * phase) * math.exp(-t / 0.05)
        phase += (50 + 110 * math.exp(-t / 0.025)) / RATE
        ring = sum(math.sin(2 * math.pi * f * t) for f in (1870, 2790, 4130))
        hit[i] = (2.5 * hit[i] + 0.5 * crack + 0.9 * thump
                  + 0.1 * ring * math.exp(-t / 0.04))
        if i < attack:
            hit[i] *= i / attack
        if i >= length - fade:
            hit[i] *= ((length - 1 - i) / fade) ** 2
    return normalise(hit)


def main():
    write_wav(SOUNDS_DIR / "combat-music.wav", combat_music())
    write_wav(SOUNDS_DIR / "attack.wav", attack_sound())


if __name__ == "__main__":
    main()
