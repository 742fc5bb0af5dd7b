// The main window: owner of the city, the widgets, the clock and the components.
#pragma once

#include "city/CityHost.h"
#include "city/CityState.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/MediaPlayer.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Panel.h"
#include "platform/ui/RangeControls.h"
#include "platform/ui/Timer.h"
#include "shell/CityHistory.h"
#include "shell/CommandInterpreter.h"

#include <memory>
#include <optional>
#include <string>

class BudgetPanel;
namespace cityfile {
struct CityFile;
}
class CdAudioBridge;
class TWaveSound2;
class WaveSoundBridge;
class CityClock;
class CityInput;
class GraphsWindow;
class MapWindow;
class MapPointer;
class DragPreview;
class ToolPalette;
class ViewNavigation;
class WaveSoundPort;
class CdAudioPort;
class ScreenPort;
class TAboutBox;
class THowToPlayBox;
class TSoundBox;
namespace gfx {
class TE_DDraw;
class TE_DDSurface;
} // namespace gfx
namespace view {
class MapPictures;
class MapRenderer;
} // namespace view

// The whole game lives in this window. Its state is plain data that the game's
// parts read and write; the command interpreter is its voice.
class TMainForm : public ui::Form, public CityHost {
public:
    TMainForm();
    ~TMainForm() override;

    // --- the city and the language
    CityState City;
    CommandInterpreter Interpreter{*this};
    void RunCommand(const std::string& line, bool echo, bool recordHistory) override;
    int ParseCommand(const std::string& line) { return Interpreter.ParseCommand(line); }

    // --- components the language drives, seen through the calls it makes
    WaveSoundPort* WaveSound = nullptr;
    CdAudioPort* CdAudio = nullptr;
    ScreenPort* Display = nullptr;
    // The display and its scene, the map's surfaces and the renderer that draws on
    // them (shell/MainFormGraphics.cpp); Display speaks to the first two.
    std::unique_ptr<gfx::TE_DDraw> DD;
    std::unique_ptr<gfx::TE_DDSurface> DDScene;
    std::unique_ptr<view::MapPictures> MapArt;
    std::unique_ptr<view::MapRenderer> Renderer;
    // Composes the current view and shows it without moving anything (a screenshot of
    // a game whose frames are not drawn).
    void ShowMap();
    // While the clock is stopped nothing draws the map, so a change made then is shown
    // by a frame drawn at once (without moving the trains and boats).
    void RedrawWhilePaused();
    // The wave-sound component placed on the window, and the bridges to the
    // component and the process-wide CD controller.
    std::unique_ptr<TWaveSound2> WaveSoundComponent;
    std::unique_ptr<WaveSoundBridge> WaveSoundLink;
    std::unique_ptr<CdAudioBridge> CdAudioLink;

    // --- widgets
    ui::MenuItem* F_NewCity = nullptr;
    ui::MenuItem* F_LoadCity = nullptr;
    ui::MenuItem* F_Save = nullptr;
    ui::MenuItem* F_Exit = nullptr;
    ui::MenuItem* S_Pause = nullptr;
    ui::MenuItem* S_Slow = nullptr;
    ui::MenuItem* S_Medium = nullptr;
    ui::MenuItem* S_Fast = nullptr;
    ui::MenuItem* O_A_Budget = nullptr;
    ui::MenuItem* O_CDAudio = nullptr;
    ui::MenuItem* O_SoundFX = nullptr;
    ui::MenuItem* O_Autosave = nullptr;
    ui::MenuItem* W_Console = nullptr;
    ui::MenuItem* W_Tools = nullptr;
    ui::MenuItem* W_Map = nullptr;
    ui::MenuItem* W_Graphs = nullptr;
    ui::MenuItem* H_HowToPlay = nullptr;
    ui::MenuItem* H_About = nullptr;

    ui::Panel Panel1{"Panel1", this};
    ui::Image Title_I{"Title_I", this};
    // The intro's two panels and the media players that play into them; the first
    // activation destroys all four once the intro is over.
    std::unique_ptr<ui::Panel> Qor_Back = std::make_unique<ui::Panel>("Qor_Back", this);
    std::unique_ptr<ui::Panel> Plazo_Back = std::make_unique<ui::Panel>("Plazo_Back", this);
    std::unique_ptr<ui::MediaPlayer> Qor_Video = std::make_unique<ui::MediaPlayer>("Qor_Video", this);
    std::unique_ptr<ui::MediaPlayer> Plazo_Video = std::make_unique<ui::MediaPlayer>("Plazo_Video", this);

    ui::GroupBox Start_GB{"Start_GB", this};
    ui::RadioButton S_New_RB{"S_New_RB", &Start_GB};
    ui::RadioButton S_Load_RB{"S_Load_RB", &Start_GB};
    ui::RadioButton S_Sound_RB{"S_Sound_RB", &Start_GB};
    ui::Button S_Ok_B{"S_Ok_B", &Start_GB};
    ui::Button S_Exit_B{"S_Exit_B", &Start_GB};

    ui::GroupBox New_GB{"New_GB", this};
    ui::Edit N_Name_E{"N_Name_E", &New_GB};
    ui::RadioButton N_Easy_RB{"N_Easy_RB", &New_GB};
    ui::RadioButton N_Hard_RB{"N_Hard_RB", &New_GB};
    ui::Button N_Ok_B{"N_Ok_B", &New_GB};

    ui::Panel Console_P{"Console_P", this};
    ui::Edit C_Input_E{"C_Input_E", &Console_P};
    ui::Memo C_Memo{"C_Memo", &Console_P};

    ui::GroupBox Tools_GB{"Tools_GB", this};
    ui::ScrollBar Horz_SB{"Horz_SB", this};
    ui::ScrollBar Vert_SB{"Vert_SB", this};

    ui::Timer Clock;

    // The city file's dialogs (File menu: Save, Load City).
    ui::FileDialog SaveDialog{"SaveDialog", ui::FileDialog::Kind::Save};
    ui::FileDialog OpenDialog{"OpenDialog", ui::FileDialog::Kind::Open};

    // --- the game's parts that own widgets or drive the city
    std::unique_ptr<ToolPalette> Tools;
    std::unique_ptr<BudgetPanel> Budget;
    std::unique_ptr<ViewNavigation> Navigation;
    std::unique_ptr<CityInput> Input;
    // The window's pointer on the map (the window's mouse events go through it).
    std::unique_ptr<MapPointer> Pointer;
    // The outline of a drag under way, drawn by the window over the map.
    std::unique_ptr<DragPreview> Preview;
    std::unique_ptr<CityClock> Ticker;

    // The overview map and the graphs of the city's history (Windows menu); they only
    // read the city.
    CityHistory History;
    std::unique_ptr<MapWindow> Map;
    std::unique_ptr<GraphsWindow> Graphs;
    // Reads the history kept beside a city file just loaded; a damaged one is left
    // out with a line in the console.
    void LoadHistory(const std::string& cityPath);
    // Writes the history beside the city file just saved; false when it could not.
    bool SaveHistory(const std::string& cityPath);

    std::unique_ptr<TAboutBox> AboutBox;
    std::unique_ptr<THowToPlayBox> HowToPlayBox;
    std::unique_ptr<TSoundBox> SoundBox;

    // --- lifecycle
    // Seeds the one random generator (a replayable run); otherwise the start-up
    // seeds it from the time.
    void SeedRandom(std::uint32_t seed) {
        City.Seed(seed);
        seeded_ = true;
    }
    // The start-up sequence, run once while the window is still hidden.
    void FormCreate();
    // The first activation: the intro, the title picture and the start box; or, with
    // a StartCityFile, that city at once.
    void FormActivate();
    // A city file named when the program was started: it opens at the first
    // activation, as Load City would, without the intro and the start box.
    std::string StartCityFile;
    // Shows the game screen for the city now in the state.
    void StartCityView();
    // The new-city procedure of the New City box's Ok button.
    void N_Ok_BClick();
    // Save and Load City of the File menu (shell/CityFileCommands.cpp).
    void F_SaveClick();
    void F_LoadCityClick();
    // Loads a city file and starts playing it, as Load City does after its dialog;
    // false (with the loader's message shown) when the file cannot be loaded.
    bool LoadCity(const std::string& fileName);

    // --- the player's files (shell/CityFileCommands.cpp)
    // Saves through the Save dialog; true when the city was written.
    bool SaveCity();
    // True when a save would write something other than the file last saved, loaded
    // or begun (a new city counts as begun with nothing to lose).
    bool HasUnsavedChanges() const;
    // Before the city is replaced or the game ends: with unsaved changes, asks
    // "Save changes to NAME?"; false when the player cancelled (or a save failed).
    bool AskToSaveChanges();
    // The city as it stands is the one in that file (empty: in no file yet).
    void MarkCitySaved(const std::string& path);
    const std::string& CityFilePath() const { return cityFilePath_; }
    // The yearly autosave into the cities folder, when Options > Autosave is checked.
    void Autosave();
    // Years that turn sooner than this after the last autosave (clock time, as the
    // console's fastest speeds make them) are not saved: the next turn after it is.
    static constexpr std::int64_t kAutosaveGapMs = 10000;
    // Called after the player changed something the settings file remembers.
    std::function<void()> OnSettingsChanged;
    void SettingsChanged() {
        if (OnSettingsChanged)
            OnSettingsChanged();
    }

    // --- event handlers
    void C_Input_EKeyDown(std::uint16_t& key, ui::ShiftState shift);
    void W_ConsoleClick();
    void SpeedClick(ui::MenuItem* item, int monthLength);

    // --- CityHost
    bool GameScreenShown() const override { return Panel1.Visible(); }
    bool ClockEnabled() const override { return Clock.Enabled(); }
    void SetClockEnabled(bool enabled) override { Clock.SetEnabled(enabled); }
    std::int64_t MonthTime() const override { return Clock.Tag; }
    void SetMonthTime(std::int64_t ms) override { Clock.Tag = ms; }
    int ClockInterval() const override { return static_cast<int>(Clock.Interval()); }
    int HorzPosition() const override { return Horz_SB.Position(); }
    void SetHorzPosition(int position) override { Horz_SB.SetPosition(position); }
    int VertPosition() const override { return Vert_SB.Position(); }
    void SetVertPosition(int position) override { Vert_SB.SetPosition(position); }
    bool AutoBudgetChecked() const override { return O_A_Budget->Checked; }
    void ShowBudget(const BudgetFigures& figures, bool show) override;
    void HideBudget() override;
    std::optional<int> BudgetPosition(int index) const override;
    void SetUnlockItemEnabled(int unlock, bool enabled) override;
    void DrawFrame() override;

    // Centres a box on the screen as every box of the game is centred.
    static void CentreOnScreen(ui::Control& box);

private:
    void BuildMenu();
    void BuildWidgets();
    void RegisterAll();
    // Start-up steps 6 to 10: the scene's background, the display, the back buffer,
    // the pictures, the blank tile and cursors, and the version lines.
    void StartGraphics();
    // The first activation's step 2: both videos, each followed by its wait; a key
    // press or a click skips the rest.
    void PlayIntro();
    void DestroyIntro();
    void CreateGraphics();
    void ReleaseGraphics();
    std::unique_ptr<ScreenPort> DisplayLink;
    std::shared_ptr<const cityfile::CityFile> savedCity_;
    std::string cityFilePath_;
    // Clock time since the last autosave; the first turn of a year always saves.
    std::int64_t sinceAutosaveMs_ = kAutosaveGapMs;
    bool activated_ = false;
    bool seeded_ = false;
};
