// Bands, number texts, the frequency text forms, the raster and the range check.
#include "model/Band.h"

#include "support/ScriptedPrompter.h"
#include "text/Messages.h"

#include <gtest/gtest.h>

using namespace zx::model;
using zx::test::ScriptedPrompter;

namespace {

RuntimeState band(int index) {
    RuntimeState s;
    s.bandText = bandTextFromIndex(index);
    parseBandEdges(s);
    return s;
}

// The warning, and the band the value must lie in on a line of its own.
const std::string kOutOfRange =
    "Frequency is out of range.\nThe band is 28.000000 - 29.700000 MHz.";

} // namespace

TEST(Band, StringsIndicesAndEdges) {
    EXPECT_EQ(bandTextFromIndex(1), "25.615000 - 30.105000 MHz");
    for (int other : {0, 2, -1, 255})
        EXPECT_EQ(bandTextFromIndex(other), "28.000000 - 29.700000 MHz");
    EXPECT_EQ(bandIndexFromText("25.615000 - 30.105000 MHz"), 1);
    EXPECT_EQ(bandIndexFromText("28.000000 - 29.700000 MHz"), 0);
    EXPECT_EQ(bandIndexFromText("25.615000 - 30.105000"), 0);

    RuntimeState s = band(1);
    EXPECT_DOUBLE_EQ(s.bandLow, 25.615);
    EXPECT_DOUBLE_EQ(s.bandHigh, 30.105);

    s.bandText = "28.0 to 29.7";
    parseBandEdges(s);
    EXPECT_EQ(s.bandLow, 100.0);
    EXPECT_EQ(s.bandHigh, 500.0);
    s.bandText = "low - 29.5 MHz";
    parseBandEdges(s);
    EXPECT_EQ(s.bandLow, 100.0);
    EXPECT_DOUBLE_EQ(s.bandHigh, 29.5);
    s.bandText = "27.5 - high";
    parseBandEdges(s);
    EXPECT_DOUBLE_EQ(s.bandLow, 27.5);
    EXPECT_EQ(s.bandHigh, 500.0);
}

TEST(Band, NumericTexts) {
    for (const char* yes : {"28", "28.5", " 28.5 ", "-1", "+2.", ".5", "2.8e1", "1E-3"})
        EXPECT_TRUE(isNumeric(yes)) << yes;
    for (const char* no :
         {"", " ", ".", "-", "28,5", "1.2.3", "28a", "e5", "1e", "0x10", "inf", "nan", "1e999"})
        EXPECT_FALSE(isNumeric(no)) << no;
    EXPECT_DOUBLE_EQ(toNumber(" 2.8e1"), 28.0);
    EXPECT_EQ(toNumber("abc"), 0.0);
}

TEST(Band, NumberFormats) {
    EXPECT_EQ(formatMHz(28.015), "28.015000");
    EXPECT_EQ(formatMHz(5), "5.000000");
    EXPECT_EQ(formatMHz(28.1234564), "28.123456");
    EXPECT_EQ(formatMHz(-0.0000001), "0.000000");
    EXPECT_EQ(formatGeneral(155.0 + 0.05), "155.05");
    EXPECT_EQ(formatGeneral(174.0 - 0.1), "173.9");
    EXPECT_EQ(formatGeneral(155), "155");
    EXPECT_EQ(formatGeneral(28), "28");
    EXPECT_EQ(formatGeneral(25.615), "25.615");
    EXPECT_EQ(formatGeneral(0.00001), "1E-05");
}

TEST(Band, StoredAndDisplayForms) {
    const RuntimeState s = band(0);
    ScriptedPrompter p;
    EXPECT_EQ(storedFromDisplay("28.015000", s), "28015000");
    EXPECT_EQ(storedFromDisplay("5.5", s), "055");
    EXPECT_EQ(storedFromDisplay("", s), "");
    EXPECT_EQ(storedFromDisplay("28", s), "28");
    EXPECT_EQ(storedFromDisplay("junk", s), "28") << "replaced by the lower edge";

    EXPECT_EQ(displayFromStored("28015000", s, p), "28.015000");
    EXPECT_EQ(displayFromStored("28123450", s, p), "28.123450");
    EXPECT_EQ(displayFromStored("        ", s, p), "");
    EXPECT_EQ(displayFromStored("FFFFFFFF", s, p), "");
    EXPECT_EQ(displayFromStored("055     ", s, p), "5.500000");
    EXPECT_TRUE(p.asked.empty());

    EXPECT_EQ(displayFromStored("28x15000", s, p), "28");
    ASSERT_EQ(p.texts().size(), 1u);
    EXPECT_EQ(p.texts()[0], "Not IsNumeric");
    EXPECT_EQ(p.asked[0].buttons, zx::text::Buttons::Ok);
}

TEST(Band, RasterStartsAtTheLowerEdge) {
    EXPECT_DOUBLE_EQ(snapToRaster(28.123456, 28.0), 28.12345);
    EXPECT_DOUBLE_EQ(snapToRaster(28.12345, 28.0), 28.12345);
    // Band 1 starts at 25.615 MHz, a multiple of 10 Hz too; a lower edge off the raster
    // shifts it.
    EXPECT_DOUBLE_EQ(snapToRaster(25.615009, 25.615), 25.615);
    EXPECT_DOUBLE_EQ(snapToRaster(28.000013, 28.000005), 28.000005);
    // Values that do not fit whole hertz are returned as they are instead of overflowing.
    EXPECT_EQ(snapToRaster(1e300, 28.0), 1e300);
}

TEST(Band, RangeCheckClampsClearsAndWarns) {
    const RuntimeState s = band(0);
    ScriptedPrompter p;
    EXPECT_EQ(rangeCheck(27.5, false, false, s, p), 0.0);
    EXPECT_EQ(rangeCheck(27.5, true, false, s, p), 28.0);
    EXPECT_DOUBLE_EQ(rangeCheck(29.8, true, false, s, p), 29.7);
    EXPECT_EQ(rangeCheck(29.8, false, false, s, p), 0.0);
    EXPECT_TRUE(p.asked.empty());
    EXPECT_DOUBLE_EQ(rangeCheck(29.7, false, true, s, p), 29.7);
    EXPECT_EQ(rangeCheck(28.0, false, true, s, p), 28.0);
    EXPECT_TRUE(p.asked.empty()) << "edges are in band";

    EXPECT_EQ(rangeCheck(30.0, true, true, s, p), 29.7);
    ASSERT_EQ(p.asked.size(), 1u);
    EXPECT_EQ(p.asked[0].text, kOutOfRange);
    EXPECT_EQ(p.asked[0].icon, zx::text::Icon::Warning);
}

TEST(Band, CellValidation) {
    const RuntimeState s0 = band(0);
    const RuntimeState s1 = band(1);
    ScriptedPrompter p;
    EXPECT_EQ(validateFrequencyCell("28.123456", false, true, s0, p), "28.123450");
    EXPECT_EQ(validateFrequencyCell("27.5", false, false, s0, p), "");
    EXPECT_EQ(validateFrequencyCell("27.5", true, false, s0, p), "28.000000");
    EXPECT_EQ(validateFrequencyCell("abc", true, false, s0, p), "28.000000");
    EXPECT_EQ(validateFrequencyCell("abc", false, false, s0, p), "");
    EXPECT_TRUE(p.asked.empty());
    EXPECT_EQ(validateFrequencyCell("abc", false, true, s0, p), "");
    EXPECT_EQ(p.texts(), std::vector<std::string>{kOutOfRange});

    EXPECT_EQ(validateFrequencyCell("25.615", false, false, s1, p), "25.615000");
    EXPECT_EQ(validateFrequencyCell("30.105", false, false, s1, p), "30.105000");
    EXPECT_EQ(validateFrequencyCell("25.61499", false, false, s1, p), "");
    EXPECT_EQ(validateFrequencyCell("30.10501", true, false, s1, p), "30.105000");
}

TEST(Band, ChineseWarningComesFromTheMessageTable) {
    RuntimeState s = band(0);
    s.language = zx::text::Chinese;
    ScriptedPrompter p;
    rangeCheck(1.0, false, true, s, p);
    ASSERT_EQ(p.asked.size(), 1u);
    EXPECT_EQ(p.asked[0].text, "频率超出范围。\n频段为 28.000000 - 29.700000 MHz。");
}
