// The shared conversions, natively: decimal and colour texts, integer
// texts, and tab-joined lists.
#include <memory>
#include <string>

#include "../../interface/conversions.h"
#include "../check.h"
#include "code_page.h"

static void Decimals() {
    CHECK_EQ(ParseDecimal("  -42abc"), -42);
    CHECK_EQ(ParseDecimal("\t5"), 0);  // only blanks are skipped
    CHECK_EQ(ParseDecimal("+-3"), 0);  // one sign at most
    CHECK_EQ(ParseDecimal("4294967297"), 1);  // wraps silently
    CHECK_EQ(ParseDecimal("+17"), 17);
    CHECK_EQ(ParseDecimal(""), 0);
    CHECK_EQ(ParseDecimal("2147483648"), INT32_MIN);
    CHECK_EQ(ParseDecimal("-2147483648"), INT32_MIN);
    CHECK_EQ(ParseDecimal("12\xB9" "3"), 12);  // high bytes end the number
}

static void Colours() {
    CHECK_EQ(ParseColorTriplet("255|128|0"), 0x0080FF);
    CHECK_EQ(ParseColorTriplet("255"), 0xFF0000);  // a lone number is blue
    CHECK_EQ(ParseColorTriplet("1|2"), 0x020001);
    CHECK_EQ(ParseColorTriplet("1|2|3|4"), 0x040201);  // the third piece is dropped
    CHECK_EQ(ParseColorTriplet(""), 0);
    CHECK_EQ(ParseColorTriplet("300|-1|0"), 0x00FF2C);
    CHECK_EQ(ParseColorTriplet("|1|2"), 0x020000);  // the leading bar starts the first piece
    CHECK_EQ(ParseColorTriplet("1||3"), 0x030001);
    CHECK_EQ(ParseColorTriplet(" 12 | 34 |56"), 0x38220C);
    CHECK_EQ(ParseColorTriplet("|"), 0);
    // A piece keeps its first six characters: 123456 & 0xFF = 0x40.
    CHECK_EQ(ParseColorTriplet("12345678901234567890|0|0"), 0x000040);
    CHECK_EQ(ParseColorTriplet("0|0|12345699999999"), 0x400000);
    CHECK_EQ(ColorFromBytes(255, 0x180, -1), 0xFF80FF);
    CHECK_EQ(ColorFromBytes(1, 2, 3), 0x030201);
}

// In cp932 ポ is 83 7C: its trail byte is no separator. In 1251 the same
// bytes are two characters, the second a "|".
static void DoubleByteColours() {
    SetCodePage(932);
    CHECK_EQ(ParseColorTriplet("10\x83\x7C" "20|30|40"), 0x281E0A);
    CHECK_EQ(ParseColorTriplet("\x83\x7C|5|6"), 0x060500);  // a first character of two bytes
    CHECK_EQ(ParseColorTriplet("1|2|\x83"), 0x000201);       // a lead byte before the end
    SetCodePage(1251);
    CHECK_EQ(ParseColorTriplet("10\x83\x7C" "20|30|40"), 0x28140A);
    SetCodePage(1252);
}

static void Integers() {
    char text[40];
    CHECK_EQ(FormatInteger(INT32_MIN, text, sizeof text, 10), "-2147483648");
    CHECK_EQ(FormatInteger(-7, text, sizeof text, 10), "-7");
    CHECK_EQ(FormatInteger(0, text, sizeof text, 10), "0");
    CHECK_EQ(FormatInteger(255, text, sizeof text, 16), "FF");
    CHECK_EQ(FormatInteger(INT32_MAX, text, sizeof text, 10), "2147483647");
    CHECK_EQ(FormatInteger(35, text, sizeof text, 36), "Z");
    // Base 2 of large magnitudes: all 32 digits, never past a buffer.
    CHECK_EQ(FormatInteger(INT32_MAX, text, sizeof text, 2), std::string(31, '1'));
    CHECK_EQ(FormatInteger(INT32_MIN, text, sizeof text, 2), "-1" + std::string(31, '0'));
    CHECK_EQ(FormatInteger(-1, text, sizeof text, 2), "-1");
    char small[4];
    CHECK_EQ(FormatInteger(123456, small, sizeof small, 10), "123");
    char decimal[kDecimalTextSize];
    CHECK_EQ(FormatInteger(INT32_MIN, decimal, sizeof decimal, 10), "-2147483648");
}

static void Lists() {
    std::unique_ptr<ListText> list(new ListText);
    StartList(*list);
    CHECK_EQ(list->text, "");
    AppendListItem(*list, "a", false);
    AppendListItem(*list, "", false);
    AppendListItem(*list, "c", true);
    CHECK_EQ(list->text, "a\t\tc");
    StartList(*list);
    AppendListItem(*list, "only", true);
    CHECK_EQ(list->text, "only");

    // Forty-five cells of 1023 characters: the list stops after the last whole
    // cell that fits, without the tab that announced the next one.
    StartList(*list);
    const std::string cell(1023, 'x');
    int appended = 0;
    for (int i = 0; i < 45; ++i) appended += AppendListItem(*list, cell.c_str(), i == 44);
    CHECK_EQ(appended, 40);  // 40 cells and 39 tabs fill all 40959 characters
    CHECK_EQ(strlen(list->text), 40 * 1023 + 39);
    CHECK_EQ(list->text[strlen(list->text) - 1], 'x');
    CHECK(list->full);

    // A cell that exactly fills the list is kept; the next is refused.
    StartList(*list);
    const std::string whole(kListTextSize - 1, 'y');
    CHECK(AppendListItem(*list, whole.c_str(), false));
    CHECK_EQ(strlen(list->text), kListTextSize - 1);
    CHECK(!AppendListItem(*list, "z", true));
    CHECK_EQ(strlen(list->text), kListTextSize - 1);
}

int main() {
    check::Group("decimals", Decimals);
    check::Group("colours", Colours);
    check::Group("double-byte colours", DoubleByteColours);
    check::Group("integers", Integers);
    check::Group("lists", Lists);
    return check::Finish();
}
