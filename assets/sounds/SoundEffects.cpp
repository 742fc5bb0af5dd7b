// Recipes for the effects. Each is short and says what its tool builds: engines and
// horns for transport, hums and sparks for power, water for pumps and lakes, bells
// for churches and schools, chimes for gifts, and two refusals (money, terrain).
#include "SoundEffects.h"

namespace {

using W = Waveform;

double N(double midi) { return Synth::MidiToHz(midi); }

const Envelope kPerc{0.003, 0.12, 0.0, 0.02};   // struck: falls straight away
const Envelope kShort{0.005, 0.03, 0.7, 0.04};  // a clean short note
const Envelope kSwell{0.15, 0.1, 0.8, 0.2};     // rises and falls slowly
const Envelope kHit{0.001, 0.05, 0.2, 0.05};    // a knock or crunch

// A rising major arpeggio of three short notes, used for cheerful confirmations.
void Arpeggio(Synth& s, double start, double root, double step, W wave, double amp) {
    const int chord[] = {0, 4, 7, 12};
    for (int i = 0; i < 4; ++i)
        s.Note(start + i * step, step * 1.6, N(root + chord[i]), N(root + chord[i]), wave, amp, kShort);
}

void Bulldoze(Synth& s) {
    s.Note(0, 0.8, 55, 48, W::Saw, 0.5, {0.02, 0.1, 0.8, 0.15}, 9, 0.08); // diesel chug
    s.Noise(0, 0.8, 0.6, 60, 900, {0.05, 0.2, 0.6, 0.2}, 9, 0.7);        // rubble grinding
    for (double t : {0.15, 0.35, 0.55})
        s.Noise(t, 0.12, 0.7, 200, 3000, kHit);                            // stones cracking
}

void Lake(Synth& s) {
    for (int i = 0; i < 6; ++i)
        s.Note(0.05 + i * 0.11, 0.09, N(64 + (i * 5) % 9), N(76 + (i * 5) % 9), W::Sine, 0.5, kPerc);
    s.Noise(0, 0.75, 0.25, 300, 2500, kSwell, 3, 0.5); // lapping water
}

void Trees(Synth& s) {
    s.Noise(0, 0.7, 0.5, 1500, 7000, {0.1, 0.2, 0.6, 0.2}, 7, 0.8); // leaves rustling
    s.Note(0.3, 0.12, N(91), N(96), W::Sine, 0.35, kShort);          // a bird in the branches
    s.Note(0.45, 0.1, N(96), N(91), W::Sine, 0.3, kShort);
}

void Hall(Synth& s) {
    // A brass fanfare for a gift of a city hall.
    s.Note(0.0, 0.15, N(60), N(60), W::Saw, 0.4, kShort);
    s.Note(0.15, 0.15, N(64), N(64), W::Saw, 0.4, kShort);
    s.Note(0.3, 0.15, N(67), N(67), W::Saw, 0.4, kShort);
    for (int n : {60, 64, 67, 72})
        s.Note(0.45, 0.45, N(n), N(n), W::Saw, 0.25, {0.01, 0.1, 0.7, 0.15});
}

void Fountain(Synth& s) {
    s.Noise(0, 0.9, 0.6, 800, 6000, {0.05, 0.1, 0.8, 0.3}, 11, 0.4); // spray
    for (int i = 0; i < 5; ++i)
        s.Note(0.1 + i * 0.15, 0.08, N(79 + i * 2), N(84 + i * 2), W::Sine, 0.25, kPerc);
}

void Statue(Synth& s) {
    s.Bell(0, N(72), 0.7, 0.25);
    s.Bell(0.2, N(79), 0.6, 0.25);
}

void House(Synth& s) {
    // A doorbell: ding-dong.
    s.Bell(0, N(76), 0.8, 0.2);
    s.Bell(0.3, N(72), 0.8, 0.25);
}

void Roads(Synth& s) {
    s.Note(0, 0.6, 70, 65, W::Square, 0.25, {0.02, 0.1, 0.7, 0.1}, 14, 0.05); // roller engine
    s.Noise(0, 0.6, 0.5, 100, 1200, {0.05, 0.1, 0.7, 0.15});                 // tarmac being laid
    s.Drum(0.05, 150, 50, 0.6, 0.05);                                         // a thump as it settles
}

void Motorway(Synth& s) {
    // A car passing at speed: the engine note drops as it goes by.
    s.Note(0, 0.9, 240, 140, W::Saw, 0.35, {0.3, 0.1, 0.9, 0.4});
    s.Noise(0, 0.9, 0.5, 200, 2500, {0.35, 0.1, 0.9, 0.4});
}

void Bus(Synth& s) {
    // A two-tone bus horn.
    s.Note(0, 0.35, N(57), N(57), W::Saw, 0.3, kShort);
    s.Note(0, 0.35, N(61), N(61), W::Saw, 0.3, kShort);
    s.Note(0.4, 0.4, N(57), N(57), W::Saw, 0.3, kShort);
    s.Note(0.4, 0.4, N(61), N(61), W::Saw, 0.3, kShort);
}

void Rail(Synth& s) {
    // Clickety-clack over the joints.
    for (double t : {0.0, 0.12, 0.4, 0.52}) {
        s.Noise(t, 0.06, 0.8, 400, 5000, kHit);
        s.Drum(t, 300, 120, 0.4, 0.03);
    }
    s.Noise(0, 0.8, 0.15, 80, 600, kSwell);
}

void RailStation(Synth& s) {
    // The platform announcement chime.
    s.Bell(0, N(76), 0.6, 0.2);
    s.Bell(0.18, N(72), 0.6, 0.2);
    s.Bell(0.36, N(79), 0.6, 0.3);
}

void SubStation(Synth& s) {
    // An underground train arriving: a rising whoosh and a low chime.
    s.Noise(0, 0.7, 0.6, 150, 2000, {0.4, 0.1, 0.8, 0.2});
    s.Note(0, 0.7, 90, 180, W::Triangle, 0.3, {0.3, 0.1, 0.8, 0.2});
    s.Bell(0.5, N(67), 0.4, 0.15);
}

void Airport(Synth& s) {
    // Jet engines spooling up.
    s.Note(0, 1.0, 300, 1400, W::Sine, 0.25, {0.3, 0.1, 0.9, 0.2});
    s.Noise(0, 1.0, 0.7, 300, 5000, {0.5, 0.1, 0.9, 0.2});
}

void Seaport(Synth& s) {
    // A ship's horn.
    s.Note(0, 0.9, N(41), N(41), W::Saw, 0.4, {0.08, 0.1, 0.9, 0.25});
    s.Note(0, 0.9, N(48), N(48), W::Saw, 0.25, {0.08, 0.1, 0.9, 0.25});
}

void PowerLine(Synth& s) {
    // A mains hum with a crackle.
    s.Note(0, 0.5, 100, 100, W::Saw, 0.4, {0.02, 0.1, 0.8, 0.1});
    for (double t : {0.1, 0.22, 0.3})
        s.Noise(t, 0.03, 0.8, 2000, 9000, kHit);
}

void Coal(Synth& s) {
    // A heavy steam engine: chuffs and a deep rumble.
    for (int i = 0; i < 4; ++i)
        s.Noise(i * 0.2, 0.15, 0.7, 100, 1500, {0.01, 0.05, 0.4, 0.08});
    s.Note(0, 0.8, 45, 45, W::Square, 0.3, {0.05, 0.1, 0.8, 0.2});
}

void Oil(Synth& s) {
    // Glugging crude: low bubbles.
    for (int i = 0; i < 5; ++i)
        s.Note(i * 0.14, 0.12, 110 + i * 12, 220 + i * 12, W::Sine, 0.6, kPerc);
    s.Note(0, 0.75, 60, 60, W::Triangle, 0.3, {0.05, 0.1, 0.8, 0.2});
}

void Gas(Synth& s) {
    // A hiss and the whoomph of ignition.
    s.Noise(0, 0.35, 0.4, 3000, 9000, {0.05, 0.1, 0.9, 0.05});
    s.Drum(0.35, 120, 40, 0.8, 0.08);
    s.Noise(0.35, 0.4, 0.6, 60, 800, {0.01, 0.15, 0.3, 0.15});
}

void Nuclear(Synth& s) {
    // A humming reactor and a counter clicking.
    s.Note(0, 0.9, 120, 120, W::Organ, 0.3, kSwell, 0.5, 0.01);
    const double clicks[] = {0.05, 0.11, 0.14, 0.27, 0.33, 0.38, 0.52, 0.56, 0.71, 0.8};
    for (double t : clicks)
        s.Noise(t, 0.008, 0.9, 2000, 10000, {0.0005, 0.004, 0.0, 0.002});
}

void Wind(Synth& s) {
    s.Noise(0, 0.9, 0.7, 200, 1500, {0.35, 0.1, 0.8, 0.35}, 1.5, 0.4); // a gust
    s.Note(0, 0.9, 330, 420, W::Sine, 0.12, {0.3, 0.1, 0.8, 0.3}, 2, 0.03);
}

void Solar(Synth& s) {
    // Shimmering and bright.
    Arpeggio(s, 0, 76, 0.09, W::Sine, 0.4);
    Arpeggio(s, 0.36, 83, 0.09, W::Sine, 0.3);
}

void Micro(Synth& s) {
    // A science-fiction beam.
    s.Note(0, 0.8, 200, 2000, W::Square, 0.25, {0.02, 0.1, 0.8, 0.1}, 25, 0.06);
    s.Note(0, 0.8, 2000, 200, W::Sine, 0.3, {0.02, 0.1, 0.8, 0.1});
}

void WaterPump(Synth& s) {
    // The pump's strokes, each pushing water.
    for (int i = 0; i < 3; ++i) {
        s.Drum(i * 0.25, 200, 80, 0.5, 0.05);
        s.Noise(i * 0.25 + 0.03, 0.18, 0.4, 300, 2500, {0.03, 0.05, 0.6, 0.08});
    }
}

void Treatment(Synth& s) {
    // A swirl and a drain.
    s.Noise(0, 0.85, 0.6, 150, 1800, {0.1, 0.1, 0.8, 0.3}, 6, 0.6);
    s.Note(0, 0.85, 500, 150, W::Sine, 0.25, {0.05, 0.1, 0.7, 0.3});
}

void UvTreatment(Synth& s) {
    // A lamp's buzz with sparkles.
    s.Note(0, 0.8, 180, 180, W::Saw, 0.2, kSwell);
    for (int i = 0; i < 6; ++i)
        s.Note(0.1 + i * 0.1, 0.08, N(96 - i * 2), N(96 - i * 2), W::Sine, 0.25, kPerc);
}

void Residential(Synth& s) {
    // Homely: a soft major chord on a piano-like tone.
    for (int n : {60, 64, 67})
        s.Note(0, 0.6, N(n), N(n), W::Organ, 0.3, {0.005, 0.3, 0.3, 0.2});
    s.Note(0.2, 0.4, N(72), N(72), W::Sine, 0.3, {0.005, 0.2, 0.3, 0.15});
}

void Commercial(Synth& s) {
    // The till: a ring and coins.
    s.Bell(0, N(88), 0.5, 0.1);
    s.Bell(0.08, N(93), 0.5, 0.15);
    s.Noise(0.02, 0.15, 0.4, 3000, 9000, kHit);
    s.Noise(0.25, 0.25, 0.3, 4000, 10000, {0.002, 0.05, 0.3, 0.1});
}

void Industrial(Synth& s) {
    // Metal on metal in a works.
    for (double t : {0.0, 0.25, 0.5}) {
        s.Bell(t, 180 + t * 60, 0.5, 0.06);
        s.Noise(t, 0.1, 0.5, 500, 4000, kHit);
    }
    s.Note(0, 0.8, 70, 70, W::Square, 0.15, kSwell);
}

void Church(Synth& s) { s.Bell(0, N(55), 1.0, 0.25); }

void Cathedral(Synth& s) {
    s.Bell(0, N(50), 0.8, 0.3);
    for (int n : {62, 66, 69})
        s.Note(0.05, 0.9, N(n), N(n), W::Organ, 0.2, kSwell);
}

void SmallPark(Synth& s) {
    // A songbird.
    for (int i = 0; i < 3; ++i)
        s.Note(i * 0.12, 0.09, N(93), N(98), W::Sine, 0.5, kShort);
    s.Note(0.4, 0.2, N(98), N(91), W::Sine, 0.4, kShort, 20, 0.02);
}

void LargePark(Synth& s) {
    // Two birds answering each other over a breeze.
    s.Noise(0, 0.9, 0.2, 200, 1500, kSwell);
    s.Note(0.05, 0.15, N(88), N(95), W::Sine, 0.4, kShort);
    s.Note(0.25, 0.15, N(88), N(95), W::Sine, 0.4, kShort);
    s.Note(0.5, 0.1, N(100), N(96), W::Sine, 0.35, kShort);
    s.Note(0.65, 0.1, N(100), N(96), W::Sine, 0.35, kShort);
}

void Marina(Synth& s) {
    // Waves against the jetty and a gull.
    s.Noise(0, 0.9, 0.6, 150, 2000, {0.3, 0.1, 0.8, 0.4}, 1.2, 0.5);
    s.Note(0.3, 0.25, N(86), N(81), W::Saw, 0.2, {0.01, 0.05, 0.7, 0.08}, 12, 0.02);
}

void Stadium(Synth& s) {
    // A crowd cheering and the referee's whistle.
    s.Noise(0, 0.9, 0.7, 300, 3000, {0.2, 0.1, 0.9, 0.3}, 4, 0.3);
    s.Note(0.05, 0.3, N(96), N(96), W::Sine, 0.3, kShort, 40, 0.02);
}

void PoliceStation(Synth& s) {
    // A short siren wail.
    s.Note(0, 0.45, 650, 950, W::Square, 0.25, {0.02, 0.1, 0.9, 0.05});
    s.Note(0.45, 0.45, 950, 650, W::Square, 0.25, {0.02, 0.1, 0.9, 0.1});
}

void FireStation(Synth& s) {
    // The fire bell ringing fast.
    for (int i = 0; i < 7; ++i)
        s.Bell(i * 0.11, N(84), 0.5, 0.05);
}

void Hospital(Synth& s) {
    // The ambulance's two tones.
    s.Note(0, 0.3, N(71), N(71), W::Square, 0.25, kShort);
    s.Note(0.3, 0.3, N(66), N(66), W::Square, 0.25, kShort);
    s.Note(0.6, 0.3, N(71), N(71), W::Square, 0.25, kShort);
}

void School(Synth& s) {
    // The school bell: a fast electric ring.
    s.Note(0, 0.8, N(81), N(81), W::Square, 0.3, {0.005, 0.05, 0.9, 0.1}, 0, 0);
    s.Noise(0, 0.8, 0.2, 2000, 8000, {0.005, 0.05, 0.9, 0.1}, 25, 1.0);
}

void College(Synth& s) {
    // A stately cadence for higher learning.
    for (int n : {55, 59, 62})
        s.Note(0, 0.4, N(n), N(n), W::Organ, 0.25, {0.02, 0.1, 0.8, 0.1});
    for (int n : {60, 64, 67, 72})
        s.Note(0.4, 0.55, N(n), N(n), W::Organ, 0.25, {0.02, 0.1, 0.8, 0.2});
}

void Ok(Synth& s) {
    // A plain acknowledgement: two rising beeps.
    s.Note(0, 0.1, N(79), N(79), W::Triangle, 0.5, kShort);
    s.Note(0.13, 0.15, N(84), N(84), W::Triangle, 0.5, kShort);
}

void Museum(Synth& s) {
    // A harp glissando.
    const int notes[] = {60, 62, 64, 67, 69, 72, 74, 76};
    for (int i = 0; i < 8; ++i)
        s.Pluck(i * 0.07, N(notes[i]), 0.4, 0.5, 0.6);
}

void Query(Synth& s) {
    // A questioning "hm?": a rising glide.
    s.Note(0, 0.35, N(67), N(79), W::Triangle, 0.5, {0.01, 0.05, 0.8, 0.08});
}

void Centre(Synth& s) {
    // A whoosh that closes on the middle.
    s.Noise(0, 0.45, 0.6, 500, 6000, {0.2, 0.05, 0.8, 0.15});
    s.Note(0.3, 0.15, N(76), N(76), W::Sine, 0.4, kShort);
}

void Money(Synth& s) {
    // Not enough money: a falling "wah-wah".
    s.Note(0, 0.3, N(62), N(61), W::Saw, 0.35, {0.01, 0.05, 0.8, 0.08}, 6, 0.01);
    s.Note(0.3, 0.5, N(58), N(56), W::Saw, 0.35, {0.01, 0.05, 0.8, 0.2}, 6, 0.015);
}

void Terrain(Synth& s) {
    // The ground will not take it: a dull thud and a low buzz.
    s.Drum(0, 160, 50, 0.8, 0.06);
    s.Note(0.08, 0.3, 110, 95, W::Square, 0.25, {0.005, 0.05, 0.6, 0.1});
}

} // namespace

const std::vector<SoundEffects::Effect>& SoundEffects::All() {
    static const std::vector<Effect> effects = {
        {"BULLDOZE.WAV", 0.8, Bulldoze},   {"LAKE.WAV", 0.75, Lake},         {"TREES.WAV", 0.7, Trees},
        {"HALL.WAV", 0.9, Hall},           {"FOUNT.WAV", 0.9, Fountain},     {"STATUE.WAV", 0.9, Statue},
        {"HOUSE", 0.9, House},             {"ROADS.WAV", 0.6, Roads},        {"MOTORWAY.WAV", 0.9, Motorway},
        {"BUSS.WAV", 0.8, Bus},            {"RAIL.WAV", 0.8, Rail},          {"RSTATION.WAV", 0.9, RailStation},
        {"SSTATION.WAV", 0.9, SubStation}, {"AIRPORT.WAV", 1.0, Airport},    {"SEAPORT.WAV", 0.9, Seaport},
        {"POWER.WAV", 0.5, PowerLine},     {"COAL.WAV", 0.8, Coal},          {"OIL.WAV", 0.75, Oil},
        {"GAS.WAV", 0.8, Gas},             {"NUCLEAR.WAV", 0.9, Nuclear},    {"WIND.WAV", 0.9, Wind},
        {"SOLAR.WAV", 0.8, Solar},         {"MICRO.WAV", 0.8, Micro},        {"WPUMP.WAV", 0.75, WaterPump},
        {"TREAT.WAV", 0.85, Treatment},    {"UVTREAT.WAV", 0.8, UvTreatment}, {"RESI.WAV", 0.6, Residential},
        {"COMMER.WAV", 0.6, Commercial},   {"INDUS.WAV", 0.8, Industrial},   {"CHURCH.WAV", 1.0, Church},
        {"CATH.WAV", 1.0, Cathedral},      {"SPARK.WAV", 0.6, SmallPark},    {"LPARK.WAV", 0.9, LargePark},
        {"MARINA.WAV", 0.9, Marina},       {"STADIUM.WAV", 0.9, Stadium},    {"PSTATION.WAV", 0.9, PoliceStation},
        {"FSTATION.WAV", 0.85, FireStation}, {"HOSPIT.WAV", 0.9, Hospital},  {"SCHOOL.WAV", 0.8, School},
        {"COLLEGE.WAV", 0.95, College},    {"OK.WAV", 0.3, Ok},              {"MUSEUM.WAV", 1.0, Museum},
        {"QUERY.WAV", 0.35, Query},        {"CENTRE.WAV", 0.45, Centre},     {"Money.wav", 0.8, Money},
        {"Terrain.wav", 0.4, Terrain},
    };
    return effects;
}

std::vector<std::int16_t> SoundEffects::Render(const Effect& effect, std::uint32_t seed) {
    Synth s(kRate, effect.seconds, seed);
    effect.paint(s);
    s.Normalize(0.85);
    s.FadeOut(0.01); // no click at the end
    return s.ToPcm();
}
