// GetOleError's table and fallbacks, the formatter and EDDError.
#include "gfx/Errors.h"
#include "platform/ddraw/DDraw.h"

#include <gtest/gtest.h>

using namespace gfx;
using ddraw::MAKE_DDHRESULT;

TEST(GetOleError, TableTexts) {
    EXPECT_EQ(GetOleError(MAKE_DDHRESULT(5)), "GetOleError: Already Initialized");
    EXPECT_EQ(GetOleError(std::int32_t(0x80070057u)), "GetOleError: Invalid Parameters");
    EXPECT_EQ(GetOleError(std::int32_t(0x80004001u)), "GetOleError: Unsuported");
    EXPECT_EQ(GetOleError(std::int32_t(0x80004005u)), "GetOleError: Generic Error");
    EXPECT_EQ(GetOleError(std::int32_t(0x8007000Eu)), "GetOleError: Out Of Memory");
    EXPECT_EQ(GetOleError(MAKE_DDHRESULT(120)), "GetOleError: Invalid Mode");
    EXPECT_EQ(GetOleError(MAKE_DDHRESULT(587)), "GetOleError: Invalid Mode");
    EXPECT_EQ(GetOleError(MAKE_DDHRESULT(310)), "GetOleError: No Streach HW");
    EXPECT_EQ(GetOleError(MAKE_DDHRESULT(384)), "GetOleError: Overlay Color Key Only One Active");
    EXPECT_EQ(GetOleError(MAKE_DDHRESULT(588)), "GetOleError: Implicitlt Created");
    EXPECT_EQ(GetOleError(MAKE_DDHRESULT(590)), "GetOleError: Unsuported Mode");
    EXPECT_EQ(GetOleError(ddraw::DDERR_SURFACELOST), "GetOleError: Surface Lost");
    EXPECT_EQ(GetOleError(ddraw::DDERR_WASSTILLDRAWING), "GetOleError: Was Still Drawing");
}

TEST(GetOleError, TheTableHasNinetyTwoRows) {
    int rows = 0;
    for (std::uint32_t code : {0x80004001u, 0x80004005u, 0x8007000Eu, 0x80070057u})
        rows += GetOleError(std::int32_t(code)) != "GetOleError: ";
    for (int n = 0; n < 1024; ++n)
        rows += GetOleError(MAKE_DDHRESULT(n)) != "GetOleError: ";
    EXPECT_EQ(rows, 92);
}

TEST(GetOleError, CodesOutsideTheTableTakeTheSystemTextOrNothing) {
    EXPECT_EQ(GetOleError(MAKE_DDHRESULT(1)), "GetOleError: ");
    EXPECT_EQ(GetOleError(std::int32_t(0x80004002u)), "GetOleError: No such interface supported");
    EXPECT_EQ(GetOleError(2), "GetOleError: The system cannot find the file specified");
    EXPECT_EQ(GetOleError(0), "GetOleError: The operation completed successfully");
    EXPECT_EQ(GetOleError(std::int32_t(0xDEADBEEFu)), "GetOleError: ");
}

TEST(Format, SignedDecimalsTextsAndPercent) {
    EXPECT_EQ(Format("DDTest Error: %s :%d %s", {"Flip", ddraw::DDERR_SURFACELOST, "x"}),
              "DDTest Error: Flip :-2005532222 x");
    EXPECT_EQ(Format("100%% %d", {0}), "100% 0");
    EXPECT_EQ(Format("%d", {std::int32_t(0x887601C2u)}), "-2005532222");
    EXPECT_THROW(Format("%d %d", {1}), ui::Exception);
    EXPECT_THROW(Format("%d", {"text"}), ui::Exception);
}

TEST(EDDError, IsTheToolkitsExceptionWithAFormattedMessage) {
    try {
        throw EDDError("Create_Primary_Surface: %d %s", {ddraw::DDERR_OUTOFVIDEOMEMORY,
                                                          GetOleError(ddraw::DDERR_OUTOFVIDEOMEMORY)});
    } catch (const ui::Exception& e) {
        EXPECT_STREQ(e.what(), "Create_Primary_Surface: -2005532292 GetOleError: Out Of Video Memory");
    }
}
