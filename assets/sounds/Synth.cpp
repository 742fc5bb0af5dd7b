// The synthesiser's voices; every one adds into the buffer, nothing depends on time or chance.
#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

Synth::Synth(int sampleRate, double seconds, std::uint32_t seed)
    : rate_(sampleRate), buffer_(static_cast<std::size_t>(seconds * sampleRate), 0.0f), state_(seed ? seed : 1) {}

double Synth::MidiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

double Synth::Random() {
    // xorshift32: the same sequence on every machine.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

std::size_t Synth::Index(double seconds) const {
    if (seconds <= 0)
        return 0;
    return std::min(buffer_.size(), static_cast<std::size_t>(seconds * rate_));
}

double Synth::Level(const Envelope& env, double t, double length) {
    if (t < 0 || t >= length)
        return 0;
    double level;
    if (t < env.attack)
        level = t / env.attack;
    else if (t < env.attack + env.decay)
        level = 1.0 - (1.0 - env.sustain) * (t - env.attack) / env.decay;
    else
        level = env.sustain;
    double untilEnd = length - t;
    if (untilEnd < env.release)
        level *= untilEnd / env.release;
    return level;
}

double Synth::Shape(Waveform wave, double phase, double freq, int rate) {
    // Square and saw are built from their harmonics below half the rate, so they
    // do not alias into harsh whistles.
    const double nyquist = rate / 2.0;
    switch (wave) {
    case Waveform::Sine:
        return std::sin(kTwoPi * phase);
    case Waveform::Triangle: {
        double p = phase - std::floor(phase);
        return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    }
    case Waveform::Square: {
        double v = 0;
        for (int h = 1; h <= 15 && h * freq < nyquist; h += 2)
            v += std::sin(kTwoPi * phase * h) / h;
        return v * 1.1;
    }
    case Waveform::Saw: {
        double v = 0;
        for (int h = 1; h <= 12 && h * freq < nyquist; ++h)
            v += std::sin(kTwoPi * phase * h) / h;
        return v * 0.6;
    }
    case Waveform::Organ:
        return 0.6 * std::sin(kTwoPi * phase) + 0.3 * std::sin(kTwoPi * phase * 2) + 0.15 * std::sin(kTwoPi * phase * 3) +
               0.08 * std::sin(kTwoPi * phase * 4);
    }
    return 0;
}

void Synth::Note(double start, double length, double f0, double f1, Waveform wave, double amp, Envelope env,
                 double vibratoHz, double vibratoDepth) {
    std::size_t from = Index(start), to = Index(start + length);
    double phase = 0;
    for (std::size_t i = from; i < to; ++i) {
        double t = static_cast<double>(i - from) / rate_;
        double f = f0 == f1 ? f0 : f0 * std::pow(f1 / f0, t / length);
        if (vibratoHz > 0)
            f *= 1.0 + vibratoDepth * std::sin(kTwoPi * vibratoHz * t);
        phase += f / rate_;
        buffer_[i] += static_cast<float>(amp * Level(env, t, length) * Shape(wave, phase, f, rate_));
    }
}

void Synth::Bell(double start, double freq, double amp, double decaySeconds) {
    static const double kRatios[] = {0.5, 1.0, 1.19, 1.56, 2.0, 2.51, 3.0};
    static const double kLevels[] = {0.35, 1.0, 0.45, 0.35, 0.3, 0.18, 0.12};
    std::size_t from = Index(start), to = Index(start + decaySeconds * 4);
    for (std::size_t i = from; i < to; ++i) {
        double t = static_cast<double>(i - from) / rate_;
        double v = 0;
        for (int k = 0; k < 7; ++k) {
            if (freq * kRatios[k] >= rate_ / 2.0)
                continue;
            double fade = std::exp(-t / (decaySeconds / (1.0 + 0.5 * k)));
            v += kLevels[k] * fade * std::sin(kTwoPi * freq * kRatios[k] * t);
        }
        double attack = std::min(1.0, t / 0.002);
        buffer_[i] += static_cast<float>(amp * attack * v * 0.5);
    }
}

void Synth::Pluck(double start, double freq, double amp, double length, double brightness) {
    // The loop's delay must be rate / freq samples, a fraction included, or high
    // strings go out of tune: the two-tap average shortens the loop by (1 - blend)
    // and a first-order all-pass adds back the fraction d.
    const double blend = 0.5 + 0.49 * brightness;
    const double wanted = rate_ / freq + (1.0 - blend);
    const std::size_t period = std::max<std::size_t>(2, static_cast<std::size_t>(wanted - 0.1));
    const double d = wanted - static_cast<double>(period);
    const double c = (1.0 - d) / (1.0 + d);
    std::vector<double> line(period);
    for (auto& v : line)
        v = Random();
    std::size_t from = Index(start), to = Index(start + length);
    std::size_t pos = 0;
    double apIn = 0, apOut = 0;
    for (std::size_t i = from; i < to; ++i) {
        double t = static_cast<double>(i - from) / rate_;
        double current = line[pos];
        double next = line[(pos + 1) % period];
        double averaged = (blend * current + (1 - blend) * next) * 0.996;
        double shifted = c * averaged + apIn - c * apOut;
        apIn = averaged;
        apOut = shifted;
        line[pos] = shifted;
        pos = (pos + 1) % period;
        double tail = std::min(1.0, (length - t) / 0.05);
        buffer_[i] += static_cast<float>(amp * current * tail);
    }
}

void Synth::Noise(double start, double length, double amp, double lowCut, double highCut, Envelope env,
                  double tremoloHz, double tremoloDepth) {
    std::size_t from = Index(start), to = Index(start + length);
    double aHigh = 1.0 - std::exp(-kTwoPi * highCut / rate_);
    double aLow = 1.0 - std::exp(-kTwoPi * lowCut / rate_);
    double lp1 = 0, lp2 = 0, low = 0;
    for (std::size_t i = from; i < to; ++i) {
        double t = static_cast<double>(i - from) / rate_;
        double x = Random();
        lp1 += aHigh * (x - lp1);
        lp2 += aHigh * (lp1 - lp2); // two poles: a gentler top
        low += aLow * (lp2 - low);
        double band = lp2 - low;
        double trem = tremoloHz > 0 ? 1.0 - tremoloDepth * 0.5 * (1 + std::sin(kTwoPi * tremoloHz * t)) : 1.0;
        // The band loses level as it narrows; make it up so amp means about the same.
        double makeUp = 1.0 + 3.0 * std::sqrt(std::max(0.0, 1.0 - highCut / (rate_ / 2.0)));
        buffer_[i] += static_cast<float>(amp * makeUp * Level(env, t, length) * trem * band);
    }
}

void Synth::Drum(double start, double f0, double f1, double amp, double decaySeconds) {
    double length = decaySeconds * 5;
    std::size_t from = Index(start), to = Index(start + length);
    double phase = 0;
    for (std::size_t i = from; i < to; ++i) {
        double t = static_cast<double>(i - from) / rate_;
        double f = f1 + (f0 - f1) * std::exp(-t / (decaySeconds * 0.3));
        phase += f / rate_;
        buffer_[i] += static_cast<float>(amp * std::exp(-t / decaySeconds) * std::sin(kTwoPi * phase) * std::min(1.0, t / 0.001));
    }
}

void Synth::Normalize(double peak) {
    float loudest = 0;
    for (float v : buffer_)
        loudest = std::max(loudest, std::fabs(v));
    if (loudest <= 0)
        return;
    float scale = static_cast<float>(peak / loudest);
    for (float& v : buffer_)
        v *= scale;
}

void Synth::FadeIn(double seconds) {
    std::size_t n = Index(seconds);
    for (std::size_t i = 0; i < n; ++i)
        buffer_[i] *= static_cast<float>(static_cast<double>(i) / n);
}

void Synth::FadeOut(double seconds) {
    std::size_t n = Index(seconds);
    std::size_t size = buffer_.size();
    for (std::size_t i = 0; i < n && i < size; ++i)
        buffer_[size - 1 - i] *= static_cast<float>(static_cast<double>(i) / n);
}

void Synth::SoftClip() {
    for (float& v : buffer_)
        v = static_cast<float>(std::tanh(v));
}

std::vector<std::int16_t> Synth::ToPcm() const {
    std::vector<std::int16_t> out(buffer_.size());
    for (std::size_t i = 0; i < buffer_.size(); ++i)
        out[i] = static_cast<std::int16_t>(std::lround(std::clamp(buffer_[i], -1.0f, 1.0f) * 32767.0f));
    return out;
}
