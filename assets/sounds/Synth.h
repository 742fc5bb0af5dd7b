// A small deterministic synthesiser: notes, bells, plucked strings and filtered noise
// mixed into one mono buffer.
#pragma once

#include <cstdint>
#include <vector>

enum class Waveform { Sine, Triangle, Square, Saw, Organ };

// Attack, decay and release in seconds; sustain as a level 0..1. The release
// happens inside the note's length.
struct Envelope {
    double attack = 0.005;
    double decay = 0.05;
    double sustain = 0.8;
    double release = 0.05;
};

class Synth {
public:
    Synth(int sampleRate, double seconds, std::uint32_t seed = 1);

    int SampleRate() const { return rate_; }
    double Seconds() const { return static_cast<double>(buffer_.size()) / rate_; }

    // A tone gliding exponentially from f0 to f1 over its length, with optional vibrato.
    void Note(double start, double length, double f0, double f1, Waveform wave, double amp, Envelope env = {},
              double vibratoHz = 0, double vibratoDepth = 0);
    // A struck bell: inharmonic partials, each fading at its own pace.
    void Bell(double start, double freq, double amp, double decaySeconds);
    // A plucked string (Karplus-Strong), fading over length.
    void Pluck(double start, double freq, double amp, double length, double brightness = 0.5);
    // Noise kept between lowCut and highCut (Hz), shaped by the envelope, with
    // optional tremolo (a rate and a depth 0..1).
    void Noise(double start, double length, double amp, double lowCut, double highCut, Envelope env,
               double tremoloHz = 0, double tremoloDepth = 0);
    // A soft drum: a sine dropping from f0 to f1 with a fast decay.
    void Drum(double start, double f0, double f1, double amp, double decaySeconds);

    // Scales so that the loudest sample reaches peak (0..1).
    void Normalize(double peak);
    void FadeIn(double seconds);
    void FadeOut(double seconds);
    // Gentle saturation for a mix that adds up beyond full scale.
    void SoftClip();
    std::vector<std::int16_t> ToPcm() const;

    static double MidiToHz(double note);

private:
    double Random(); // -1..1, from the seed
    static double Shape(Waveform wave, double phase, double freq, int rate);
    static double Level(const Envelope& env, double t, double length);
    std::size_t Index(double seconds) const;

    int rate_;
    std::vector<float> buffer_;
    std::uint32_t state_;
};
