// The player's settings: what settings.ini remembers and how it reaches the game.
#pragma once

#include <optional>
#include <string>

class TMainForm;

// Every entry is optional: a file that does not mention one leaves the game's own
// choice (the start-up scripts' or the menus' initial marks) in place.
struct PlayerSettings {
    std::optional<int> volume; // the sound box's step, 0 to 15
    // Enable Sound and Sound Effects are one switch of the wave component.
    std::optional<bool> sound;
    std::optional<bool> cdAudio;
    std::optional<bool> autoBudget;
    std::optional<bool> autosave;
    std::optional<int> windowScale; // 0: the largest whole multiple that fits
    std::optional<bool> fullScreen;
    std::string openFolder;
    std::string saveFolder;

    bool operator==(const PlayerSettings&) const = default;

    // Reads "key = value" lines; blank lines and lines starting with '#' are skipped.
    // Unknown keys and bad values are ignored; warning then names the first of them.
    static PlayerSettings Parse(const std::string& text, std::string& warning);
    std::string Format() const;

    // A missing or unreadable file gives the defaults (nothing set); warning tells
    // of an unreadable file or of ignored lines.
    static PlayerSettings Load(const std::string& path, std::string& warning);
    // Writes the file whole, its folder made first, the old file replaced at once.
    bool Store(const std::string& path, std::string& error) const;

    // Puts the settings into the game: menu marks, the sound component and its box,
    // the dialogs' folders. Runs no command line, so no reply changes.
    void ApplyTo(TMainForm& form) const;
    // Takes the game's current choices (the window's entries stay as they are).
    void CollectFrom(const TMainForm& form);
};
