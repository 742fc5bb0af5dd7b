// The headless driver: runs the whole game from lines of standard input.
#pragma once

#include <deque>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class TMainForm;
namespace headless {
class HeadlessBackend;
}
namespace paint {
class Desktop;
}

// Reads one line at a time: directives (":press R_Road") act as a player would;
// other lines are typed into the console. Every event prints one output line.
class HeadlessDriver {
public:
    HeadlessDriver(TMainForm& form, headless::HeadlessBackend& backend, std::istream& in, std::ostream& out);
    ~HeadlessDriver();

    // Handles the next input line; false at the end of input.
    bool HandleNextLine();
    // Handles one line (directive or console line).
    void HandleLine(const std::string& line);

    void Print(const std::string& line);

    TMainForm& Form() { return form_; }
    headless::HeadlessBackend& Backend() { return backend_; }

    // Whether a line is something the player does (a console line, a key, a click, a
    // widget pressed...) rather than a question to the driver or the passing of time.
    static bool IsPlayerInput(const std::string& line);

private:
    void RunDirective(const std::string& line);
    void PrintState();
    void PrintCell(int x, int y);
    bool Dump(const std::string& path);
    void Press(const std::string& name);
    void Key(const std::vector<std::string>& words);
    void TypeText(const std::string& text);
    void Set(const std::string& name, const std::string& value);
    void NewCity(const std::string& name, bool hard);
    void Tick(int count);
    // The screen as a PNG file; the mouse at a client pixel; the mouse on a map cell.
    void Shot(const std::string& path);
    bool WindowShot(const std::string& path);
    void Mouse(int x, int y, bool click, bool shift);
    void MapClick(int x, int y, bool shift);
    // The window's own pointer at window pixel (x, y) (the menu bar included), as a
    // player's mouse reaches the widgets and the map: a click, or a press held from
    // one pixel to another and let go there.
    void Point(int x, int y, bool shift);
    void Drag(int x0, int y0, int x1, int y1);
    // The window as the player sees it, drawn the same way for screenshots and the
    // pointer directives.
    paint::Desktop& Window();
    std::unique_ptr<paint::Desktop> window_;

    TMainForm& form_;
    headless::HeadlessBackend& backend_;
    std::istream& in_;
    std::ostream& out_;
    // Player input that came while a handler waited, to be handled after the wait.
    std::deque<std::string> deferred_;
};
