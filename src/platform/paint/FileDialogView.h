// The toolkit's file dialog: a file name box over a list of the folder's folders and
// matching files with their dates, with buttons for the folder above and the places.
#pragma once

#include "platform/paint/FrameBuffer.h"
#include "platform/ui/Edit.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ui {
class FileDialog;
}

namespace paint {

class WidgetPainter;

class FileDialogView {
public:
    // One line of the list: a folder (entered by a double click) or a file.
    struct Entry {
        std::string name;
        bool folder = false;
        std::string date; // "YYYY-MM-DD HH:MM" of the last change; empty for folders
    };

    // Lists the folder of the dialog (InitialDir, else the current folder): its
    // folders, then its files that match the patterns of its Filter.
    explicit FileDialogView(const ui::FileDialog& dialog);

    const std::string& Caption() const { return caption_; }
    const std::string& Folder() const { return folder_; }
    const std::vector<Entry>& Entries() const { return entries_; }
    // The names of the listed files (folders left out).
    std::vector<std::string> Files() const;
    ui::Edit& NameBox() { return name_; }
    // Why the last choice was refused ("path must exist", "file must exist"), or empty.
    const std::string& Notice() const { return notice_; }

    bool Done() const { return done_; }
    // The chosen path (the folder joined to the typed name unless it is absolute),
    // or nothing when cancelled.
    const std::optional<std::string>& Result() const { return result_; }

    // Lists another folder (the name box keeps its text).
    void Enter(const std::string& folder);
    void Up();

    void Layout(const Rect& screen);
    const Rect& Client() const { return client_; }
    Rect ListRect() const;
    Rect OkRect() const;
    Rect CancelRect() const;
    // The buttons above the list: 0 is "Up", then one for each place.
    Rect PlaceRect(int index) const;
    int EntryAt(int x, int y) const;
    int FileAt(int x, int y) const { return EntryAt(x, y); }

    void MouseDown(int x, int y, int clicks);
    void MouseUp(int x, int y);
    void Wheel(int delta);
    void KeyDown(std::uint16_t key, std::uint8_t shift);
    void TypeText(const std::string& text) { name_.TypeText(text); }

    void Paint(FrameBuffer& frame, WidgetPainter& painter, bool caretOn) const;

    // Does a file name match one of the filter's patterns ("*.PZ1;*.TXT"), ignoring case?
    static bool Matches(const std::string& name, const std::vector<std::string>& patterns);
    // The patterns of a filter's first entry: "City files (*.PZ1)|*.PZ1" gives {"*.PZ1"}.
    static std::vector<std::string> PatternsOf(const std::string& filter);

private:
    void Accept();
    void Choose(int index, bool open);

    std::string caption_;
    std::string okCaption_;
    std::string folder_;
    std::vector<std::string> patterns_;
    std::string defaultExt_;
    unsigned options_ = 0;
    bool save_ = false;
    std::vector<std::pair<std::string, std::string>> places_;
    std::vector<Entry> entries_;
    std::string notice_;
    ui::Edit name_{"FileName"};
    int selected_ = -1;
    int scroll_ = 0;
    int pressed_ = 0; // 1 OK, 2 Cancel, 10 + n the place button n
    bool done_ = false;
    std::optional<std::string> result_;
    Rect client_;
};

} // namespace paint
