// PlaySound: one call that plays a wave file, a resource or the default sound.
#pragma once

#include "platform/winmm/MmTypes.h"

namespace winmm {

// Plays a sound as the platform's call does. One asynchronous sound plays at a
// time: a new one cuts the old, and a null or empty name stops it. Names are
// Windows-shaped paths, found whatever their case. A sound that cannot be played
// is replaced by the default sound unless SND_NODEFAULT is given; either way the
// call then answers false. Resources come from the program's resource table.
bool PlaySound(const char* pszSound, HMODULE hmod, DWORD fdwSound);

// True while the asynchronous sound started by PlaySound is still sounding.
bool PlaySoundActive();

} // namespace winmm
