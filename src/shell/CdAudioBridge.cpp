// The CD controller seen through the calls the "CD" command makes.
#include "shell/CdAudioBridge.h"

#include "audio/CdController.h"

void CdAudioBridge::Play(const std::string& options) { controller_.CdPlay(options); }

int CdAudioBridge::State() const { return controller_.CdState(); }

std::string CdAudioBridge::Command(const std::string& subCommand) { return controller_.CdCommand(subCommand); }

void CdAudioBridge::Close() {
    // Closing sends its device commands only when the device was opened.
    if (controller_.CdOpen())
        controller_.Close();
}
