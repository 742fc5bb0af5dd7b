// Listing, choosing and painting in the file dialog.
#include "platform/paint/FileDialogView.h"

#include "platform/paint/WidgetPainter.h"
#include "platform/ui/FileDialog.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>

namespace paint {

using namespace theme;

namespace {

constexpr int kW = 440, kH = 300, kMargin = 10, kButtonW = 75, kButtonH = 23;

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
    save_ = dialog.kind == ui::FileDialog::Kind::Save;
    caption_ = !dialog.Title.empty() ? dialog.Title : save_ ? "Save As" : "Open";
    okCaption_ = save_ ? "Save" : "Open";
    patterns_ = PatternsOf(dialog.Filter);
    defaultExt_ = dialog.DefaultExt;
    while (!defaultExt_.empty() && (defaultExt_[0] == '*' || defaultExt_[0] == '.'))
        defaultExt_.erase(0, 1);
    options_ = dialog.Options;
    places_ = dialog.Places;
    std::error_code ec;
    Enter(!dialog.InitialDir.empty() ? dialog.InitialDir : std::filesystem::current_path(ec).string());
    name_.SetText(dialog.FileName);
    // The offered name is selected: typing a new one replaces it.
    name_.SelectAll();
}

void FileDialogView::Enter(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path path = fs::weakly_canonical(fs::path(folder), ec);
    folder_ = ec || path.empty() ? folder : path.string();
    entries_.clear();
    std::vector<Entry> files;
    for (const auto& entry : fs::directory_iterator(folder_, fs::directory_options::skip_permission_denied, ec)) {
        std::error_code typeError;
        std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.')
            continue; // hidden files and folders stay hidden, as the desktop keeps them
        if (entry.is_directory(typeError)) {
            entries_.push_back(Entry{name, true, {}});
        } else if (entry.is_regular_file(typeError) && Matches(name, patterns_)) {
            Entry e{name, false, {}};
            struct stat info {};
            if (::stat(entry.path().c_str(), &info) == 0) {
                std::tm local{};
                localtime_r(&info.st_mtime, &local);
                char text[32];
                std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
                e.date = text;
            }
            files.push_back(e);
        }
    }
    auto byName = [](const Entry& a, const Entry& b) { return Lower(a.name) < Lower(b.name); };
    std::sort(entries_.begin(), entries_.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    entries_.insert(entries_.end(), files.begin(), files.end());
    selected_ = -1;
    scroll_ = 0;
    notice_.clear();
}

void FileDialogView::Up() {
    std::filesystem::path parent = std::filesystem::path(folder_).parent_path();
    if (!parent.empty() && parent.string() != folder_)
        Enter(parent.string());
}

std::vector<std::string> FileDialogView::Files() const {
    std::vector<std::string> names;
    for (const Entry& e : entries_)
        if (!e.folder)
            names.push_back(e.name);
    return names;
}

void FileDialogView::Layout(const Rect& screen) {
    client_ = Rect{screen.x + (screen.w - kW) / 2, screen.y + (screen.h - kH) / 2 + kTitleHeight / 2, kW, kH};
    name_.SetBounds(kMargin + 70, kMargin, kW - 2 * kMargin - 70, 21);
}

Rect FileDialogView::PlaceRect(int index) const {
    constexpr int kPlaceW = 56;
    return Rect{client_.x + kMargin + index * (kPlaceW + 4), client_.y + kMargin + 28, kPlaceW, 21};
}

Rect FileDialogView::ListRect() const {
    return Rect{client_.x + kMargin, client_.y + kMargin + 72, kW - 2 * kMargin, kH - 2 * kMargin - 72 - kButtonH - 8};
}

Rect FileDialogView::OkRect() const {
    return Rect{client_.Right() - kMargin - 2 * kButtonW - 6, client_.Bottom() - kMargin - kButtonH, kButtonW, kButtonH};
}

Rect FileDialogView::CancelRect() const {
    return Rect{client_.Right() - kMargin - kButtonW, client_.Bottom() - kMargin - kButtonH, kButtonW, kButtonH};
}

int FileDialogView::EntryAt(int x, int y) const {
    Rect list = ListRect().Inflated(-2);
    if (!list.Contains(x, y))
        return -1;
    int index = scroll_ + (y - list.y - 1) / FrameBuffer::TextHeight();
    return index >= 0 && index < int(entries_.size()) ? index : -1;
}

void FileDialogView::Accept() {
    namespace fs = std::filesystem;
    std::string name = name_.Text();
    if (name.empty())
        return;
    if (name[0] == '~' && (name.size() == 1 || name[1] == '/'))
        if (const char* home = std::getenv("HOME"))
            name = home + name.substr(1);
    bool absolute = name[0] == '/';
    std::string path = absolute ? name : folder_ + "/" + name;
    std::error_code ec;
    // A folder's name opens that folder.
    if (fs::is_directory(path, ec)) {
        Enter(path);
        name_.Clear();
        return;
    }
    // A name without an extension gets the dialog's own.
    std::string file = fs::path(path).filename().string();
    if (!defaultExt_.empty() && file.find('.') == std::string::npos)
        path += "." + defaultExt_;
    if ((options_ & ui::ofPathMustExist) && !fs::is_directory(fs::path(path).parent_path(), ec)) {
        notice_ = "The folder " + fs::path(path).parent_path().string() + " does not exist.";
        return;
    }
    if ((options_ & ui::ofFileMustExist) && !fs::is_regular_file(path, ec)) {
        notice_ = "There is no file " + fs::path(path).filename().string() + " here.";
        return;
    }
    result_ = path;
    done_ = true;
}

void FileDialogView::Choose(int index, bool open) {
    const Entry& e = entries_[std::size_t(index)];
    selected_ = index;
    if (e.folder) {
        if (open)
            Enter(folder_ + "/" + e.name);
        return;
    }
    name_.SetText(e.name);
    if (open)
        Accept();
}

void FileDialogView::MouseDown(int x, int y, int clicks) {
    pressed_ = OkRect().Contains(x, y) ? 1 : CancelRect().Contains(x, y) ? 2 : 0;
    for (int i = 0; i <= int(places_.size()); ++i)
        if (PlaceRect(i).Contains(x, y))
            pressed_ = 10 + i;
    int entry = EntryAt(x, y);
    if (entry >= 0)
        Choose(entry, clicks >= 2);
}

void FileDialogView::MouseUp(int x, int y) {
    if (pressed_ == 1 && OkRect().Contains(x, y)) {
        Accept();
    } else if (pressed_ == 2 && CancelRect().Contains(x, y)) {
        result_.reset();
        done_ = true;
    } else if (pressed_ == 10 && PlaceRect(0).Contains(x, y)) {
        Up();
    } else if (pressed_ > 10 && PlaceRect(pressed_ - 10).Contains(x, y)) {
        Enter(places_[std::size_t(pressed_ - 11)].second);
    }
    pressed_ = 0;
}

void FileDialogView::Wheel(int delta) {
    int visible = std::max(1, (ListRect().h - 4) / FrameBuffer::TextHeight());
    int maxScroll = std::max(0, int(entries_.size()) - visible);
    scroll_ = std::clamp(scroll_ - delta * 3, 0, maxScroll);
}

void FileDialogView::KeyDown(std::uint16_t key, std::uint8_t shift) {
    if (key == ui::VK_RETURN) {
        // Enter on a chosen folder opens it; otherwise the typed name is taken.
        if (selected_ >= 0 && entries_[std::size_t(selected_)].folder)
            Choose(selected_, true);
        else
            Accept();
    } else if (key == ui::VK_ESCAPE) {
        result_.reset();
        done_ = true;
    } else if (key == ui::VK_BACK && (shift & ui::ssAlt)) {
        Up();
    } else if ((key == ui::VK_UP || key == ui::VK_DOWN) && !entries_.empty()) {
        selected_ = std::clamp(selected_ + (key == ui::VK_UP ? -1 : 1), 0, int(entries_.size()) - 1);
        Choose(selected_, false);
        int visible = std::max(1, (ListRect().h - 4) / FrameBuffer::TextHeight());
        scroll_ = std::clamp(scroll_, selected_ - visible + 1, selected_);
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
    painter.PaintButtonFace(PlaceRect(0), "Up", pressed_ == 10, true, false, false);
    for (std::size_t i = 0; i < places_.size(); ++i)
        painter.PaintButtonFace(PlaceRect(int(i) + 1), places_[i].first, pressed_ == 11 + int(i), true, false, false);
    Rect saved = frame.Clip();
    frame.SetClip(saved.Intersect(Rect{client_.x, client_.y, client_.w - kMargin, client_.h}));
    frame.Text(client_.x + kMargin, client_.y + kMargin + 54, folder_, kText);
    frame.SetClip(saved);
    Rect list = ListRect();
    frame.Fill(list, kWindow);
    frame.DrawBevel(list, Bevel::Sunken);
    Rect inner = list.Inflated(-2);
    frame.SetClip(saved.Intersect(inner));
    int lineH = FrameBuffer::TextHeight();
    for (int i = scroll_, y = inner.y + 1; i < int(entries_.size()) && y < inner.Bottom(); ++i, y += lineH) {
        const Entry& e = entries_[std::size_t(i)];
        bool sel = i == selected_;
        if (sel)
            frame.Fill(Rect{inner.x, y, inner.w, lineH}, kSelection);
        Rgb ink = sel ? kSelectionText : kText;
        frame.Text(inner.x + 2, y, e.folder ? "[" + e.name + "]" : e.name, ink);
        if (!e.date.empty())
            frame.Text(inner.Right() - 4 - FrameBuffer::TextWidth(e.date), y, e.date, sel ? ink : kGrayText);
    }
    frame.SetClip(saved);
    if (!notice_.empty()) {
        frame.SetClip(saved.Intersect(Rect{client_.x, client_.y, OkRect().x - client_.x - 4, client_.h}));
        frame.Text(client_.x + kMargin, OkRect().y + 4, notice_, 0xC00000);
        frame.SetClip(saved);
    }
    painter.PaintButtonFace(OkRect(), okCaption_, pressed_ == 1, true, true, false);
    painter.PaintButtonFace(CancelRect(), "Cancel", pressed_ == 2, true, false, false);
}

} // namespace paint
