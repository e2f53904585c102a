// A small checking harness for the test programs: grouped cases, exact
// comparisons with both values printed, and one closing tally line.
#pragma once
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <type_traits>

namespace check {

struct Tally {
    int passed;
    int failed;
    const char* group;
};
inline Tally& Totals() {
    static Tally tally{0, 0, ""};
    return tally;
}

inline bool Record(bool ok, const std::string& what, const char* file, int line) {
    if (ok) {
        ++Totals().passed;
    } else {
        ++Totals().failed;
        printf("FAIL [%s] %s:%d: %s\n", Totals().group, file, line, what.c_str());
        fflush(stdout);
    }
    return ok;
}

inline std::string Show(long long v) {
    char text[64];
    snprintf(text, sizeof text, "%lld (0x%llx)", v, static_cast<unsigned long long>(v));
    return text;
}
inline std::string Show(const std::string& v) {
    std::string shown = "\"";
    for (unsigned char c : v) {
        char piece[8];
        if (c == '\t') shown += "\\t";
        else if (c == '\n') shown += "\\n";
        else if (c < 0x20 || c >= 0x7F) snprintf(piece, sizeof piece, "\\x%02X", c), shown += piece;
        else shown += static_cast<char>(c);
    }
    if (shown.size() > 200) shown = shown.substr(0, 200) + "...";
    return shown + "\"";
}
inline std::string Show(const char* v) { return v ? Show(std::string(v)) : "(null)"; }

template <typename A, typename B>
bool Equal(const A& actual, const B& expected, const char* a, const char* b, const char* file, int line) {
    if constexpr (std::is_convertible_v<A, std::string> || std::is_convertible_v<B, std::string>) {
        const std::string x = actual, y = expected;
        return Record(x == y, std::string(a) + " == " + b + ": got " + Show(x) + ", expected " + Show(y), file, line);
    } else {
        const long long x = static_cast<long long>(actual), y = static_cast<long long>(expected);
        return Record(x == y, std::string(a) + " == " + b + ": got " + Show(x) + ", expected " + Show(y), file, line);
    }
}

template <typename F>
void Group(const char* name, F body) {
    Totals().group = name;
    body();
}

// The closing line that test runners read.
inline int Finish() {
    printf("%d passed, %d failed\n", Totals().passed, Totals().failed);
    fflush(stdout);
    return Totals().failed ? 1 : 0;
}

}  // namespace check

#define CHECK(cond) check::Record((cond), #cond, __FILE__, __LINE__)
#define CHECK_EQ(actual, expected) check::Equal((actual), (expected), #actual, #expected, __FILE__, __LINE__)
