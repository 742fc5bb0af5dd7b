// A main window on the headless backend, with recording stand-ins for the components.
#pragma once

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/ui/Application.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/ui/Screen.h"
#include "shell/CommandHistory.h"
#include "shell/InterpreterPorts.h"
#include "shell/TMainForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

// Records what the language asks of the wave component and answers as told.
class FakeWaveSound : public WaveSoundPort {
public:
    std::vector<std::string> calls;
    std::string status = "Ready";
    std::string commReply = "Done";
    bool initialized = true, enabled = true;
    std::uint32_t volume = 0xFFFFFFFF;
    void Init(int, int, int) override { calls.push_back("Init"); }
    void Play(const std::string& file, bool, unsigned flags) override {
        calls.push_back("Play " + file + " " + std::to_string(flags));
    }
    std::string Exec_Comm(const std::string& c) override {
        calls.push_back("Exec " + c);
        return commReply;
    }
    std::string Exec_Comm(const std::string& c, int n) override {
        calls.push_back("Exec " + c + " " + std::to_string(n));
        return commReply;
    }
    std::string Status() const override { return status; }
    bool Initialized() const override { return initialized; }
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    std::uint32_t GetVolume() override { return volume; }
    void SetVolume(std::uint32_t v) override { volume = v; }
};

class FakeCd : public CdAudioPort {
public:
    std::vector<std::string> calls;
    int state = 1;
    std::string initReply = "CD Audio initialised";
    void Play(const std::string& options) override {
        calls.push_back("Play " + options);
        if (state == 1)
            state = 2;
    }
    int State() const override { return state; }
    std::string Command(const std::string& sub) override {
        calls.push_back(sub);
        if (sub == "INIT")
            return initReply;
        if (sub == "STOP") {
            state = 1;
            return "CD stopped";
        }
        return "Unknown command";
    }
    void Close() override { calls.push_back("Close"); }
};

class FakeScreen : public ScreenPort {
public:
    struct Write {
        int x, y;
        std::string text;
        std::uint32_t text_color, back_color;
    };
    std::vector<Write> writes;
    int flips = 0;
    void WriteXY(int x, int y, const std::string& text, std::uint32_t tc, std::uint32_t bc) override {
        writes.push_back({x, y, text, tc, bc});
    }
    bool HasDirectDraw() const override { return true; }
    void FlipToGDISurface() override { ++flips; }
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& app = ui::Application::Instance();
        app.SetBackend(&backend);
        app.ResetTerminated();
        backend.Output = [this](const std::string& line) { output.push_back(line); };
        ui::Screen::Instance().Reset();
        CommandHistory::Instance().ResetHistory();
        for (int i = 0; i < 10; ++i)
            CommandHistory::Instance().AddToHistory("");
        form = std::make_unique<TMainForm>();
        form->SeedRandom(1);
        form->WaveSound = &sound;
        form->CdAudio = &cd;
        form->Display = &screen;
        form->City.funds = 1000;
        form->City.programDir = "C:\\Plazaro";
        oldDir = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() / ("plazaro_shell_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        std::filesystem::current_path(oldDir);
        std::filesystem::remove_all(dir);
        form.reset();
        ui::Application::Instance().SetBackend(nullptr);
        ui::Application::Instance().ResetTerminated();
    }

    // Runs a line as the console does and gives the newest console line.
    std::string Console(const std::string& line) {
        form->RunCommand(line, true, true);
        return form->C_Memo.Line(0);
    }
    void WriteFile(const std::string& name, const std::string& text) {
        std::FILE* f = std::fopen((dir / name).c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    bool Quit() const { return ui::Application::Instance().Terminated(); }

    headless::HeadlessBackend backend;
    std::vector<std::string> output;
    FakeWaveSound sound;
    FakeCd cd;
    FakeScreen screen;
    std::unique_ptr<TMainForm> form;
    std::filesystem::path dir, oldDir;
};
