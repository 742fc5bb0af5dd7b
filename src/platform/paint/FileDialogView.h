// The toolkit's file dialog: a file name box over a list of the folder's matching files.
#pragma once

#include "platform/paint/FrameBuffer.h"
#include "platform/ui/Edit.h"

#include <optional>
#include <string>
#include <vector>

namespace ui {
class FileDialog;
}

namespace paint {

class WidgetPainter;

class FileDialogView {
public:
    // Lists the folder of the dialog (InitialDir, else the current folder) filtered by
    // the patterns of its Filter.
    explicit FileDialogView(const ui::FileDialog& dialog);

    const std::string& Caption() const { return caption_; }
    const std::string& Folder() const { return folder_; }
    const std::vector<std::string>& Files() const { return files_; }
    ui::Edit& NameBox() { return name_; }

    bool Done() const { return done_; }
    // The chosen path (the folder joined to the typed name unless it is absolute),
    // or nothing when cancelled.
    const std::optional<std::string>& Result() const { return result_; }

    void Layout(const Rect& screen);
    const Rect& Client() const { return client_; }
    Rect ListRect() const;
    Rect OkRect() const;
    Rect CancelRect() const;
    int FileAt(int x, int y) const;

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

    std::string caption_;
    std::string okCaption_;
    std::string folder_;
    std::vector<std::string> files_;
    ui::Edit name_{"FileName"};
    int selected_ = -1;
    int scroll_ = 0;
    int pressed_ = 0; // 1 OK, 2 Cancel
    bool done_ = false;
    std::optional<std::string> result_;
    Rect client_;
};

} // namespace paint
