// Each track: an intro of chords and bass, two melodic sections built from a
// repeated rhythmic motif, and a last tonic chord that fades, so that it loops calmly.
#include "MusicComposer.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};

// Deterministic choices for the melody.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed ? seed : 7) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint32_t state_;
};

// A note of the scale by its index (7 steps an octave) above the root.
int ScaleNote(int root, int index) {
    int octave = index >= 0 ? index / 7 : -((6 - index) / 7);
    int step = index - octave * 7;
    return root + 12 * octave + kMajor[step];
}

bool InChord(int index, int degree) {
    int step = ((index % 7) + 7) % 7;
    return step == degree % 7 || step == (degree + 2) % 7 || step == (degree + 4) % 7;
}

struct Beat {
    double at;     // in beats from the start of the motif
    double length; // in beats
};

// Two-bar rhythms a melody is made of.
const std::vector<std::vector<Beat>> kMotifs = {
    {{0, 1}, {1, 0.5}, {1.5, 0.5}, {2, 2}, {4, 1}, {5, 1}, {6, 2}},
    {{0, 1.5}, {1.5, 0.5}, {2, 1}, {3, 1}, {4, 3}, {7, 1}},
    {{0, 0.5}, {0.5, 0.5}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 0.5}, {5.5, 0.5}, {6, 2}},
    {{0, 2}, {2, 1}, {3, 1}, {4, 2}, {6, 2}},
    {{1, 1}, {2, 0.5}, {2.5, 0.5}, {3, 1}, {4, 2}, {6, 1.5}},
};

} // namespace

const std::vector<MusicComposer::Style>& MusicComposer::Tracks() {
    using L = Style::Lead;
    static const std::vector<Style> tracks = {
        {"Track01.wav", 60, 100, {0, 4, 5, 3}, L::Piano, true, true, 11},   // morning: I V vi IV in C
        {"Track02.wav", 65, 84, {0, 5, 1, 4}, L::Flute, false, true, 23},   // drafting: I vi ii V in F
        {"Track03.wav", 55, 112, {0, 3, 5, 4}, L::Soft, true, false, 37},   // busy streets: I IV vi V in G
        {"Track04.wav", 62, 92, {5, 3, 0, 4}, L::Bells, true, true, 51},    // evening: vi IV I V in D
    };
    return tracks;
}

std::vector<std::int16_t> MusicComposer::Compose(const Style& style, double seconds) {
    const double beat = 60.0 / style.bpm;
    const double bar = 4 * beat;
    const int cycle = static_cast<int>(style.progression.size());
    int bars = static_cast<int>(std::lround(seconds / bar / cycle)) * cycle;
    const double length = (bars + 1) * bar + 1.0; // a last bar for the tonic and a tail
    Synth s(kRate, length, style.seed);
    Dice dice(style.seed);

    const Envelope pad{0.35, 0.3, 0.75, 0.45};
    const Envelope bass{0.01, 0.25, 0.55, 0.08};
    const int introBars = cycle;
    const int outroBars = cycle;
    const auto& motifA = kMotifs[static_cast<std::size_t>(dice.Below(static_cast<int>(kMotifs.size())))];
    const auto& motifB = kMotifs[static_cast<std::size_t>(dice.Below(static_cast<int>(kMotifs.size())))];

    int melodyIndex = 9; // the third above the octave
    std::map<int, std::vector<int>> phrases;  // melody of each two-bar place in the eight
    for (int b = 0; b <= bars; ++b) {
        const bool last = b == bars;
        const int degree = last ? 0 : style.progression[static_cast<std::size_t>(b % cycle)];
        const double t0 = b * bar;
        const double chordLength = last ? bar * 1.5 : bar + 0.05;

        // Pad: the triad in the middle register, slow to rise.
        for (int k = 0; k < 3; ++k) {
            int note = ScaleNote(style.root - 12, degree + 2 * k);
            if (note < style.root - 7)
                note += 12;
            s.Note(t0, chordLength, Synth::MidiToHz(note), Synth::MidiToHz(note), Waveform::Triangle, 0.07, pad, 4.5,
                   0.002);
        }
        // Bass: root on the first beat, fifth on the third.
        int bassRoot = ScaleNote(style.root - 24, degree);
        if (last) {
            s.Note(t0, bar * 1.5, Synth::MidiToHz(bassRoot), Synth::MidiToHz(bassRoot), Waveform::Sine, 0.3, pad);
        } else {
            s.Note(t0, beat * 1.8, Synth::MidiToHz(bassRoot), Synth::MidiToHz(bassRoot), Waveform::Sine, 0.32, bass);
            int fifth = ScaleNote(style.root - 24, degree + 4);
            s.Note(t0 + 2 * beat, beat * 1.8, Synth::MidiToHz(fifth), Synth::MidiToHz(fifth), Waveform::Sine, 0.26, bass);
        }
        if (last)
            break;

        // Arpeggio: the chord's tones going up in eighths, plucked.
        if (style.arpeggio) {
            for (int e = 0; e < 8; ++e) {
                int note = ScaleNote(style.root, degree + 2 * (e % 4 == 3 ? 1 : e % 4));
                s.Pluck(t0 + e * beat / 2, Synth::MidiToHz(note), 0.07, beat * 0.9, 0.3);
            }
        }
        // Drums: a soft kick, a brush on two and four, closed hats in eighths.
        if (style.drums && b >= introBars / 2) {
            for (int q = 0; q < 4; ++q) {
                if (q % 2 == 0)
                    s.Drum(t0 + q * beat, 110, 45, 0.35, 0.09);
                else
                    s.Noise(t0 + q * beat, 0.12, 0.1, 800, 5000, {0.002, 0.05, 0.2, 0.05});
            }
            for (int e = 0; e < 8; ++e)
                s.Noise(t0 + e * beat / 2, 0.03, e % 2 ? 0.03 : 0.05, 5000, 10000, {0.001, 0.01, 0.2, 0.01});
        }

        // Melody: from the end of the intro until the outro, one motif each two bars.
        if (b < introBars || b >= bars - outroBars || (b - introBars) % 2 != 0)
            continue;
        const int phraseBar = (b - introBars) % 8; // A A B A' over eight bars
        const auto& motif = phraseBar == 4 ? motifB : motifA;
        // The eight bars come back note for note, so that the tune can be recognised.
        std::vector<int>& remembered = phrases[phraseBar];
        const bool repeat = remembered.size() == motif.size();
        for (std::size_t n = 0; n < motif.size(); ++n) {
            const Beat& note = motif[n];
            const int barOfNote = b + static_cast<int>(note.at / 4);
            const int chordOfNote = style.progression[static_cast<std::size_t>(barOfNote % cycle)];
            const bool strong = std::fmod(note.at, 2.0) == 0.0;
            const bool phraseEnd = n + 1 == motif.size() && phraseBar == 6;
            int step = dice.Below(5) - 2; // a step or a skip either way
            int next = std::clamp(melodyIndex + step, 7, 16);
            // Strong beats and the end of a phrase land on a tone of the chord.
            if (strong || phraseEnd) {
                for (int d = 0; d < 4 && !InChord(next, chordOfNote); ++d)
                    next += (d % 2 == 0) ? 1 + d : -(1 + d);
                next = std::clamp(next, 7, 16);
                while (!InChord(next, chordOfNote))
                    --next;
            }
            if (repeat)
                next = remembered[n];
            else
                remembered.push_back(next);
            melodyIndex = next;
            const double start = t0 + note.at * beat;
            const double dur = note.length * beat * 0.95;
            const double f = Synth::MidiToHz(ScaleNote(style.root, melodyIndex));
            switch (style.lead) {
            case Style::Lead::Piano:
                s.Note(start, dur, f, f, Waveform::Organ, 0.2, {0.005, 0.4, 0.35, 0.1});
                break;
            case Style::Lead::Flute:
                s.Note(start, dur, f, f, Waveform::Sine, 0.24, {0.05, 0.1, 0.85, 0.08}, 5, 0.006);
                s.Noise(start, std::min(dur, 0.08), 0.015, f, f * 3, {0.01, 0.03, 0.3, 0.02});
                break;
            case Style::Lead::Soft:
                s.Note(start, dur, f, f, Waveform::Triangle, 0.22, {0.02, 0.2, 0.6, 0.08}, 5.5, 0.004);
                break;
            case Style::Lead::Bells:
                s.Bell(start, f, 0.3, std::min(0.6, dur));
                break;
            }
        }
    }
    s.FadeIn(0.6);
    s.FadeOut(1.2);
    s.Normalize(0.8);
    return s.ToPcm();
}
