// Waveform output: the waveOut functions of the multimedia library.
#pragma once

#include "platform/winmm/MmTypes.h"

namespace winmm {

// 1 when an output device exists, 0 otherwise.
UINT waveOutGetNumDevs();
// Opens the device (or, with WAVE_FORMAT_QUERY, only asks whether it takes the format).
MMRESULT waveOutOpen(HWAVEOUT* phwo, UINT uDeviceID, const WAVEFORMATEX* pwfx, DWORD_PTR dwCallback,
                     DWORD_PTR dwInstance, DWORD fdwOpen);
MMRESULT waveOutGetID(HWAVEOUT hwo, UINT* puDeviceID);
MMRESULT waveOutGetDevCaps(UINT uDeviceID, WAVEOUTCAPS* pwoc, UINT cbwoc);
// Volume: low word the left channel, high word the right, 0..0xFFFF each. It is the
// device's volume: the sounds PlaySound starts follow it; the CD's music does not.
MMRESULT waveOutGetVolume(HWAVEOUT hwo, DWORD* pdwVolume);
MMRESULT waveOutSetVolume(HWAVEOUT hwo, DWORD dwVolume);
// Pitch and playback rate (16.16 fixed point) are not supported, as on common
// devices, unless the output device says it takes them.
MMRESULT waveOutGetPitch(HWAVEOUT hwo, DWORD* pdwPitch);
MMRESULT waveOutSetPitch(HWAVEOUT hwo, DWORD dwPitch);
MMRESULT waveOutGetPlaybackRate(HWAVEOUT hwo, DWORD* pdwRate);
MMRESULT waveOutSetPlaybackRate(HWAVEOUT hwo, DWORD dwRate);
// Pausing an output holds the device's sounds until it is restarted or reset.
MMRESULT waveOutPause(HWAVEOUT hwo);
MMRESULT waveOutRestart(HWAVEOUT hwo);
// Stops the device's sounds and releases a pause.
MMRESULT waveOutReset(HWAVEOUT hwo);
MMRESULT waveOutClose(HWAVEOUT hwo);

// Whether the device takes a format: PCM, 1 or 2 channels, 8 or 16 bits, 8000 to
// 48000 frames a second, with consistent block alignment and byte rate.
bool WaveFormatAccepted(const WAVEFORMATEX& format);

// Closes every open output (the program's start state); used by AudioSystem::Reset.
void CloseAllWaveOuts();
// How many outputs are open.
int OpenWaveOutCount();

} // namespace winmm
