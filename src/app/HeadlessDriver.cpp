// Directives of the headless driver and the console lines it types.
#include "app/HeadlessDriver.h"

#include "city/CityInput.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/paint/Desktop.h"
#include "platform/ddraw/DDraw.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Exception.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/ui/RangeControls.h"
#include "platform/os/UserDirs.h"
#include "shell/PlayerFiles.h"
#include "shell/DragPreview.h"
#include "shell/TAboutBox.h"
#include "shell/THowToPlayBox.h"
#include "shell/TMainForm.h"
#include "shell/TSoundBox.h"
#include "view/MapRenderer.h"

#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

namespace {

std::vector<std::string> Words(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    std::string word;
    while (stream >> word)
        words.push_back(word);
    return words;
}

// The text after the first word (the directive's name) and one blank.
std::string Rest(const std::string& line) {
    auto space = line.find(' ');
    return space == std::string::npos ? std::string() : line.substr(space + 1);
}

bool ToInt(const std::string& text, int& value) { return ui::TryStrToInt(text, value); }

} // namespace

HeadlessDriver::~HeadlessDriver() = default;

HeadlessDriver::HeadlessDriver(TMainForm& form, headless::HeadlessBackend& backend, std::istream& in,
                               std::ostream& out)
    : form_(form), backend_(backend), in_(in), out_(out) {}

// Lines are flushed when the driver waits for its next input line, not one by one: a
// zoned month prints a line for every score, and whoever reads them can only be
// waiting for what came before the next line it sends.
void HeadlessDriver::Print(const std::string& line) { out_ << line << '\n'; }

bool HeadlessDriver::HandleNextLine() {
    auto& app = ui::Application::Instance();
    if (!deferred_.empty() && !app.Waiting()) {
        std::string line = deferred_.front();
        deferred_.pop_front();
        HandleLine(line);
        return true;
    }
    std::string line;
    out_.flush();
    if (!std::getline(in_, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (app.Waiting() && IsPlayerInput(line)) {
        // The window takes no input while a handler waits (the intro). A key press or
        // a click skips a skippable wait and is used up by it; any other action of the
        // player skips it too and then happens, once the wait is over.
        const bool skipped = app.InputDuringWait();
        const bool keyOrClick = line.rfind(":key ", 0) == 0 || line.rfind(":click ", 0) == 0;
        if (!skipped || !keyOrClick)
            deferred_.push_back(line);
        return true;
    }
    HandleLine(line);
    return true;
}

bool HeadlessDriver::IsPlayerInput(const std::string& line) {
    if (line.empty() || line.rfind("//", 0) == 0)
        return false;
    if (line[0] != ':')
        return true; // typed into the console
    const std::string name = line.substr(0, line.find(' '));
    for (const char* input : {":press", ":key", ":type", ":set", ":move", ":click", ":point", ":map", ":new"})
        if (name == input)
            return true;
    return false;
}

void HeadlessDriver::HandleLine(const std::string& line) {
    if (line.empty() || line.rfind("//", 0) == 0)
        return;
    auto& app = ui::Application::Instance();
    app.HandleEvent([&] {
        if (line[0] == ':') {
            RunDirective(line);
            return;
        }
        // A player's line: typed into the console's box, then Enter.
        form_.C_Input_E.Clear();
        form_.C_Input_E.TypeText(line);
        std::uint16_t key = ui::VK_RETURN;
        form_.C_Input_E.KeyDown(key, 0);
    });
}

void HeadlessDriver::RunDirective(const std::string& line) {
    std::vector<std::string> words = Words(line);
    const std::string& name = words[0];
    const std::string rest = Rest(line);
    int a = 0, b = 0, c = 0, d = 0;
    if (name == ":answer" && words.size() >= 2) {
        int answer = ui::ButtonFromName(words[1].c_str());
        if (answer)
            backend_.QueueAnswer(answer);
        else
            Print("driver: unknown button \"" + words[1] + "\"");
    } else if (name == ":file" && !rest.empty()) {
        backend_.QueueFile(rest);
    } else if (name == ":accept") {
        backend_.QueueAccept();
    } else if (name == ":cancel") {
        backend_.QueueFile(std::nullopt);
    } else if (name == ":new") {
        bool hard = words.size() >= 3 && words.back() == "hard";
        std::string cityName = rest;
        if (hard)
            cityName = cityName.substr(0, cityName.size() - 4);
        while (!cityName.empty() && cityName.back() == ' ')
            cityName.pop_back();
        NewCity(cityName, hard);
    } else if (name == ":press" && words.size() >= 2) {
        Press(words[1]);
    } else if (name == ":key" && words.size() >= 2) {
        Key(words);
    } else if (name == ":type") {
        TypeText(rest);
    } else if (name == ":set" && words.size() >= 3) {
        Set(words[1], Rest(rest));
    } else if (name == ":tick") {
        int count = 1;
        if (words.size() >= 2 && !ToInt(words[1], count))
            count = 0;
        Tick(count);
    } else if (name == ":hold" && words.size() >= 2 && ToInt(words[1], a) && a >= 0) {
        // N ticks of the 100 ms clock.
        backend_.HoldNextBox(static_cast<std::uint64_t>(a) * 100);
    } else if (name == ":wait" && words.size() >= 2 && ToInt(words[1], a) && a > 0) {
        backend_.Advance(static_cast<std::uint64_t>(a));
    } else if (name == ":state") {
        PrintState();
    } else if (name == ":cell" && words.size() >= 3 && ToInt(words[1], a) && ToInt(words[2], b)) {
        PrintCell(a, b);
    } else if (name == ":view") {
        Print("view: horz=" + std::to_string(form_.Horz_SB.Position()) +
              " vert=" + std::to_string(form_.Vert_SB.Position()));
    } else if (name == ":screen") {
        for (int slot = 0; slot < CommandInterpreter::kScreenLines; ++slot)
            Print("screen " + std::to_string(slot) + ": " + form_.Interpreter.ScreenLine(slot));
    } else if (name == ":shot" && !rest.empty()) {
        Shot(rest);
    } else if (name == ":window" && !rest.empty()) {
        WindowShot(rest);
    } else if ((name == ":move" || name == ":click") && words.size() >= 3 && ToInt(words[1], a) &&
               ToInt(words[2], b)) {
        Mouse(a, b, name == ":click", words.size() >= 4 && words[3] == "shift");
    } else if (name == ":point" && words.size() >= 3 && ToInt(words[1], a) && ToInt(words[2], b)) {
        Point(a, b, words.size() >= 4 && words[3] == "shift");
    } else if (name == ":hover" && words.size() >= 3 && ToInt(words[1], a) && ToInt(words[2], b)) {
        Window().MouseMove(a, b, 0, backend_.NowMs());
    } else if (name == ":drag" && words.size() >= 5 && ToInt(words[1], a) && ToInt(words[2], b) && ToInt(words[3], c) &&
               ToInt(words[4], d)) {
        Drag(a, b, c, d);
    } else if (name == ":map" && words.size() >= 3 && ToInt(words[1], a) && ToInt(words[2], b)) {
        MapClick(a, b, words.size() >= 4 && words[3] == "shift");
    } else if (name == ":close") {
        // The window's close button: the game ends unless the player chose to stay.
        if (ui::Application::Instance().CloseQuery())
            ui::Application::Instance().Terminate();
    } else if (name == ":mark") {
        Print("mark: " + rest);
    } else if (name == ":dump" && !rest.empty()) {
        if (!Dump(rest))
            Print("driver: can't write \"" + rest + "\"");
    } else {
        Print("driver: unknown directive \"" + line + "\"");
    }
}

void HeadlessDriver::Tick(int count) {
    for (int i = 0; i < count && !ui::Application::Instance().Terminated(); ++i)
        if (form_.Clock.Enabled())
            form_.Clock.Fire();
}

void HeadlessDriver::Shot(const std::string& path) {
    // Frames that are not drawn as they happen are drawn once for the picture.
    if (form_.Renderer && !form_.Renderer->ComposeFrames && form_.GameScreenShown())
        form_.ShowMap();
    std::string error;
    if (!ddraw::SaveVirtualScreenPng(path, &error))
        Print("driver: can't write \"" + path + "\": " + error);
}

bool HeadlessDriver::WindowShot(const std::string& path) {
    if (form_.Renderer && !form_.Renderer->ComposeFrames && form_.GameScreenShown())
        form_.ShowMap();
    // The frame a player's window shows: the menu bar, the game's screen and every
    // widget on top of it, without the mouse pointer.
    paint::Desktop& desktop = Window();
    desktop.paintCursor = false;
    desktop.displayLayer =
        form_.GameScreenShown() ? paint::Desktop::DisplayLayer::Always : paint::Desktop::DisplayLayer::Never;
    std::string error;
    if (desktop.SaveScreenshot(path, backend_.NowMs(), &error))
        return true;
    Print("driver: can't write \"" + path + "\": " + error);
    return false;
}

paint::Desktop& HeadlessDriver::Window() {
    if (!window_) {
        window_ = std::make_unique<paint::Desktop>();
        window_->SetMainForm(&form_);
        form_.Preview->InstallOn(*window_);
    }
    // The boxes exist once the start-up has made them.
    if (form_.AboutBox)
        window_->AddForm(form_.AboutBox.get());
    if (form_.HowToPlayBox)
        window_->AddForm(form_.HowToPlayBox.get());
    if (form_.SoundBox)
        window_->AddForm(form_.SoundBox.get());
    return *window_;
}

void HeadlessDriver::Mouse(int x, int y, bool click, bool shift) {
    // The mouse mapping fed the client pixel as it is, without the window's translation.
    if (!form_.Input)
        return;
    form_.Input->FormMouseMove(shift, x, y);
    if (click)
        form_.Input->FormMouseDown(0, shift, x, y);
}

void HeadlessDriver::Point(int x, int y, bool shift) {
    paint::Desktop& window = Window();
    const std::uint64_t now = backend_.NowMs();
    const ui::ShiftState state = shift ? ui::ssShift : 0;
    window.MouseMove(x, y, state, now);
    window.MouseDown(ui::MouseButton::Left, x, y, state | ui::ssLeft, 1, now);
    window.MouseUp(ui::MouseButton::Left, x, y, state, now);
}

void HeadlessDriver::Drag(int x0, int y0, int x1, int y1) {
    paint::Desktop& window = Window();
    const std::uint64_t now = backend_.NowMs();
    window.MouseMove(x0, y0, 0, now);
    window.MouseDown(ui::MouseButton::Left, x0, y0, ui::ssLeft, 1, now);
    window.MouseMove(x1, y1, ui::ssLeft, now);
    window.MouseUp(ui::MouseButton::Left, x1, y1, 0, now);
}

void HeadlessDriver::MapClick(int x, int y, bool shift) {
    const auto spot = city::PointAtCell(form_.City, form_.Horz_SB.Position(), form_.Vert_SB.Position(), x, y);
    if (!spot) {
        Print("driver: cell " + std::to_string(x) + " " + std::to_string(y) + " is off the map");
        return;
    }
    form_.Horz_SB.SetPosition(spot->horz);
    form_.Vert_SB.SetPosition(spot->vert);
    Mouse(spot->X, spot->Y, true, shift);
}

void HeadlessDriver::NewCity(const std::string& cityName, bool hard) {
    form_.F_NewCity->Click();
    // A player who kept the old city (Cancel when asked to save it) never sees the box.
    if (!form_.New_GB.Showing())
        return;
    form_.N_Name_E.Clear();
    form_.N_Name_E.TypeText(cityName);
    (hard ? form_.N_Hard_RB : form_.N_Easy_RB).Click();
    form_.N_Ok_B.Click();
}

void HeadlessDriver::Press(const std::string& name) {
    ui::Component* component = form_.FindComponent(name);
    if (!component) {
        Print("driver: unknown widget \"" + name + "\"");
        return;
    }
    component->Click();
}

void HeadlessDriver::Key(const std::vector<std::string>& words) {
    std::uint16_t key = ui::KeyFromName(words[1].c_str());
    if (key == ui::VK_NONE) {
        Print("driver: unknown key \"" + words[1] + "\"");
        return;
    }
    ui::ShiftState shift = 0;
    for (size_t i = 2; i < words.size(); ++i) {
        if (words[i] == "shift")
            shift |= ui::ssShift;
        else if (words[i] == "ctrl")
            shift |= ui::ssCtrl;
        else if (words[i] == "alt")
            shift |= ui::ssAlt;
    }
    // F12 is the window's own key: a picture of what the window shows, as the real
    // window takes it, into the player's pictures folder.
    if (key == ui::VK_F12 && shift == 0) {
        std::string folder = playerfiles::ScreenshotFolder(), error;
        std::string path = os::MakeFolders(folder, error) ? os::NewScreenshotPath(folder) : std::string();
        if (!path.empty() && WindowShot(path))
            form_.C_Memo.Insert(0, "Screenshot saved to " + path);
        else
            form_.C_Memo.Insert(0, "Screenshot failed: " + (error.empty() ? "can't write " + path : error));
        return;
    }
    // The focused window: an open modal box, else the main window.
    ui::Form* target = &form_;
    if (form_.SoundBox && form_.SoundBox->IsModal())
        target = form_.SoundBox.get();
    else if (form_.AboutBox && form_.AboutBox->IsModal())
        target = form_.AboutBox.get();
    target->KeyPress(key, shift);
}

void HeadlessDriver::TypeText(const std::string& text) {
    ui::Edit* edit = dynamic_cast<ui::Edit*>(form_.ActiveControl);
    if (!edit || !edit->Showing()) {
        if (form_.New_GB.Showing())
            edit = &form_.N_Name_E;
        else if (form_.Console_P.Showing())
            edit = &form_.C_Input_E;
        else
            edit = nullptr;
    }
    if (!edit) {
        Print("driver: no edit box has the focus");
        return;
    }
    edit->TypeText(text);
}

void HeadlessDriver::Set(const std::string& name, const std::string& value) {
    ui::Component* component = form_.FindComponent(name);
    int number = 0;
    if (auto* range = dynamic_cast<ui::RangeControl*>(component)) {
        if (!range->Enabled() || !ToInt(value, number))
            return;
        range->SetPosition(number);
    } else if (auto* edit = dynamic_cast<ui::Edit*>(component)) {
        if (!edit->Enabled())
            return;
        edit->Clear();
        edit->TypeText(value);
    } else if (auto* radio = dynamic_cast<ui::RadioButton*>(component)) {
        if (value == "1" || value == "true" || value == "on")
            radio->Click();
    } else if (auto* check = dynamic_cast<ui::CheckBox*>(component)) {
        bool wanted = value == "1" || value == "true" || value == "on";
        if (check->Checked != wanted)
            check->Click();
    } else {
        Print("driver: can't set \"" + name + "\"");
    }
}

void HeadlessDriver::PrintState() {
    const CityState& c = form_.City;
    std::ostringstream s;
    s << "state: name=\"" << c.cityName << "\" funds=" << c.funds << " month=" << c.month << " year=" << c.year
      << " rank=" << c.cityRank << " pop="
      << (std::int64_t{c.residentialPop} + c.commercialPop + c.industrialPop)
      << " R=" << c.residentialPop << " C=" << c.commercialPop << " I=" << c.industrialPop << " tax=" << c.taxRate
      << " police=" << c.policeFunding << " fire=" << c.fireFunding << " hospital=" << c.hospitalFunding
      << " education=" << c.educationFunding << " transport=" << c.transportFunding << " tool=\"" << c.toolName
      << "\" toolcode=" << c.toolCode << " price=" << c.toolPrice << " monthlength=" << c.monthLength
      << " clock=" << (form_.Clock.Enabled() ? "on" : "off")
      << " autobudget=" << (form_.O_A_Budget->Checked ? "on" : "off");
    Print(s.str());
}

void HeadlessDriver::PrintCell(int x, int y) {
    if (!CityState::OnMap(x, y)) {
        Print("driver: cell " + std::to_string(x) + " " + std::to_string(y) + " is off the map");
        return;
    }
    const TMapCell& m = form_.City.Cell(x, y);
    std::ostringstream s;
    s << "cell " << x << " " << y << ": code=" << m.code << " anchor=" << m.anchorX << "," << m.anchorY
      << " pending=" << m.pendingCode << " countdown=" << m.countdown << " powered=" << int(m.powered)
      << " sewered=" << int(m.sewered) << " watered=" << int(m.watered) << " traffic=" << m.traffic
      << " crime=" << m.crime << " pollution=" << m.pollution;
    Print(s.str());
}

bool HeadlessDriver::Dump(const std::string& path) {
    std::ofstream f(path, std::ios::binary);
    if (!f)
        return false;
    const CityState& c = form_.City;
    f << "name=" << c.cityName << "\nfunds=" << c.funds << "\nrank=" << c.cityRank << "\nR=" << c.residentialPop
      << "\nC=" << c.commercialPop << "\nI=" << c.industrialPop << "\nmonth=" << c.month << "\nyear=" << c.year
      << "\nmonthlength=" << c.monthLength << "\npowerCapacity=" << c.powerCapacity
      << "\nsewageCapacity=" << c.sewageCapacity << "\nwaterCapacity=" << c.waterCapacity
      << "\npowerLeft=" << c.powerLeft << "\nsewageLeft=" << c.sewageLeft << "\nwaterLeft=" << c.waterLeft
      << "\ntool=" << c.toolName << "\ntoolprice=" << c.toolPrice << "\ntoolcode=" << c.toolCode << "\nunlocks=";
    for (auto u : c.unlocks)
        f << int(u);
    f << "\ntax=" << c.taxRate << "\nfunding=" << c.policeFunding << "," << c.fireFunding << ","
      << c.hospitalFunding << "," << c.educationFunding << "," << c.transportFunding
      << "\nmessage=" << c.messageElapsed << "," << c.messageHold << "\nanimframe=" << c.animFrame
      << "\nmonthtime=" << form_.Clock.Tag << "\ndrag=" << c.dragStartX << "," << c.dragStartY << ","
      << c.dragEndX << "," << c.dragEndY << "\n";
    for (int i = 1; i < city::kMovers; ++i) {
        const TMover& m = c.Movers[static_cast<size_t>(i)];
        f << "mover " << i << " " << m.x << " " << m.y << " " << int(m.active) << " " << m.stepTicks << " "
          << m.tick << " " << m.kind << " " << m.basePicture << " " << m.direction << "\n";
    }
    for (int y = 0; y < city::kMapSize; ++y)
        for (int x = 0; x < city::kMapSize; ++x) {
            const TMapCell& m = c.Cell(x, y);
            f << x << " " << y << " " << m.code << " " << m.anchorX << " " << m.anchorY << " " << m.pendingCode
              << " " << m.countdown << " " << int(m.powered) << " " << int(m.sewered) << " " << int(m.watered)
              << " " << m.traffic << " " << m.crime << " " << m.pollution << "\n";
        }
    return static_cast<bool>(f);
}
