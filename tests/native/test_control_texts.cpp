// The control text readers natively: dotted addresses of the IP address
// control, the date-time picker's fixed-position value text, and the size
// of a picker's display format.
#include <string>

#include "../../controls/datetime_text.h"
#include "../../controls/ipaddress_text.h"
#include "../check.h"
#include "code_page.h"

static void Addresses() {
    CHECK_EQ(PackAddressText("192.168.1.20"), 0xC0A80114u);
    CHECK_EQ(PackAddressText("7"), 0x00000007u);
    CHECK_EQ(PackAddressText(""), 0u);
    CHECK_EQ(PackAddressText("1."), 0x01000000u);      // the empty text after the dot is the fourth field
    CHECK_EQ(PackAddressText(".1.2.3"), 0x00020003u);  // ".1" is the first field text
    CHECK_EQ(PackAddressText("1.300.1.1"), 0x022C0101u);  // 300 carries into the first field
    CHECK_EQ(PackAddressText(" 10.0.0.1"), 0x0A000001u);
    CHECK_EQ(PackAddressText("10.1"), 0x0A000001u);
    CHECK_EQ(PackAddressText("10.1.2"), 0x0A010002u);
    CHECK_EQ(PackAddressText("1.2.3.4.5"), 0x01020305u);  // texts past the third dot but the last are dropped
    CHECK_EQ(PackAddressText("a.b.c.d"), 0u);
    CHECK_EQ(PackAddressText("...."), 0u);
    CHECK_EQ(PackAddressText("."), 0u);
    CHECK_EQ(PackAddressText("-1.0.0.0"), 0xFF000000u);
    CHECK_EQ(PackAddressText("0.0.0.-1"), 0xFFFFFFFFu);
}

// Field texts longer than three characters are read whole.
static void LongFields() {
    CHECK_EQ(PackAddressText("0010.1.1.1"), 0x0A010101u);
    CHECK_EQ(PackAddressText("1.2.3.000000000000000000000004"), 0x01020304u);
    const std::string run(5000, '9');
    PackAddressText(run.c_str());  // no write past any buffer (ASan watches)
    CHECK_EQ(PackAddressText("4294967297"), 1u);  // wraps like ParseDecimal
}

static void AddressTexts() {
    char text[kAddressTextSize];
    CHECK_EQ(FormatAddressText(0xC0A80114u, text, sizeof text), "192.168.1.20");
    CHECK_EQ(FormatAddressText(0, text, sizeof text), "0.0.0.0");
    CHECK_EQ(FormatAddressText(0xFFFFFFFFu, text, sizeof text), "255.255.255.255");
    CHECK_EQ(FormatAddressText(0x0A000001u, text, sizeof text), "10.0.0.1");
    char small[6] = "xxxxx";
    CHECK_EQ(FormatAddressText(0xFFFFFFFFu, small, sizeof small), "255.2");
}

static std::string Show(const DateTimeFields& f) {
    char text[64];
    snprintf(text, sizeof text, "%u-%u-%u %u:%u:%u w%u ms%u", f.year, f.month, f.day, f.hour, f.minute, f.second,
             f.dayOfWeek, f.milliseconds);
    return text;
}

static void DateTimes() {
    DateTimeFields f;
    CHECK(ReadDateTimeText("2024:03:05:14:07:09", f));
    CHECK_EQ(Show(f), "2024-3-5 14:7:9 w0 ms0");
    CHECK(ReadDateTimeText("2024-03-05 14.07.09", f));  // separators are skipped by position
    CHECK_EQ(Show(f), "2024-3-5 14:7:9 w0 ms0");
    CHECK(ReadDateTimeText("2024:03", f));  // short text: missing fields are 0
    CHECK_EQ(Show(f), "2024-3-0 0:0:0 w0 ms0");
    CHECK(ReadDateTimeText("2024:3:5:14:07:09", f));  // by position, not by separator
    CHECK_EQ(Show(f), "2024-3-0 0:0:0 w0 ms0");  // day ":1", hour ":0"
    CHECK(ReadDateTimeText("2024:03:05:14:07:09:99 and more", f));
    CHECK_EQ(Show(f), "2024-3-5 14:7:9 w0 ms0");
    CHECK(ReadDateTimeText("2024:03:05:14:07:0", f));
    CHECK_EQ(Show(f), "2024-3-5 14:7:0 w0 ms0");
    CHECK(ReadDateTimeText("-1:-1:-1", f));  // low 16 bits of each field
    CHECK_EQ(Show(f), "65535-0-0 0:0:0 w0 ms0");
    // Leading blanks count for "is there a number" but the year field is
    // still positions 0 to 3.
    CHECK(ReadDateTimeText("  2024:03:05", f));
    CHECK_EQ(Show(f), "20-4-3 5:0:0 w0 ms0");
}

// Fields are counted in characters: a two-byte separator such as 年
// (cp932 94 4E) keeps the fields after it in place.
static void DoubleByteSeparators() {
    const char kKanjiText[] = "2024\x94\x4E" "03\x8C\x8E" "05\x93\xFA" "14\x8E\x9E" "07\x95\xAA" "09\x95\x62";
    DateTimeFields f;
    SetCodePage(932);
    CHECK(ReadDateTimeText(kKanjiText, f));
    CHECK_EQ(Show(f), "2024-3-5 14:7:9 w0 ms0");
    CHECK(ReadDateTimeText("2024\x94", f));  // a lead byte at the end reads nothing past it
    CHECK_EQ(Show(f), "2024-0-0 0:0:0 w0 ms0");
    // The same bytes in a single-byte code page are one character each.
    SetCodePage(1251);
    CHECK(ReadDateTimeText(kKanjiText, f));
    CHECK_EQ(Show(f), "2024-0-0 5:14:0 w0 ms0");
    SetCodePage(1252);
}

static void NoDate() {
    DateTimeFields f;
    f.year = 7;
    CHECK(!ReadDateTimeText("", f));
    CHECK_EQ(Show(f), "0-0-0 0:0:0 w0 ms0");
    CHECK(!ReadDateTimeText("x2024:03:05:14:07:09", f));
    CHECK(!ReadDateTimeText("0000:03:05:14:07:09", f));
    CHECK(!ReadDateTimeText(":03:05", f));
}

static std::string SizeOf(const char* format) {
    const PickerFormatSize size = MeasurePickerFormat(format);
    return std::to_string(size.fields) + " fields, " + std::to_string(size.literalCharacters) + " of text";
}

static void PickerFormats() {
    CHECK_EQ(SizeOf(""), "0 fields, 0 of text");
    CHECK_EQ(SizeOf("dd MMM yyyy"), "5 fields, 2 of text");
    // A run longer than a field takes goes on in the next field.
    CHECK_EQ(SizeOf("ddddd hhh XXXXXXXXXXXXXXXX"), "8 fields, 2 of text");
    // Quoted letters are text; quotes count for nothing, and text runs on across them.
    CHECK_EQ(SizeOf("d'd''h'-d"), "3 fields, 3 of text");
    // A two-byte character is one character of text, whatever its trail byte looks like.
    SetCodePage(932);
    CHECK_EQ(SizeOf("d\x83\x64\x83\x5C\x83\x7C" "d"), "3 fields, 3 of text");
    SetCodePage(1252);
    CHECK_EQ(SizeOf("d\x83\x64" "d"), "3 fields, 1 of text");
}

int main() {
    check::Group("addresses", Addresses);
    check::Group("long fields", LongFields);
    check::Group("address texts", AddressTexts);
    check::Group("date-time texts", DateTimes);
    check::Group("no date", NoDate);
    check::Group("double-byte separators", DoubleByteSeparators);
    check::Group("picker formats", PickerFormats);
    return check::Finish();
}
