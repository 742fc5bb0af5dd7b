// The start-up's graphics: the scene's background and the display, the back buffer,
// the 201 pictures with their sizes recorded, the blank tile and cursors, the version
// lines in order; "ECHO" on the scene; frames of the map; and the errors the engine
// raises when a piece of art is missing.
#include "gfx/EngineTestSupport.h"
#include "gfx/Errors.h"
#include "gfx/TE_DDSurface.h"
#include "gfx/TE_DDraw.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/ddraw/DDraw.h"
#include "platform/gdi/Bmp.h"
#include "platform/os/ProgramDir.h"
#include "platform/os/ResourceTable.h"
#include "platform/ui/Application.h"
#include "platform/ui/Exception.h"
#include "platform/ui/Screen.h"
#include "shell/CommandHistory.h"
#include "shell/InterpreterPorts.h"
#include "shell/TMainForm.h"
#include "view/MapPictures.h"
#include "view/MapRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using enginetest::ErrorOf;

// Picture p: 60 n - 1 wide for a footprint n taken from the code, and 10 pixels taller
// than its diamond, in a colour of its own.
void PictureSize(int p, int& w, int& h) {
    const int n = p % 4 + 1;
    w = 60 * n - 1;
    h = 30 * n + 11;
}

class GraphicsStartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ddraw::ResetForTests();
        gfx::CurrentDisplay = nullptr;
        auto& app = ui::Application::Instance();
        app.SetBackend(&backend);
        app.ResetTerminated();
        ui::Screen::Instance().Reset();
        CommandHistory::Instance().ResetHistory();
        oldDir = fs::current_path();
        oldProgramDir = os::ProgramDir();
        dir = fs::temp_directory_path() / ("plazaro_gfxstart_" + std::to_string(::getpid()));
        fs::create_directories(dir / "Graphics");
        Write(dir / "City.ini", "CODE; 9; 1; 0; 3; 0; 0; 0; Empty Land;\nCODE; 17; 1; 0; 4; 0; 0; 0; Road;\n");
        Write(dir / "Default.ini", "SET_POPUP_POSITION; 1; 1;\n");
        WriteBmp(dir / "Graphics" / "Back.bmp", 640, 480, 0x405060);
        WriteBmp(dir / "Graphics" / "Blank.bmp", 59, 31, 0x000000);
        for (int n = 1; n <= 4; ++n)
            WriteBmp(dir / "Graphics" / ("Curpos" + std::to_string(n) + ".bmp"), 60 * n - 1, 30 * n + 1, 0xFFFF00);
        resources.resize(view::kPictureCount + 1);
        for (int p = 1; p <= view::kPictureCount; ++p) {
            int w = 0, h = 0;
            PictureSize(p, w, h);
            resources[std::size_t(p)] =
                gdi::EncodeBmp24(w, h, std::vector<std::uint32_t>(std::size_t(w * h), 0x10000u * std::uint32_t(p)));
            os::ResourceTable::Add(view::MapPictures::PictureName(p), resources[std::size_t(p)].data(),
                                   resources[std::size_t(p)].size());
        }
        os::SetProgramDir(dir.string());
        fs::current_path(dir);
        form = std::make_unique<TMainForm>();
        form->SeedRandom(1);
        form->C_Memo.OnInsert = [this](std::size_t index, const std::string& line) {
            if (index == 0)
                replies.push_back(line);
        };
    }
    void TearDown() override {
        form.reset();
        fs::current_path(oldDir);
        os::SetProgramDir(oldProgramDir);
        for (int p = 1; p <= view::kPictureCount; ++p)
            os::ResourceTable::Remove(view::MapPictures::PictureName(p));
        fs::remove_all(dir);
        ui::Application::Instance().SetBackend(nullptr);
        ui::Application::Instance().ResetTerminated();
        gfx::CurrentDisplay = nullptr;
        ddraw::ResetForTests();
    }
    static void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    static void WriteBmp(const fs::path& path, int w, int h, std::uint32_t rgb) {
        auto bytes = gdi::EncodeBmp24(w, h, std::vector<std::uint32_t>(std::size_t(w * h), rgb));
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    std::streamsize(bytes.size()));
    }
    std::ptrdiff_t IndexOf(const std::string& reply) const {
        auto at = std::find(replies.begin(), replies.end(), reply);
        return at == replies.end() ? -1 : at - replies.begin();
    }

    headless::HeadlessBackend backend;
    fs::path dir, oldDir;
    std::string oldProgramDir;
    std::vector<std::vector<std::uint8_t>> resources;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> replies;
};

TEST_F(GraphicsStartUpTest, StartUpLoadsTheArtAndEchoesTheVersionsBetweenTheScripts) {
    form->FormCreate();
    const std::ptrdiff_t city = IndexOf("Execing City.ini");
    const std::ptrdiff_t loaded = IndexOf("206 Pictures loaded");
    ASSERT_GE(city, 0);
    ASSERT_EQ(loaded, city + 1);
    EXPECT_EQ(IndexOf("Velmora: Version 7.1"), loaded + 1);
    EXPECT_EQ(IndexOf("Image Positioning engine: Version 2.2"), loaded + 2);
    EXPECT_EQ(IndexOf("Graphics engine: Version 2.3d"), loaded + 3);
    EXPECT_GT(IndexOf("Execing Default.ini"), loaded + 3);

    EXPECT_TRUE(form->DD->Active);
    EXPECT_TRUE(form->Display->HasDirectDraw());
    EXPECT_EQ(form->DDScene->BackgroundBitmap, dir.string() + "\\Graphics\\Back.bmp");
    ASSERT_NE(form->MapArt->BackBuffer, nullptr);
    EXPECT_EQ(form->MapArt->BackBuffer->Width(), 1152);
    EXPECT_EQ(form->MapArt->BackBuffer->Height(), 864);
    for (int p = 1; p <= view::kPictureCount; ++p) {
        int w = 0, h = 0;
        PictureSize(p, w, h);
        EXPECT_EQ(form->City.ObjectTypes[std::size_t(p)].bitmapWidth, w) << p;
        EXPECT_EQ(form->City.ObjectTypes[std::size_t(p)].bitmapHeight, h) << p;
        ASSERT_NE(form->MapArt->Pictures[std::size_t(p)], nullptr);
    }
    for (int n = 1; n <= 4; ++n) {
        ASSERT_NE(form->MapArt->Cursors[std::size_t(n)], nullptr);
        EXPECT_EQ(form->MapArt->Cursors[std::size_t(n)]->Width(), 60 * n - 1);
    }
    ASSERT_NE(form->MapArt->Blank, nullptr);
}

TEST_F(GraphicsStartUpTest, EchoWritesOnTheSceneAndFramesShowTheMap) {
    form->FormCreate();
    ddraw::IDirectDrawSurface7* scene = form->DDScene->BackgroundSurface;
    const std::uint32_t before = scene->PixelAt(12, 365 + 15 * 2 + 4);
    form->RunCommand("ECHO; WWWW; 10; 2;", false, false);
    bool written = false;
    for (int x = 10; x < 40 && !written; ++x)
        for (int y = 395; y < 410 && !written; ++y)
            written = scene->PixelAt(x, y) != before;
    EXPECT_TRUE(written);

    // A new city draws its first frame: the shown window of the back buffer on the
    // scene, and the scene on the screen.
    const std::uint64_t generation = ddraw::VirtualScreenGeneration();
    form->N_Ok_BClick();
    EXPECT_GT(ddraw::VirtualScreenGeneration(), generation);
    for (auto [x, y] : {std::pair{0, 0}, {620, 328}, {300, 100}})
        EXPECT_EQ(scene->PixelAt(x, y + 20), form->MapArt->BackBuffer->PixelAt(x + 166, y + 212));
    std::vector<std::uint32_t> screen;
    int w = 0, h = 0;
    ddraw::ReadVirtualScreenRgb(screen, w, h);
    ASSERT_EQ(w, 640);
    const gdi::COLORREF c = gdi::PixelToColor(scene->PixelAt(300, 120), 16);
    EXPECT_EQ(screen[std::size_t(120 * w + 300)],
              (std::uint32_t(gdi::GetRValue(c)) << 16) | (std::uint32_t(gdi::GetGValue(c)) << 8) | gdi::GetBValue(c));
}

TEST_F(GraphicsStartUpTest, MissingArtIsReportedByTheEngine) {
    fs::remove(dir / "Graphics" / "Curpos3.bmp");
    EXPECT_EQ(ErrorOf([&] { form->FormCreate(); }),
              "Exception: DDGetImageSize: Unable to load bitmap " + dir.string() + "\\Graphics\\Curpos3.bmp");
}

TEST_F(GraphicsStartUpTest, AMissingPictureResourceIsReportedByName) {
    os::ResourceTable::Remove("P117");
    EXPECT_EQ(ErrorOf([&] { form->FormCreate(); }), "Exception: DDGetImageSize: Unable to load bitmap P117");
}

TEST_F(GraphicsStartUpTest, AMissingBackgroundStopsTheDisplay) {
    fs::remove(dir / "Graphics" / "Back.bmp");
    const std::string error = ErrorOf([&] { form->FormCreate(); });
    EXPECT_EQ(error, "EDDError: GetDib: Could not load bitmap" + dir.string() + "\\Graphics\\Back.bmp");
    EXPECT_FALSE(form->DD->Active);
}

TEST_F(GraphicsStartUpTest, WithoutTheArtFramesOnlyMoveTheMovers) {
    // No start-up: nothing to draw on, but a frame still steps the trains.
    form->City.BuildViewGrid();
    for (int x = 10; x <= 12; ++x)
        form->City.SetCell(x, 10, 20);
    form->City.Movers[1] = TMover{10, 10, 1, 1, 0, 1, 114, 2};
    form->DrawFrame();
    EXPECT_EQ(form->City.Movers[1].x, 11);
}

} // namespace
