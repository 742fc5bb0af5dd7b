// Every widget is painted at its place in the frame, in the classic colours, checked at
// chosen pixels that do not depend on the font: faces, bevels, marks, glyphs, the caret,
// pictures, hidden and clipped controls, and the display's picture under the widgets.
#include "platform/ddraw/DDraw.h"
#include "platform/gdi/Bmp.h"
#include "platform/os/ResourceTable.h"
#include "platform/paint/Desktop.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Panel.h"
#include "platform/ui/RangeControls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace paint;

namespace {

constexpr int kBar = theme::kMenuBarHeight;

class WidgetPaint : public ::testing::Test {
protected:
    void SetUp() override {
        form.BackColor = 0x808080;
        desktop.SetMainForm(&form);
        desktop.paintCursor = false;
        desktop.displayLayer = Desktop::DisplayLayer::Never;
    }
    // The pixel at client point (x, y).
    Rgb At(int x, int y) const { return frame.At(x, y + kBar); }
    void Paint(std::uint64_t now = 0) { desktop.Paint(frame, now); }
    // Pixels of ink: text is smoothed, so its strokes are counted by darkness.
    int CountDark(const Rect& client) const {
        int n = 0;
        for (int y = client.y; y < client.Bottom(); ++y)
            for (int x = client.x; x < client.Right(); ++x) {
                Rgb p = At(x, y);
                n += ((p >> 16) & 0xFF) < 0x50 && ((p >> 8) & 0xFF) < 0x50 && (p & 0xFF) < 0x50;
            }
        return n;
    }
    int CountIn(const Rect& client, Rgb colour) const {
        int n = 0;
        for (int y = client.y; y < client.Bottom(); ++y)
            for (int x = client.x; x < client.Right(); ++x)
                n += At(x, y) == colour;
        return n;
    }

    ui::Form form{"Main"};
    Desktop desktop;
    FrameBuffer frame;
};

} // namespace

TEST_F(WidgetPaint, FrameIsTheMenuBarOverTheClientInTheFormsColour) {
    form.BackColor = 0x0000FF; // red, as the toolkit writes colours
    Paint();
    EXPECT_EQ(frame.Width(), 640);
    EXPECT_EQ(frame.Height(), 480 + kBar);
    EXPECT_EQ(frame.At(630, 5), theme::kFace);
    EXPECT_EQ(At(0, 0), 0xFF0000u);
    EXPECT_EQ(At(639, 479), 0xFF0000u);
    // A hidden main window shows nothing at all.
    form.Hide();
    Paint();
    EXPECT_EQ(frame.At(320, 250), 0u);
    EXPECT_EQ(frame.At(630, 5), 0u);
}

TEST_F(WidgetPaint, ButtonsAreRaisedAndSinkWhenHeld) {
    ui::Button button{"B", &form};
    button.SetBounds(10, 10, 75, 25);
    button.Caption = "Ok";
    Paint();
    EXPECT_EQ(At(10, 10), theme::kHighlight);
    EXPECT_EQ(At(84, 34), theme::kDarkShadow);
    EXPECT_EQ(At(12, 32), theme::kFace);
    EXPECT_EQ(At(9, 9), 0x808080u); // the form around it
    // Some of the caption is drawn inside the face, none outside the button.
    EXPECT_GT(CountDark(Rect{12, 12, 71, 21}), 0);

    // A default button wears a black frame around its bevel.
    button.Default = true;
    Paint();
    EXPECT_EQ(At(10, 10), theme::kDarkShadow);
    EXPECT_EQ(At(11, 11), theme::kHighlight);

    // Held down (and so focused), the bevel turns into a dark frame with a shadow inside.
    desktop.MouseDown(ui::MouseButton::Left, 40, 20 + kBar, 0, 1, 0);
    Paint();
    EXPECT_EQ(At(10, 10), theme::kDarkShadow);
    EXPECT_EQ(At(11, 11), theme::kDarkShadow);
    EXPECT_EQ(At(12, 12), theme::kShadow);
    // Moved off while held, it stands up again.
    desktop.MouseMove(300, 300 + kBar, ui::ssLeft, 0);
    Paint();
    EXPECT_EQ(At(12, 12), theme::kLight);
    desktop.MouseUp(ui::MouseButton::Left, 300, 300 + kBar, 0, 0);
}

TEST_F(WidgetPaint, DisabledCaptionsAreEmbossedGrey) {
    ui::Button button{"B", &form};
    button.SetBounds(10, 10, 75, 25);
    button.Caption = "Ok";
    button.SetEnabled(false);
    Paint();
    Rect face{12, 12, 71, 21};
    EXPECT_EQ(CountDark(face), 0);
    int grey = 0;
    for (int y = face.y; y < face.Bottom(); ++y)
        for (int x = face.x; x < face.Right(); ++x)
            grey += At(x, y) != theme::kFace && At(x, y) != theme::kHighlight;
    EXPECT_GT(grey, 0);
}

TEST_F(WidgetPaint, RadioAndCheckMarksFollowTheirState) {
    ui::Panel group{"G", &form};
    group.SetBounds(0, 0, 200, 100);
    ui::RadioButton a{"A", &group}, b{"B", &group};
    a.SetBounds(10, 10, 100, 17);
    b.SetBounds(10, 30, 100, 17);
    ui::CheckBox check{"C", &group};
    check.SetBounds(10, 60, 100, 17);
    a.SetChecked(true);
    Paint();
    // The radio's well is 12 pixels high, centred; its dot sits in the middle.
    int ay = 10 + (17 - 12) / 2, by = 30 + (17 - 12) / 2;
    EXPECT_EQ(At(10 + 5, ay + 5), theme::kText);
    EXPECT_EQ(At(10 + 5, by + 5), theme::kWindow);
    b.SetChecked(true);
    Paint();
    EXPECT_EQ(At(10 + 5, ay + 5), theme::kWindow);
    EXPECT_EQ(At(10 + 5, by + 5), theme::kText);

    Rect box{10 + 2, 60 + (17 - 13) / 2 + 2, 9, 9};
    EXPECT_EQ(CountIn(box, theme::kText), 0);
    check.Checked = true;
    Paint();
    EXPECT_GT(CountIn(box, theme::kText), 10);
}

TEST_F(WidgetPaint, EditBoxesAreWhiteWellsWithACaretWhenFocused) {
    ui::Edit edit{"E", &form};
    edit.SetBounds(20, 20, 100, 21);
    Paint();
    EXPECT_EQ(At(20, 20), theme::kShadow);
    EXPECT_EQ(At(21, 21), theme::kDarkShadow);
    EXPECT_EQ(At(119, 40), theme::kHighlight);
    EXPECT_EQ(At(60, 30), theme::kWindow);
    // The caret of an empty box stands at its left edge, only while it has the focus
    // and only in the visible half of its blink.
    Rect caretColumn{23, 24, 1, 13};
    EXPECT_EQ(CountIn(caretColumn, theme::kText), 0);
    form.ActiveControl = &edit;
    Paint(0);
    EXPECT_GT(CountIn(caretColumn, theme::kText), 8);
    Paint(600);
    EXPECT_EQ(CountIn(caretColumn, theme::kText), 0);
    // Typed text that runs past the box is cut at the well.
    edit.SetText(std::string(40, 'W'));
    Paint(0);
    EXPECT_EQ(CountDark(Rect{121, 20, 30, 21}), 0);
}

TEST_F(WidgetPaint, MemoLinesStandTopDownAndGrowWithTheList) {
    ui::Memo memo{"M", &form};
    memo.SetBounds(0, 100, 300, 97);
    memo.BackColor = 0xC0C0C0;
    Paint();
    Rect inside{0, 100, 300, 97};
    EXPECT_EQ(CountDark(inside), 0);
    EXPECT_EQ(At(0, 100), theme::kFace); // a silver list has no border
    memo.Insert(0, "First line of replies");
    Paint();
    int lineH = FrameBuffer::TextHeight();
    Rect firstBand{0, 100, 300, lineH + 1}, secondBand{0, 101 + lineH, 300, lineH};
    EXPECT_GT(CountDark(firstBand), 0);
    EXPECT_EQ(CountDark(secondBand), 0);
    memo.Insert(0, "Newest");
    Paint();
    EXPECT_GT(CountDark(secondBand), 0);
    // More lines than fit are cut at the memo's bottom edge.
    for (int i = 0; i < 30; ++i)
        memo.Insert(0, "line");
    Paint();
    EXPECT_EQ(CountDark(Rect{0, 197, 300, 10}), 0);
}

TEST_F(WidgetPaint, ALongListScrollsWithItsBarAndTheWheel) {
    ui::Memo memo{"C_Memo", &form};
    memo.SetBounds(8, 32, 400, 97);
    memo.BackColor = 0xC0C0C0;
    // Blank lines with one line of ink at the very end.
    for (int i = 0; i < 29; ++i)
        memo.Insert(memo.Count(), "");
    memo.Insert(memo.Count(), "WWWW WWWW");
    MemoGeometry g = MemoLayout(memo, Rect{8, 32, 400, 97});
    ASSERT_FALSE(g.bar.Empty());
    EXPECT_EQ(g.bar.Right(), 408);
    EXPECT_EQ(g.maxScroll, 30 - g.visibleRows);
    Paint();
    Rect text{8, 32, 380, 97};
    EXPECT_EQ(CountDark(text), 0);
    EXPECT_EQ(At(g.bar.x, g.bar.y), theme::kHighlight); // the top arrow of the bar
    // The wheel brings the last line into view; the bar's down arrow steps one line.
    desktop.MouseWheel(100, 60 + kBar, -20);
    Paint();
    EXPECT_GT(CountDark(text), 0);
    desktop.MouseWheel(100, 60 + kBar, 20);
    for (int i = 0; i < g.maxScroll; ++i) {
        desktop.MouseDown(ui::MouseButton::Left, 400, 32 + 97 - 3 + kBar, ui::ssLeft, 1, 0);
        desktop.MouseUp(ui::MouseButton::Left, 400, 32 + 97 - 3 + kBar, 0, 0);
    }
    Paint();
    EXPECT_GT(CountDark(text), 0);
    // A list that fits has no bar.
    while (memo.Count() > 2)
        memo.Delete(0);
    EXPECT_TRUE(MemoLayout(memo, Rect{8, 32, 400, 97}).bar.Empty());
}

TEST_F(WidgetPaint, LabelsAlignTheirCaptionAndKeepTheirColour) {
    ui::Label left{"L", &form}, right{"R", &form};
    left.SetBounds(0, 0, 200, 16);
    right.SetBounds(0, 20, 200, 16);
    left.Caption = right.Caption = "Amount";
    right.Alignment = ui::TextAlign::Right;
    right.FontColor = 0xFF0000; // blue
    Paint();
    EXPECT_GT(CountDark(Rect{0, 0, 60, 16}), 0);
    EXPECT_EQ(CountDark(Rect{140, 0, 60, 16}), 0);
    EXPECT_EQ(CountIn(Rect{0, 20, 100, 16}, 0x0000FF), 0);
    EXPECT_GT(CountIn(Rect{140, 20, 60, 16}, 0x0000FF), 0);
}

TEST_F(WidgetPaint, HiddenControlsAndWhatLiesOutsideTheParentAreNotPainted) {
    ui::Panel panel{"P", &form};
    panel.SetBounds(100, 100, 50, 50);
    panel.BackColor = 0x00FF00; // green
    ui::Panel child{"C", &panel};
    child.SetBounds(30, 30, 60, 60); // sticks out of the parent
    child.BackColor = 0xFF0000;       // blue
    Paint();
    EXPECT_EQ(At(110, 110), 0x00FF00u);
    EXPECT_EQ(At(140, 140), 0x0000FFu);
    EXPECT_EQ(At(160, 160), 0x808080u); // cut at the parent's edge
    child.Hide();
    Paint();
    EXPECT_EQ(At(140, 140), 0x00FF00u);
    panel.Hide();
    Paint();
    EXPECT_EQ(At(110, 110), 0x808080u);
}

TEST_F(WidgetPaint, GroupBoxesHaveAnEtchedFrameBelowTheirCaption) {
    ui::GroupBox box{"G", &form};
    box.SetBounds(10, 10, 150, 100);
    box.BackColor = 0xC0C0C0;
    Paint();
    int top = 10 + FrameBuffer::TextHeight() / 2;
    EXPECT_EQ(At(10, top + 20), theme::kShadow);
    EXPECT_EQ(At(11, top + 20), theme::kHighlight);
    EXPECT_EQ(At(80, 60), theme::kFace);
}

TEST_F(WidgetPaint, SpeedButtonsShowTheirGlyphWithPurpleSeeThrough) {
    // A 4 x 4 red glyph with a purple corner, as the art's glyphs are made.
    std::vector<std::uint32_t> px(16, 0xFF0000);
    px[0] = kColourKey;
    static std::vector<std::uint8_t> bmp = gdi::EncodeBmp24(4, 4, px);
    os::ResourceTable::Add("GLYPH_Paint_Test_SB", bmp.data(), bmp.size());
    ui::SpeedButton button{"Paint_Test_SB", &form};
    button.SetBounds(0, 0, 30, 30);
    button.Glyph = "GLYPH_Paint_Test_SB";
    Paint();
    // The glyph is centred: its top-left pixel at (13, 13).
    EXPECT_EQ(At(13, 13), theme::kFace);
    EXPECT_EQ(At(14, 13), 0xFF0000u);
    EXPECT_EQ(At(16, 16), 0xFF0000u);
    EXPECT_EQ(At(0, 0), theme::kHighlight);
    // Disabled, the glyph turns grey.
    button.SetEnabled(false);
    Paint();
    Rgb grey = At(14, 13);
    EXPECT_NE(grey, 0xFF0000u);
    EXPECT_EQ((grey >> 16) & 0xFF, grey & 0xFF);
    os::ResourceTable::Remove("GLYPH_Paint_Test_SB");
}

TEST_F(WidgetPaint, PicturesAreStretchedOverTheirRectangle) {
    auto dir = std::filesystem::temp_directory_path() / "plazaro_paint_picture";
    std::filesystem::create_directories(dir);
    std::vector<std::uint32_t> px = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    auto bytes = gdi::EncodeBmp24(2, 2, px);
    std::ofstream((dir / "title.bmp").string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ui::Image image{"I", &form};
    image.SetBounds(100, 100, 40, 40);
    image.Stretch = true;
    image.PicturePath = (dir / "title.bmp").string();
    Paint();
    EXPECT_EQ(At(100, 100), 0x102030u);
    EXPECT_EQ(At(139, 100), 0x405060u);
    EXPECT_EQ(At(100, 139), 0x708090u);
    EXPECT_EQ(At(139, 139), 0xA0B0C0u);
    // A picture that cannot be read leaves the place empty.
    ui::Image missing{"M", &form};
    missing.SetBounds(200, 200, 10, 10);
    missing.PicturePath = (dir / "nothing.bmp").string();
    Paint();
    EXPECT_EQ(At(205, 205), 0x808080u);
}

TEST_F(WidgetPaint, AVideosFrameCoversItsPanelFromTheCornerCutToThePanel) {
    ui::Panel panel{"V", &form};
    panel.SetBounds(50, 60, 3, 2);
    panel.BackColor = 0x808080;
    panel.Bevel = false;
    Paint();
    EXPECT_EQ(At(50, 60), 0x808080u); // no frame yet: a plain area, no raised edge
    const std::uint64_t signature = desktop.Signature(0);
    // A frame larger than the panel: its top-left part shows, the rest is cut off.
    panel.Picture.width = 4;
    panel.Picture.height = 3;
    panel.Picture.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ++panel.Picture.serial;
    EXPECT_NE(desktop.Signature(0), signature); // a new frame is a new picture to show
    Paint();
    EXPECT_EQ(At(50, 60), 1u);
    EXPECT_EQ(At(52, 60), 3u);
    EXPECT_EQ(At(50, 61), 5u);
    EXPECT_EQ(At(52, 61), 7u);
    EXPECT_EQ(At(53, 60), 0x808080u);
    EXPECT_EQ(At(50, 62), 0x808080u);
}

TEST_F(WidgetPaint, ScrollBarThumbsTravelTheTrackWithThePosition) {
    ui::ScrollBar bar{"H", &form};
    bar.SetBounds(0, 300, 200, 16);
    bar.SetRange(0, 70);
    bar.SetPosition(0);
    ScrollBarGeometry g = ScrollBarLayout(bar, Rect{0, 300, 200, 16});
    EXPECT_EQ(g.back, (Rect{0, 300, 16, 16}));
    EXPECT_EQ(g.forward, (Rect{184, 300, 16, 16}));
    EXPECT_EQ(g.thumb.x, 16);
    bar.SetPosition(70);
    g = ScrollBarLayout(bar, Rect{0, 300, 200, 16});
    EXPECT_EQ(g.thumb.Right(), 184);
    // Every position survives the trip from thumb place back to position.
    for (int p = 0; p <= 70; ++p) {
        bar.SetPosition(p);
        Rect r{0, 300, 200, 16};
        EXPECT_EQ(ScrollBarPositionAt(bar, r, ScrollBarLayout(bar, r).thumb.x), p);
    }
    bar.SetPosition(35);
    Paint();
    g = ScrollBarLayout(bar, Rect{0, 300, 200, 16});
    EXPECT_EQ(At(g.thumb.x, 300), theme::kHighlight);
    EXPECT_EQ(At(g.thumb.x - 2, 308), theme::kScrollTrack);

    ui::ScrollBar vert{"V", &form};
    vert.kind = ui::ScrollBar::Kind::Vertical;
    vert.SetRange(0, 141);
    Rect vr{624, 20, 16, 305};
    EXPECT_EQ(ScrollBarPartAt(vert, vr, 630, 25), ScrollPart::LineBack);
    EXPECT_EQ(ScrollBarPartAt(vert, vr, 630, 320), ScrollPart::LineForward);
    EXPECT_EQ(ScrollBarPartAt(vert, vr, 630, 40), ScrollPart::Thumb);
    EXPECT_EQ(ScrollBarPartAt(vert, vr, 630, 200), ScrollPart::PageForward);
    EXPECT_EQ(ScrollBarPartAt(vert, vr, 600, 200), ScrollPart::None);
}

TEST_F(WidgetPaint, TrackBarThumbsAndPositionsAgree) {
    ui::TrackBar track{"T", &form};
    track.SetRange(0, 15);
    Rect r{16, 16, 170, 33};
    for (int p = 0; p <= 15; ++p) {
        track.SetPosition(p);
        Rect thumb = TrackBarThumb(track, r);
        EXPECT_EQ(TrackBarPositionAt(track, r, thumb.x + thumb.w / 2), p);
    }
    EXPECT_EQ(TrackBarPositionAt(track, r, 0), 0);
    EXPECT_EQ(TrackBarPositionAt(track, r, 1000), 15);
}

TEST_F(WidgetPaint, TheDisplaysPictureCoversTheClientOnceTheDisplayDraws) {
    ddraw::ResetForTests();
    desktop.displayLayer = Desktop::DisplayLayer::Auto;
    void* object = nullptr;
    ASSERT_EQ(ddraw::DirectDrawCreateEx(nullptr, &object, ddraw::IID_IDirectDraw7, nullptr), ddraw::DD_OK);
    auto* dd = static_cast<ddraw::IDirectDraw7*>(object);
    ASSERT_EQ(dd->SetCooperativeLevel(ddraw::MainWindow(), ddraw::DDSCL_NORMAL), ddraw::DD_OK);
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 32, 0, 0), ddraw::DD_OK);
    ui::Button button{"B", &form};
    button.SetBounds(10, 10, 75, 25);

    // The window appears over whatever the screen held: its own grey shows.
    Paint();
    EXPECT_FALSE(desktop.DisplayShown());
    EXPECT_EQ(At(300, 300), 0x808080u);

    ddraw::DDSURFACEDESC2 desc{};
    desc.dwSize = 124;
    desc.dwFlags = 1;
    desc.ddsCaps.dwCaps = 0x200;
    ddraw::IDirectDrawSurface7* primary = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), ddraw::DD_OK);
    ddraw::DDBLTFX fx;
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0x00336699;
    ASSERT_EQ(primary->Blt(nullptr, nullptr, nullptr, ddraw::DDBLT_COLORFILL, &fx), ddraw::DD_OK);
    Paint();
    EXPECT_TRUE(desktop.DisplayShown());
    EXPECT_EQ(At(300, 300), 0x336699u);
    EXPECT_EQ(At(0, 0), 0x336699u);
    EXPECT_EQ(At(10, 10), theme::kHighlight); // widgets stay on top
    EXPECT_EQ(frame.At(630, 5), theme::kFace);  // the menu bar is not the display's
    primary->Release();
    dd->Release();
    ddraw::ResetForTests();
}

TEST_F(WidgetPaint, ScreenshotsAreWholeFramesWrittenAsPng) {
    auto path = std::filesystem::temp_directory_path() / "plazaro_paint_shot.png";
    std::filesystem::remove(path);
    ASSERT_TRUE(desktop.SaveScreenshot(path.string(), 0));
    std::ifstream in(path.string(), std::ios::binary);
    std::vector<unsigned char> head(24);
    in.read(reinterpret_cast<char*>(head.data()), 24);
    ASSERT_EQ(in.gcount(), 24);
    EXPECT_EQ(head[1], 'P');
    EXPECT_EQ(head[2], 'N');
    EXPECT_EQ(head[3], 'G');
    // The header's width and height: the client under the menu bar.
    auto be32 = [&](int at) { return head[at] << 24 | head[at + 1] << 16 | head[at + 2] << 8 | head[at + 3]; };
    EXPECT_EQ(be32(16), 640);
    EXPECT_EQ(be32(20), 480 + kBar);
    std::filesystem::remove(path);
    std::string error;
    EXPECT_FALSE(desktop.SaveScreenshot("/nonexistent-folder/shot.png", 0, &error));
    EXPECT_FALSE(error.empty());
}
