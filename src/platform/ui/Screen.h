// The screen: its size and the table of cursors by index.
#pragma once

#include <map>
#include <string>

namespace ui {

// A cursor, loaded from the program's resources by name.
struct Cursor {
    std::string resourceName;
    bool loaded = false;
};

class Screen {
public:
    static Screen& Instance();

    int Width = 640;
    int Height = 480;

    // Loads the cursor resource of that name; the cursor is not loaded when the
    // resource is missing (the platform then shows the default arrow).
    static Cursor LoadCursorResource(const std::string& name);

    void SetCursorAt(int index, const Cursor& cursor) { cursors_[index] = cursor; }
    // The cursor registered at index, or the default arrow.
    Cursor CursorAt(int index) const;
    int CurrentCursor() const { return current_; }
    void SetCurrentCursor(int index) { current_ = index; }
    void Reset() {
        cursors_.clear();
        current_ = 0;
    }

private:
    std::map<int, Cursor> cursors_;
    int current_ = 0;
};

} // namespace ui
