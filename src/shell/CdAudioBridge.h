// Connects the command language's view of the CD controller to the controller.
#pragma once

#include "shell/InterpreterPorts.h"

class CdController;

class CdAudioBridge : public CdAudioPort {
public:
    explicit CdAudioBridge(CdController& controller) : controller_(controller) {}
    void Play(const std::string& options) override;
    int State() const override;
    std::string Command(const std::string& subCommand) override;
    void Close() override;

private:
    CdController& controller_;
};
