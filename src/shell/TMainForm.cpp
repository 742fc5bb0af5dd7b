// The main window: its widgets and menus, the start-up sequence and the new city.
#include "shell/TMainForm.h"

#include "city/CityClock.h"
#include "city/CityInput.h"
#include "city/Simulation.h"
#include "audio/CdController.h"
#include "audio/TWaveSound2.h"
#include "shell/BudgetPanel.h"
#include "shell/CityFileCommands.h"
#include "shell/CdAudioBridge.h"
#include "shell/GraphsWindow.h"
#include "shell/MapWindow.h"
#include "shell/WaveSoundBridge.h"
#include "shell/ToolPalette.h"
#include "shell/ViewNavigation.h"
#include "platform/ui/Application.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/ui/Screen.h"
#include "shell/CommandHistory.h"
#include "shell/DragPreview.h"
#include "shell/MapPointer.h"
#include "shell/InterpreterPorts.h"
#include "shell/HowToPlayGuide.h"
#include "shell/TAboutBox.h"
#include "shell/THowToPlayBox.h"
#include "shell/TSoundBox.h"
#include "gfx/TE_DDSurface.h"
#include "gfx/TE_DDraw.h"
#include "view/MapPictures.h"
#include "view/MapRenderer.h"

#include <algorithm>
#include <chrono>

using ui::ShortCut;

TMainForm::TMainForm() : ui::Form("MainForm") {
    Caption = "Plazaro";
    Width = 804;
    Height = 566;
    BackColor = ui::clGray;
    ShowHint = true;
    Hide(); // shown by the first activation
    BuildMenu();
    BuildWidgets();
    CreateGraphics();
    WaveSoundComponent = std::make_unique<TWaveSound2>("WaveSound");
    WaveSoundComponent->DebugLevel = dlMore;
    WaveSoundComponent->UseServer = false;
    WaveSoundLink = std::make_unique<WaveSoundBridge>(*WaveSoundComponent);
    WaveSound = WaveSoundLink.get();
    CdAudioLink = std::make_unique<CdAudioBridge>(CdController::Instance());
    CdAudio = CdAudioLink.get();
    Tools = std::make_unique<ToolPalette>(*this, Tools_GB, City,
                                          [this](const std::string& line, bool echo, bool recordHistory) {
                                              RunCommand(line, echo, recordHistory);
                                          });
    Budget = std::make_unique<BudgetPanel>(*this, City, *this);
    Navigation = std::make_unique<ViewNavigation>(Horz_SB, Vert_SB);
    Navigation->SetUp();
    Input = std::make_unique<CityInput>(City, *this);
    Ticker = std::make_unique<CityClock>(City, *this);
    Clock.OnTimer = [this] {
        const int year = City.year;
        Ticker->ClockTimer();
        // A month that ran leaves its sample; the two windows redraw when theirs changed.
        if (GameScreenShown())
            History.Record(City);
        Map->Refresh();
        Graphs->Refresh();
        // The turn of the year has run its budget within the tick.
        sinceAutosaveMs_ += Clock.Interval();
        if (City.year != year && sinceAutosaveMs_ >= kAutosaveGapMs) {
            sinceAutosaveMs_ = 0;
            Autosave();
        }
    };
    Pointer = std::make_unique<MapPointer>(*this);
    Preview = std::make_unique<DragPreview>(*this);
    // The window and both scroll bars share one key handler; Escape also forgets a
    // drag begun on the map.
    auto keys = [this](std::uint16_t& key, ui::ShiftState shift) {
        if (key == ui::VK_ESCAPE)
            Pointer->Forget();
        Navigation->GameKeyBown(this, key, shift);
        RedrawWhilePaused();
    };
    OnKeyDown = keys;
    Horz_SB.OnKeyDown = keys;
    Vert_SB.OnKeyDown = keys;
    // The window's real pointer picks the tile under it (the driver's :click feeds the
    // mapping directly).
    OnMouseMove = [this](ui::ShiftState shift, int x, int y) { Pointer->Move(shift, x, y); };
    OnMouseDown = [this](ui::MouseButton button, ui::ShiftState shift, int x, int y) {
        Pointer->Down(button, shift, x, y);
    };
    OnMouseUp = [this](ui::MouseButton button, ui::ShiftState shift, int x, int y) { Pointer->Up(button, shift, x, y); };
    Map = std::make_unique<MapWindow>(*this, City, Horz_SB, Vert_SB);
    Graphs = std::make_unique<GraphsWindow>(*this, History);
    Horz_SB.OnChange = [this] {
        Map->Refresh();
        RedrawWhilePaused();
    };
    Vert_SB.OnChange = [this] {
        Map->Refresh();
        RedrawWhilePaused();
    };
    SetUpSaveDialog(SaveDialog);
    SetUpOpenDialog(OpenDialog);
    RegisterAll();
    Register(SaveDialog);
    Register(OpenDialog);
    Budget->RegisterAll(*this);
    // The window's close button asks before a changed city is lost.
    ui::Application::Instance().OnCloseQuery = [this] { return AskToSaveChanges(); };
}

TMainForm::~TMainForm() {
    ui::Application::Instance().OnCloseQuery = nullptr;
    ReleaseGraphics();
    if (CdAudio)
        CdAudio->Close();
}

void TMainForm::BuildMenu() {
    ui::MenuItem& file = MainMenu.Add("File", "&File");
    F_NewCity = &file.Add("F_NewCity", "&New City");
    F_NewCity->Shortcut = ShortCut{'N', ui::ssCtrl};
    F_LoadCity = &file.Add("F_LoadCity", "&Load City");
    F_LoadCity->Shortcut = ShortCut{'L', ui::ssCtrl};
    file.Add("N1", "-");
    F_Save = &file.Add("F_Save", "&Save");
    F_Save->Shortcut = ShortCut{'S', ui::ssCtrl};
    // There is nothing to save until a city is open.
    F_Save->Enabled = false;
    file.Add("N2", "-");
    F_Exit = &file.Add("F_Exit", "E&xit");

    ui::MenuItem& speed = MainMenu.Add("Speed", "&Speed");
    S_Pause = &speed.Add("S_Pause", "&Pause");
    S_Slow = &speed.Add("S_Slow", "&Slow ");
    S_Medium = &speed.Add("S_Medium", "&Medium");
    S_Fast = &speed.Add("S_Fast", "&Fast");
    S_Pause->Shortcut = ShortCut{ui::VK_F1, ui::ssAlt};
    S_Slow->Shortcut = ShortCut{ui::VK_F2, ui::ssAlt};
    S_Medium->Shortcut = ShortCut{ui::VK_F3, ui::ssAlt};
    S_Fast->Shortcut = ShortCut{ui::VK_F4, ui::ssAlt};
    S_Medium->Checked = true;

    ui::MenuItem& options = MainMenu.Add("Options", "&Options");
    O_A_Budget = &options.Add("O_A_Budget", "Auto Budget");
    O_CDAudio = &options.Add("O_CDAudio", "CD &Audio");
    O_CDAudio->Checked = true;
    O_SoundFX = &options.Add("O_SoundFX", "Sound &Effects");
    O_SoundFX->Enabled = false;
    O_Autosave = &options.Add("O_Autosave", "Autosave");
    O_Autosave->Checked = true;

    ui::MenuItem& windows = MainMenu.Add("Windows", "&Windows");
    W_Console = &windows.Add("W_Console", "&Console");
    W_Console->Shortcut = ShortCut{ui::VK_F2, 0};
    W_Tools = &windows.Add("W_Tools", "&Tools");
    W_Tools->Shortcut = ShortCut{ui::VK_F3, 0};
    W_Tools->Checked = true;
    W_Map = &windows.Add("W_Map", "&Map");
    W_Map->Shortcut = ShortCut{ui::VK_F5, 0};
    W_Graphs = &windows.Add("W_Graphs", "&Graphs");
    W_Graphs->Shortcut = ShortCut{ui::VK_F6, 0};

    ui::MenuItem& help = MainMenu.Add("Help", "Help");
    H_HowToPlay = &help.Add("H_HowToPlay", "How to Play");
    H_HowToPlay->Shortcut = ShortCut{ui::VK_F1, 0};
    H_About = &help.Add("H_About", "About");

    // Menu lines run silently, except the speed lines whose reply the console shows.
    F_NewCity->OnClick = [this] {
        if (!AskToSaveChanges())
            return;
        Start_GB.Hide();
        RunCommand("NEWCITY;", false, false);
    };
    F_Exit->OnClick = [this] {
        if (AskToSaveChanges())
            RunCommand("QUIT;", false, false);
    };
    F_LoadCity->OnClick = [this] { F_LoadCityClick(); };
    F_Save->OnClick = [this] { F_SaveClick(); };
    S_Pause->OnClick = [this] { SpeedClick(S_Pause, 0); };
    S_Slow->OnClick = [this] { SpeedClick(S_Slow, 10000); };
    S_Medium->OnClick = [this] { SpeedClick(S_Medium, 6000); };
    S_Fast->OnClick = [this] { SpeedClick(S_Fast, 2000); };
    O_A_Budget->OnClick = [this] {
        O_A_Budget->Checked = !O_A_Budget->Checked;
        SettingsChanged();
    };
    O_CDAudio->OnClick = [this] {
        if (O_CDAudio->Checked)
            RunCommand("CD; STOP;", false, false);
        O_CDAudio->Checked = !O_CDAudio->Checked;
        SettingsChanged();
    };
    O_SoundFX->OnClick = [this] {
        O_SoundFX->Checked = !O_SoundFX->Checked;
        if (WaveSound)
            WaveSound->SetEnabled(O_SoundFX->Checked);
        SettingsChanged();
    };
    O_Autosave->OnClick = [this] {
        O_Autosave->Checked = !O_Autosave->Checked;
        SettingsChanged();
    };
    W_Console->OnClick = [this] { W_ConsoleClick(); };
    W_Tools->OnClick = [this] {
        W_Tools->Checked = !W_Tools->Checked;
        Tools_GB.SetVisible(W_Tools->Checked);
    };
    W_Map->OnClick = [this] {
        W_Map->Checked = !W_Map->Checked;
        Map->Map_GB.SetVisible(W_Map->Checked);
        Map->Refresh(true);
    };
    W_Graphs->OnClick = [this] {
        W_Graphs->Checked = !W_Graphs->Checked;
        Graphs->Graphs_GB.SetVisible(W_Graphs->Checked);
        Graphs->Refresh(true);
    };
    H_About->OnClick = [this] { AboutBox->ShowModal(); };
    // The guide is written when it opens, from the tables and settings of the moment.
    H_HowToPlay->OnClick = [this] {
        HowToPlayBox->SetGuide(HowToPlayGuide(City));
        HowToPlayBox->ShowModal();
    };
}

void TMainForm::BuildWidgets() {
    Panel1.SetBounds(0, 0, 641, 20);
    Panel1.Caption = "City Name";
    Panel1.Hide();
    Title_I.Stretch = true;
    Title_I.Hide();
    Qor_Back->SetBounds(118, 20, 420, 60);
    Plazo_Back->SetBounds(203, 130, 250, 250);
    // Until its video starts a panel is only an area of the window's own grey.
    for (ui::Panel* panel : {Qor_Back.get(), Plazo_Back.get()}) {
        panel->BackColor = BackColor;
        panel->Bevel = false;
    }
    // The players' button bars are never shown and a finished video is not rewound.
    Qor_Video->DeviceType = "avivideo";
    Qor_Video->Display = Qor_Back.get();
    Qor_Video->AutoRewind = false;
    Plazo_Video->DeviceType = "avivideo";
    Plazo_Video->Display = Plazo_Back.get();
    Plazo_Video->AutoRewind = false;

    Start_GB.SetBounds(0, 0, 153, 129);
    Start_GB.Caption = "Plazaro";
    Start_GB.BackColor = ui::clSilver;
    Start_GB.Hide();
    S_New_RB.Caption = "New City";
    S_New_RB.SetBounds(16, 20, 113, 17);
    S_New_RB.SetChecked(true);
    S_Load_RB.Caption = "Load City";
    S_Load_RB.SetBounds(16, 44, 113, 17);
    S_Sound_RB.Caption = "Sound Setup";
    S_Sound_RB.SetBounds(16, 68, 113, 17);
    S_Ok_B.Caption = "Ok";
    S_Ok_B.SetBounds(8, 96, 65, 25);
    S_Exit_B.Caption = "Exit";
    S_Exit_B.SetBounds(80, 96, 65, 25);
    S_Ok_B.OnClick = [this] {
        Start_GB.Hide();
        if (S_New_RB.Checked()) {
            RunCommand("NEWCITY;", false, false);
        } else if (S_Load_RB.Checked()) {
            F_LoadCity->Click();
        } else if (S_Sound_RB.Checked()) {
            Start_GB.Show();
            SoundBox->ShowModal();
        }
    };
    S_New_RB.OnDblClick = [this] { F_NewCity->Click(); };
    S_Load_RB.OnDblClick = [this] { F_LoadCity->Click(); };
    S_Exit_B.OnClick = [this] {
        if (AskToSaveChanges())
            RunCommand("QUIT;", false, false);
    };

    New_GB.SetBounds(0, 0, 153, 129);
    New_GB.Caption = "New City";
    New_GB.BackColor = ui::clSilver;
    New_GB.Hide();
    N_Name_E.SetBounds(16, 24, 121, 21);
    N_Name_E.MaxLength = 25;
    N_Name_E.SetText("New City");
    N_Easy_RB.Caption = "Easy";
    N_Easy_RB.SetBounds(16, 56, 57, 17);
    N_Easy_RB.SetChecked(true);
    N_Hard_RB.Caption = "Hard";
    N_Hard_RB.SetBounds(80, 56, 57, 17);
    N_Ok_B.Caption = "Ok";
    N_Ok_B.SetBounds(40, 92, 75, 25);
    N_Ok_B.OnClick = [this] { N_Ok_BClick(); };

    Console_P.Hide();
    C_Input_E.SetBounds(8, 8, 632, 23);
    C_Input_E.MaxLength = 64;
    C_Input_E.OnKeyDown = [this](std::uint16_t& key, ui::ShiftState shift) { C_Input_EKeyDown(key, shift); };
    C_Memo.SetBounds(8, 32, 633, 97);
    C_Memo.BackColor = ui::clSilver;
    C_Memo.Insert(0, "");

    Tools_GB.Caption = "Tools";
    Tools_GB.SetBounds(0, 326, 268, 115);
    Tools_GB.BackColor = ui::clSilver;
    Tools_GB.Hide();

    Clock.SetInterval(100);
    Clock.SetEnabled(false);
}

void TMainForm::RegisterAll() {
    Register(*this);
    std::vector<ui::MenuItem*> stack{&MainMenu};
    while (!stack.empty()) {
        ui::MenuItem* item = stack.back();
        stack.pop_back();
        Register(*item);
        for (auto& child : item->Items())
            stack.push_back(child.get());
    }
    std::vector<ui::Control*> controls{this};
    while (!controls.empty()) {
        ui::Control* c = controls.back();
        controls.pop_back();
        Register(*c);
        for (ui::Control* child : c->Children())
            controls.push_back(child);
    }
}

void TMainForm::CentreOnScreen(ui::Control& box) {
    auto& screen = ui::Screen::Instance();
    box.Left = (screen.Width - box.Width) / 2;
    box.Top = static_cast<int>((screen.Height - box.Height) * 0.4);
}

void TMainForm::RunCommand(const std::string& line, bool echo, bool recordHistory) {
    Interpreter.RunCommand(line, echo, recordHistory);
}

void TMainForm::FormCreate() {
    auto& screen = ui::Screen::Instance();
    if (!seeded_)
        City.Seed(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    RunCommand(CommandHistory::Instance().ResetHistory(), true, false);
    RunCommand("GET_LOCATION;", true, false);
    for (int code = 1; code < city::kObjectCodes; ++code)
        City.ObjectTypes[static_cast<size_t>(code)].spritePicture = 0;
    RunCommand("EXEC; City.ini;", true, false);
    StartGraphics();

    Console_P.SetBounds(0, screen.Height - 175, screen.Width, 137);
    CentreOnScreen(New_GB);
    CentreOnScreen(Start_GB);
    Budget->Centre(screen.Width, screen.Height);

    RunCommand("EXEC; Default.ini;", true, false);
    City.BuildViewGrid();
    City.ResetCityCounters();
    RunCommand("Code; 20; 1; 0; 3; 0; 0; 0; Railway;", false, false);

    AboutBox = std::make_unique<TAboutBox>();
    HowToPlayBox = std::make_unique<THowToPlayBox>();
    SoundBox = std::make_unique<TSoundBox>(*this);
    for (ui::Form* box : std::initializer_list<ui::Form*>{AboutBox.get(), HowToPlayBox.get(), SoundBox.get()})
        for (auto& [name, component] : box->Components())
            Register(*component);
}

void TMainForm::FormActivate() {
    if (activated_)
        return;
    activated_ = true;
    Show();
    // A city named on the command line opens straight away, without the intro; one
    // that cannot be loaded has said why, and the title and the start box follow.
    if (!StartCityFile.empty()) {
        Qor_Back->Hide();
        Plazo_Back->Hide();
        if (LoadCity(StartCityFile)) {
            DestroyIntro();
            return;
        }
    } else if (City.playVideos) {
        PlayIntro();
    }
    Qor_Back->Hide();
    Plazo_Back->Hide();
    Title_I.PicturePath = City.programDir + "\\Graphics\\title.bmp";
    Title_I.SetBounds(120, 20, 400, 400);
    Title_I.Show();
    Start_GB.Show();
    DestroyIntro();
}

void TMainForm::PlayIntro() {
    auto& app = ui::Application::Instance();
    const struct {
        ui::MediaPlayer* player;
        const char* file;
        std::uint64_t waitMs;
    } videos[] = {{Qor_Video.get(), "qor.avi", 1600}, {Plazo_Video.get(), "city_title.avi", 3400}};
    for (const auto& video : videos) {
        try {
            video.player->FileName = City.programDir + "\\Graphics\\" + video.file;
            video.player->Open();
            video.player->Play();
        } catch (const ui::EMCIDeviceError& error) {
            // A video that cannot play is reported and left out; start-up goes on to
            // the title picture rather than stopping with an empty window.
            app.ShowException(error);
            continue;
        }
        if (app.Wait(video.waitMs, true) || app.Terminated())
            return; // the player skipped the rest of the intro
    }
}

void TMainForm::DestroyIntro() {
    for (ui::Component* part : std::initializer_list<ui::Component*>{Qor_Video.get(), Plazo_Video.get(), Qor_Back.get(), Plazo_Back.get()})
        if (part)
            Unregister(*part);
    Qor_Video.reset();
    Plazo_Video.reset();
    Qor_Back.reset();
    Plazo_Back.reset();
}

void TMainForm::StartCityView() {
    New_GB.Hide();
    Title_I.Hide();
    Panel1.Show();
    Tools_GB.SetVisible(true);
    Horz_SB.Show();
    Vert_SB.Show();
    Panel1.Caption = City.cityName;
    F_Save->Enabled = true;
    // A new city's history begins with the month it starts in; a load replaces it
    // with the one kept beside its file.
    History.Clear();
    History.Record(City);
    // The networks are worked out after this: the map redraws with the first tick.
    Map->Invalidate();
    Graphs->Refresh(true);
    DrawFrame();
    RunCommand("SPEED; " + std::to_string(6000) + ";", false, false);
    // Every city starts at Medium speed; the menu's mark says so.
    for (ui::MenuItem* item : {S_Pause, S_Slow, S_Medium, S_Fast})
        item->Checked = item == S_Medium;
    RunCommand("SET_TOOL; 1; 9; Bulldoze; 10; BULLDOZE.WAV;", false, false);
}

void TMainForm::N_Ok_BClick() {
    City.GenerateLandscape();
    City.cityName = N_Name_E.Text();
    if (N_Easy_RB.Checked())
        City.funds = 20000;
    else if (N_Hard_RB.Checked())
        City.funds = 10000;
    City.cityRank = 1;
    City.residentialPop = City.commercialPop = City.industrialPop = 0;
    City.month = 1;
    City.year = 1950;
    City.monthLength = 6000;
    StartCityView();
    city::FillBudgetPanel(City, *this);
    city::RecomputeNetworks(City, *this);
    city::UnlockStep(City, *this);
    // A city just begun has nothing to lose, and no file of its own yet.
    MarkCitySaved("");
}

void TMainForm::C_Input_EKeyDown(std::uint16_t& key, ui::ShiftState) {
    auto& history = CommandHistory::Instance();
    switch (key) {
    case ui::VK_RETURN:
        key = ui::VK_NONE;
        RunCommand(C_Input_E.Text(), true, true);
        RedrawWhilePaused();
        break;
    case ui::VK_UP:
        key = ui::VK_NONE;
        C_Input_E.SetText(history.OlderEntry());
        break;
    case ui::VK_DOWN:
        key = ui::VK_NONE;
        C_Input_E.SetText(history.NewerEntry());
        break;
    default:
        break;
    }
}

void TMainForm::W_ConsoleClick() {
    W_Console->Checked = !W_Console->Checked;
    Console_P.SetVisible(W_Console->Checked);
    C_Input_E.Clear();
    if (W_Console->Checked) {
        // The console opens in front of the tool box and, once the map is shown, just
        // below its scroll bar, so that its input line is never hidden behind it.
        if (Horz_SB.Visible())
            Console_P.Top = std::min(Horz_SB.Top + Horz_SB.Height, ui::Screen::Instance().Height - Console_P.Height);
        Console_P.BringToFront();
        ActiveControl = &C_Input_E;
    } else if (ActiveControl == &C_Input_E) {
        ActiveControl = nullptr;
    }
}

void TMainForm::SpeedClick(ui::MenuItem* item, int monthLength) {
    for (ui::MenuItem* other : {S_Pause, S_Slow, S_Medium, S_Fast})
        other->Checked = other == item;
    RunCommand("SPEED; " + std::to_string(monthLength) + ";", true, false);
}

void TMainForm::ShowBudget(const BudgetFigures& figures, bool show) { Budget->ShowFigures(figures, show); }

void TMainForm::HideBudget() { Budget->Hide(); }

std::optional<int> TMainForm::BudgetPosition(int index) const { return Budget->Position(index); }

void TMainForm::SetUnlockItemEnabled(int unlock, bool enabled) { Tools->SetUnlockItemEnabled(unlock, enabled); }
