// Listing, choosing and painting in the file dialog.
#include "platform/paint/FileDialogView.h"

#include "platform/paint/WidgetPainter.h"
#include "platform/ui/FileDialog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace paint {

using namespace theme;

namespace {

constexpr int kW = 360, kH = 250, kMargin = 10, kButtonW = 75, kButtonH = 23;

std::string Lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A wildcard match with '*' and '?'.
bool Glob(const char* pattern, const char* text) {
    if (*pattern == 0)
        return *text == 0;
    if (*pattern == '*')
        return Glob(pattern + 1, text) || (*text && Glob(pattern, text + 1));
    if (*text && (*pattern == '?' || *pattern == *text))
        return Glob(pattern + 1, text + 1);
    return false;
}

} // namespace

std::vector<std::string> FileDialogView::PatternsOf(const std::string& filter) {
    std::vector<std::string> patterns;
    auto bar = filter.find('|');
    if (bar == std::string::npos)
        return patterns;
    std::string list = filter.substr(bar + 1);
    list = list.substr(0, list.find('|'));
    std::size_t start = 0;
    while (start <= list.size()) {
        auto semi = list.find(';', start);
        std::string p = list.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
        if (!p.empty())
            patterns.push_back(p);
        if (semi == std::string::npos)
            break;
        start = semi + 1;
    }
    return patterns;
}

bool FileDialogView::Matches(const std::string& name, const std::vector<std::string>& patterns) {
    if (patterns.empty())
        return true;
    std::string lowered = Lower(name);
    for (const auto& p : patterns)
        if (Glob(Lower(p).c_str(), lowered.c_str()))
            return true;
    return false;
}

FileDialogView::FileDialogView(const ui::FileDialog& dialog) {
    bool save = dialog.kind == ui::FileDialog::Kind::Save;
    caption_ = !dialog.Title.empty() ? dialog.Title : save ? "Save As" : "Open";
    okCaption_ = save ? "Save" : "Open";
    namespace fs = std::filesystem;
    std::error_code ec;
    folder_ = !dialog.InitialDir.empty() ? dialog.InitialDir : fs::current_path(ec).string();
    auto patterns = PatternsOf(dialog.Filter);
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError))
            continue;
        std::string name = entry.path().filename().string();
        if (Matches(name, patterns))
            files_.push_back(name);
    }
    std::sort(files_.begin(), files_.end(), [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    name_.SetText(dialog.FileName);
    // The offered name is selected: typing a new one replaces it.
    name_.SelectAll();
}

void FileDialogView::Layout(const Rect& screen) {
    client_ = Rect{screen.x + (screen.w - kW) / 2, screen.y + (screen.h - kH) / 2 + kTitleHeight / 2, kW, kH};
    name_.SetBounds(kMargin + 70, kMargin, kW - 2 * kMargin - 70, 21);
}

Rect FileDialogView::ListRect() const {
    return Rect{client_.x + kMargin, client_.y + kMargin + 52, kW - 2 * kMargin, kH - 2 * kMargin - 52 - kButtonH - 8};
}

Rect FileDialogView::OkRect() const {
    return Rect{client_.Right() - kMargin - 2 * kButtonW - 6, client_.Bottom() - kMargin - kButtonH, kButtonW, kButtonH};
}

Rect FileDialogView::CancelRect() const {
    return Rect{client_.Right() - kMargin - kButtonW, client_.Bottom() - kMargin - kButtonH, kButtonW, kButtonH};
}

int FileDialogView::FileAt(int x, int y) const {
    Rect list = ListRect().Inflated(-2);
    if (!list.Contains(x, y))
        return -1;
    int index = scroll_ + (y - list.y - 1) / FrameBuffer::TextHeight();
    return index >= 0 && index < int(files_.size()) ? index : -1;
}

void FileDialogView::Accept() {
    std::string name = name_.Text();
    if (name.empty())
        return;
    bool absolute = name[0] == '/' || name[0] == '\\' || (name.size() > 1 && name[1] == ':');
    result_ = absolute ? name : folder_ + "/" + name;
    done_ = true;
}

void FileDialogView::MouseDown(int x, int y, int clicks) {
    pressed_ = OkRect().Contains(x, y) ? 1 : CancelRect().Contains(x, y) ? 2 : 0;
    int file = FileAt(x, y);
    if (file >= 0) {
        selected_ = file;
        name_.SetText(files_[std::size_t(file)]);
        if (clicks >= 2)
            Accept();
    }
}

void FileDialogView::MouseUp(int x, int y) {
    if (pressed_ == 1 && OkRect().Contains(x, y))
        Accept();
    else if (pressed_ == 2 && CancelRect().Contains(x, y)) {
        result_.reset();
        done_ = true;
    }
    pressed_ = 0;
}

void FileDialogView::Wheel(int delta) {
    int visible = std::max(1, (ListRect().h - 4) / FrameBuffer::TextHeight());
    int maxScroll = std::max(0, int(files_.size()) - visible);
    scroll_ = std::clamp(scroll_ - delta * 3, 0, maxScroll);
}

void FileDialogView::KeyDown(std::uint16_t key, std::uint8_t shift) {
    if (key == ui::VK_RETURN) {
        Accept();
    } else if (key == ui::VK_ESCAPE) {
        result_.reset();
        done_ = true;
    } else if ((key == ui::VK_UP || key == ui::VK_DOWN) && !files_.empty()) {
        selected_ = std::clamp(selected_ + (key == ui::VK_UP ? -1 : 1), 0, int(files_.size()) - 1);
        name_.SetText(files_[std::size_t(selected_)]);
    } else {
        name_.KeyDown(key, shift);
    }
}

void FileDialogView::Paint(FrameBuffer& frame, WidgetPainter& painter, bool caretOn) const {
    painter.PaintWindowFrame(client_, caption_, true);
    frame.Fill(client_, kFace);
    frame.Text(client_.x + kMargin, client_.y + kMargin + 4, "File name:", kText);
    PaintState state;
    state.focused = &name_;
    state.caretOn = caretOn;
    ImageCache none;
    WidgetPainter edits(frame, none, state);
    edits.PaintControl(name_, Rect{client_.x + name_.Left, client_.y + name_.Top, name_.Width, name_.Height});
    frame.Text(client_.x + kMargin, client_.y + kMargin + 32, "Folder: " + folder_, kText);
    Rect list = ListRect();
    frame.Fill(list, kWindow);
    frame.DrawBevel(list, Bevel::Sunken);
    Rect inner = list.Inflated(-2);
    Rect saved = frame.Clip();
    frame.SetClip(saved.Intersect(inner));
    int lineH = FrameBuffer::TextHeight();
    for (int i = scroll_, y = inner.y + 1; i < int(files_.size()) && y < inner.Bottom(); ++i, y += lineH) {
        bool sel = i == selected_;
        if (sel)
            frame.Fill(Rect{inner.x, y, inner.w, lineH}, kSelection);
        frame.Text(inner.x + 2, y, files_[std::size_t(i)], sel ? kSelectionText : kText);
    }
    frame.SetClip(saved);
    painter.PaintButtonFace(OkRect(), okCaption_, pressed_ == 1, true, true, false);
    painter.PaintButtonFace(CancelRect(), "Cancel", pressed_ == 2, true, false, false);
}

} // namespace paint
