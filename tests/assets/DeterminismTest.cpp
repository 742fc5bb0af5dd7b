// Rule: the art is deterministic: painting it twice gives the same bytes, and the
// resources built into the program and the files in the Graphics folder are exactly
// what the generator paints.
#include "ArtCatalog.h"
#include "BmpTestReader.h"
#include "BmpWriter.h"
#include "PlazaroResources.h"
#include "platform/os/ResourceTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(Determinism, PaintingTwiceGivesTheSameBytes) {
    const art::ArtSet first = art::GenerateArt();
    const art::ArtSet second = art::GenerateArt();
    ASSERT_EQ(first.resources.size(), second.resources.size());
    for (std::size_t i = 0; i < first.resources.size(); ++i) {
        EXPECT_EQ(first.resources[i].name, second.resources[i].name);
        EXPECT_TRUE(first.resources[i].image.indices == second.resources[i].image.indices) << first.resources[i].name;
    }
    ASSERT_EQ(first.files.size(), second.files.size());
    for (std::size_t i = 0; i < first.files.size(); ++i)
        EXPECT_TRUE(first.files[i].image.indices == second.files[i].image.indices) << first.files[i].name;
}

TEST(Determinism, BuiltResourcesAreWhatTheGeneratorPaints) {
    RegisterPlazaroResources();
    const art::ArtSet set = art::GenerateArt();
    for (const auto& item : set.resources) {
        const os::Resource* res = os::ResourceTable::Find(item.name);
        ASSERT_NE(res, nullptr) << item.name;
        const auto expected = art::BmpWriter::PackedDib(item.image, art::Palette::Game());
        ASSERT_EQ(res->size, expected.size()) << item.name;
        EXPECT_EQ(std::memcmp(res->data, expected.data(), expected.size()), 0) << item.name;
    }
}

TEST(Determinism, GraphicsFilesAreWhatTheGeneratorPaints) {
    const art::ArtSet set = art::GenerateArt();
    for (const auto& item : set.files) {
        const auto onDisk = arttest::ReadFileBytes(std::string(PLAZARO_PROGRAM_DIR) + "/Graphics/" + item.name);
        EXPECT_TRUE(onDisk == art::BmpWriter::File(item.image, art::Palette::Game())) << item.name;
    }
}

TEST(Determinism, WriterOutputReadsBackPixelForPixel) {
    // A picture with a width that needs row padding, read back by an independent reader.
    art::IndexedImage image;
    image.width = 5;
    image.height = 3;
    for (int i = 0; i < 15; ++i) image.indices.push_back(std::uint8_t(i * 11 % 256));
    const auto bmp = arttest::ParseFile(art::BmpWriter::File(image, art::Palette::Game()));
    ASSERT_TRUE(bmp.has_value());
    EXPECT_EQ(bmp->width, 5);
    EXPECT_EQ(bmp->height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(bmp->At(x, y), image.indices[std::size_t(y * 5 + x)]) << x << "," << y;
}

} // namespace
