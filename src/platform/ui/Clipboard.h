// The clipboard that edit boxes cut, copy and paste through.
#pragma once

#include <functional>
#include <string>

namespace ui {

// Keeps its text in memory unless a backend hands it the system's clipboard (the SDL
// window does), so that headless runs and tests cut and paste all the same.
class Clipboard {
public:
    static Clipboard& Instance();

    std::string Text() const { return get ? get() : text_; }
    void SetText(const std::string& text) {
        if (set)
            set(text);
        else
            text_ = text;
    }

    // The system's clipboard, when there is one; empty functions mean the memory.
    std::function<std::string()> get;
    std::function<void(const std::string&)> set;

private:
    std::string text_;
};

} // namespace ui
