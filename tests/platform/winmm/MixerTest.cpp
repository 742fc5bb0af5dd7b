// The mixer plays a sound at the output rate sample for sample, spreads mono to
// both sides, resamples other rates, applies voice and bus volume, holds paused
// voices, plays segments in order and drops finished voices.
#include "platform/winmm/Mixer.h"

#include <gtest/gtest.h>

#include <memory>

using winmm::Mixer;
using winmm::MixerBus;
using winmm::MixSegment;
using winmm::PcmBuffer;

namespace {

std::shared_ptr<PcmBuffer> Pcm(int rate, int channels, std::vector<std::int16_t> samples) {
    auto p = std::make_shared<PcmBuffer>();
    p->sampleRate = rate;
    p->channels = channels;
    p->samples = std::move(samples);
    return p;
}

std::vector<std::int16_t> Render(Mixer& m, std::size_t frames) {
    std::vector<std::int16_t> out(frames * 2, 123);
    m.Render(out.data(), frames);
    return out;
}

} // namespace

TEST(Mixer, SameRateStereoIsExactThenSilence) {
    Mixer m(8000);
    auto id = m.Start(Pcm(8000, 2, {1000, -1000, 32767, -32768, 5, 6}), MixerBus::Effects, false);
    EXPECT_TRUE(m.IsPlaying(id));
    EXPECT_EQ(Render(m, 4), (std::vector<std::int16_t>{1000, -1000, 32767, -32768, 5, 6, 0, 0}));
    EXPECT_FALSE(m.IsPlaying(id));
    EXPECT_EQ(m.ActiveVoices(), 0u);
}

TEST(Mixer, MonoGoesToBothSidesAndVoicesAddWithClipping) {
    Mixer m(8000);
    m.Start(Pcm(8000, 1, {20000, -20000, 100}), MixerBus::Effects, false);
    m.Start(Pcm(8000, 1, {20000, -20000, 100}), MixerBus::Music, false);
    EXPECT_EQ(Render(m, 3), (std::vector<std::int16_t>{32767, 32767, -32768, -32768, 200, 200}));
}

TEST(Mixer, ResamplesToTheOutputRate) {
    Mixer m(16000);
    // Half the output rate: each source frame lasts two output frames, with the
    // midpoints interpolated.
    m.Start(Pcm(8000, 1, {0, 1000, 2000}), MixerBus::Effects, false);
    auto out = Render(m, 6);
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < out.size(); i += 2)
        left.push_back(out[i]);
    EXPECT_EQ(left, (std::vector<std::int16_t>{0, 500, 1000, 1500, 2000, 2000}));
    EXPECT_EQ(m.ActiveVoices(), 0u);

    // Twice the output rate: every other source frame.
    Mixer down(8000);
    down.Start(Pcm(16000, 1, {10, 20, 30, 40, 50, 60}), MixerBus::Effects, false);
    auto d = Render(down, 3);
    EXPECT_EQ(d, (std::vector<std::int16_t>{10, 10, 30, 30, 50, 50}));
}

TEST(Mixer, VolumesPerSideForVoiceAndBus) {
    Mixer m(8000);
    auto id = m.Start(Pcm(8000, 1, {10000, 10000, 10000}), MixerBus::Effects, false);
    m.SetBusVolume(MixerBus::Effects, 0x8000, 0xFFFF);
    auto out = Render(m, 1);
    EXPECT_NEAR(out[0], 5000, 1);
    EXPECT_EQ(out[1], 10000);
    m.SetVoiceVolume(id, 0xFFFF, 0);
    out = Render(m, 1);
    EXPECT_NEAR(out[0], 5000, 1);
    EXPECT_EQ(out[1], 0);
    // The music bus is not touched by the effects volume.
    m.Start(Pcm(8000, 1, {7000}), MixerBus::Music, false);
    out = Render(m, 1);
    EXPECT_NEAR(out[0], 5000 + 7000, 1);
    EXPECT_EQ(out[1], 7000);
}

TEST(Mixer, PauseHoldsThePositionAndStopCuts) {
    Mixer m(8000);
    auto id = m.Start(Pcm(8000, 1, {1, 2, 3, 4}), MixerBus::Effects, false);
    Render(m, 1);
    m.SetBusPaused(MixerBus::Effects, true);
    EXPECT_EQ(Render(m, 2), (std::vector<std::int16_t>{0, 0, 0, 0}));
    m.SetBusPaused(MixerBus::Effects, false);
    m.SetVoicePaused(id, true);
    EXPECT_EQ(Render(m, 1)[0], 0);
    m.SetVoicePaused(id, false);
    EXPECT_EQ(Render(m, 1)[0], 2);
    m.Stop(id);
    EXPECT_FALSE(m.IsPlaying(id));
    EXPECT_EQ(Render(m, 1)[0], 0);
}

TEST(Mixer, SegmentsPlayInOrderAndLoopStartsOver) {
    Mixer m(8000);
    auto a = Pcm(8000, 1, {1, 2, 3, 4});
    auto b = Pcm(8000, 1, {10, 20, 30});
    auto id = m.Start(std::vector<MixSegment>{{a, 1, 3}, {b, 0, 3}}, MixerBus::Music, false);
    std::size_t seg = 9, frame = 9;
    ASSERT_TRUE(m.VoicePosition(id, seg, frame));
    EXPECT_EQ(seg, 0u);
    EXPECT_EQ(frame, 1u);
    auto out = Render(m, 6);
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < out.size(); i += 2)
        left.push_back(out[i]);
    EXPECT_EQ(left, (std::vector<std::int16_t>{2, 3, 10, 20, 30, 0}));

    auto loop = m.Start(Pcm(8000, 1, {7, 8}), MixerBus::Effects, true);
    out = Render(m, 5);
    EXPECT_EQ(out[0], 7);
    EXPECT_EQ(out[2], 8);
    EXPECT_EQ(out[4], 7);
    EXPECT_EQ(out[8], 7);
    EXPECT_TRUE(m.IsPlaying(loop));
    m.StopBus(MixerBus::Effects);
    EXPECT_FALSE(m.IsPlaying(loop));
}

TEST(Mixer, EmptyOrBrokenBuffersEndAtOnce) {
    Mixer m(8000);
    auto id = m.Start(Pcm(8000, 1, {}), MixerBus::Effects, true);
    EXPECT_FALSE(m.IsPlaying(id));
    auto bad = m.Start(Pcm(0, 1, {1, 2}), MixerBus::Effects, false);
    EXPECT_FALSE(m.IsPlaying(bad));
    auto beyond = m.Start(std::vector<MixSegment>{{Pcm(8000, 1, {1, 2}), 0, 99}}, MixerBus::Effects, false);
    EXPECT_EQ(Render(m, 3), (std::vector<std::int16_t>{1, 1, 2, 2, 0, 0}));
    EXPECT_FALSE(m.IsPlaying(beyond));
}
