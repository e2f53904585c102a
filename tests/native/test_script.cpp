// The stand-in host's language, natively: operators and their precedence,
// blocks, the errors a script author meets, the limits that keep a hostile
// script from taking the host down, and texts in a two-byte code page.
#include <string>
#include <vector>

#include "../../host/script.h"
#include "../check.h"
#include "code_page.h"

namespace {

std::string output;  // what a run printed and reported, in order

void Collect(const std::string& line) { output += line + "\n"; }

bool Echo(const script::Function&, const std::string&, const std::vector<script::Value>& args, script::Value& result,
          std::string&) {
    result = args.empty() ? script::IntValue(0) : args[0];
    return true;
}

std::vector<script::Function> Functions() {
    return {
        {"echo", -1, 1, 1, "i", Echo, "echo(value)"},
        {"lvinsertitem", 14, 3, 3, "iit", Echo, "lvInsertItem(listview, position, \"text\")"},
        {"lvgetitemcount", 11, 1, 1, "i", Echo, "lvGetItemCount(listview)"},
        {"lbgetitemcount", 80, 1, 1, "i", Echo, "lbGetItemCount(listbox)"},
        {"styles", -1, 1, script::kAnyCount, "it", Echo, "styles(window [, \"style\", ...])"},
    };
}

// Parses and runs source as t.tab: what it printed and reported, and
// "exit N".
std::string Run(const std::string& source, const script::Limits& limits = script::Limits()) {
    output.clear();
    const std::vector<script::Function> functions = Functions();
    script::Program program;
    script::Failure failure{0, ""};
    if (!script::Parse(source, functions, program, failure))
        return "t.tab:" + std::to_string(failure.line) + ": " + failure.message + "\n";
    const int status = script::Execute(program, functions, "t.tab", script::Console{Collect, Collect}, limits);
    return output + "exit " + std::to_string(status) + "\n";
}

void Operators() {
    CHECK_EQ(Run("print 2 + 3 * 4, (2 + 3) * 4, 20 - 6 - 4, 100 / 10 / 5, 2 * -3, - -4, -(1 + 2)\n"),
             "14 20 10 2 -6 4 -3\nexit 0\n");
    CHECK_EQ(Run("print 7 / 2, -7 / 2, 7 / -2, 2147483647 + 1, -2147483648 - 1, 65536 * 65536, -2147483648 / -1\n"),
             "3 -3 -3 -2147483648 2147483647 0 -2147483648\nexit 0\n");
    CHECK_EQ(Run("print 1 < 2, 2 < 1, 2 <= 2, 3 >= 4, 5 = 5, 5 <> 5, -1 < 0xFFFFFFFE, 1 + 1 = 2\n"),
             "1 0 1 0 1 0 0 1\nexit 0\n");
    CHECK_EQ(Run("print \"a\" < \"b\", \"B\" < \"a\", \"ab\" = \"ab\", \"ab\" <> \"abc\", \"\xE9\" > \"z\"\n"),
             "1 1 1 1 1\nexit 0\n");  // bytes as stored: case matters, 0xE9 sorts after z
    CHECK_EQ(Run("print \"n\" + 1 + 2, 1 + 2 + \"n\", \"x\" + (1 + 2)\n"), "n12 3n x3\nexit 0\n");
    CHECK_EQ(Run("print 00000000001, 0x0000000000FF, -2147483648, -0x80000000, 0xFFFFFFFF\n"),
             "1 255 -2147483648 -2147483648 -1\nexit 0\n");
    CHECK_EQ(Run("x = 2147483648\n"), "t.tab:1: number out of range 2147483648\n");
    CHECK_EQ(Run("x = -2147483649\n"), "t.tab:1: number out of range -2147483649\n");
    CHECK_EQ(Run("x = 0x100000000\n"), "t.tab:1: number out of range 0x100000000\n");
}

void Blocks() {
    CHECK_EQ(Run("n = 0\n"
                 "while n < 4\n"
                 "  n = n + 1\n"
                 "  if n = 2\n"
                 "    print \"two\"\n"
                 "  else\n"
                 "    if n > 3\n"
                 "      print \"big\", n\n"
                 "    end\n"
                 "  end\n"
                 "end\n"
                 "while 0\n"
                 "  print \"never\"\n"
                 "end\n"
                 "repeat i = 1 to 3\n"
                 "  if i <> 2\n"
                 "    print i\n"
                 "  end\n"
                 "end\n"),
             "two\nbig 4\n1\n3\nexit 0\n");
    CHECK_EQ(Run("if 1\nelse\nelse\nend\n"), "t.tab:3: a second else for the if of line 1\n");
    CHECK_EQ(Run("repeat i = 1 to 2\nelse\nend\n"), "t.tab:2: else without if\n");
    CHECK_EQ(Run("print 1\nend\n"), "t.tab:2: end without repeat, if or while\n");
    CHECK_EQ(Run("while 1\n  if 0\n  end\n"), "t.tab:1: while without end\n");
    CHECK_EQ(Run("if 1\nprint 1\n"), "t.tab:1: if without end\n");
    CHECK_EQ(Run("if\nend\n"), "t.tab:1: if needs a condition: if n > 3\n");
    CHECK_EQ(Run("if 1\nelse print 2\nend\n"), "t.tab:2: else stands on a line of its own\n");
    CHECK_EQ(Run("if \"yes\"\nend\n"), "t.tab:1: if needs an integer condition, got the text \"yes\"\nexit 1\n");
}

void Errors() {
    CHECK_EQ(Run("print 1\nprint 1 / (2 - 2)\n"), "1\nt.tab:2: division by zero\nexit 1\n");
    CHECK_EQ(Run("print \"5\" < 3\n"), "t.tab:1: cannot compare the text \"5\" with the integer 3\nexit 1\n");
    CHECK_EQ(Run("print 1 < 2 < 3\n"), "t.tab:1: comparisons do not chain: use parentheses, as in (a < b) = 1\n");
    CHECK_EQ(Run("print \"a\" * 2\n"), "t.tab:1: * needs integers, got the text \"a\"\nexit 1\n");
    CHECK_EQ(Run("print -\"a\"\n"), "t.tab:1: - needs an integer, got the text \"a\"\nexit 1\n");
    // The nearest names, as their shapes spell them; none when nothing is near.
    CHECK_EQ(Run("lvInsertItme(1, 1, \"a\")\n"), "t.tab:1: unknown function lvInsertItme; did you mean lvInsertItem?\n");
    CHECK_EQ(Run("x = lvGetItemCont(1)\n"),
             "t.tab:1: unknown function lvGetItemCont; did you mean lvGetItemCount or lbGetItemCount?\n");
    CHECK_EQ(Run("lvFoo(1)\n"), "t.tab:1: unknown function lvFoo\n");
    CHECK_EQ(Run("styles(1)\nstyles(1, \"a\", \"b\", \"c\", \"d\", \"e\", \"f\", \"g\", \"h\", \"i\")\nstyles(1, 2)\n"),
             "t.tab:3: argument 2 of styles must be a text\nexit 1\n");
    CHECK_EQ(Run("styles()\n"), "t.tab:1: styles takes 1 or more arguments, got 0: styles(window [, \"style\", ...])\n");
    CHECK_EQ(Run(std::string("print 1\x00\n", 10)), "t.tab:1: unexpected byte 0x00\n");
    CHECK_EQ(Run(std::string("print \"a\x00\"\n", 12)), "t.tab:1: unexpected byte 0x00 in a text\n");
}

// What a fuzz of the language found: each is a script error with its line,
// never a crash or a hang.
void Limits() {
    std::string chain = "x = 1";
    for (int k = 1; k < 100000; ++k) chain += k % 2 ? " + 1" : " - -1";
    CHECK_EQ(Run("\n" + chain + "\nprint x\n"), "100000\nexit 0\n");
    std::string texts = "x = \"\"";
    for (int k = 0; k < 20000; ++k) texts += " + \"ab\"";
    CHECK_EQ(Run(texts + "\nprint x = \"ab\" + x\n"), "0\nexit 0\n");
    const std::string deep = std::string(10000, '(') + "1" + std::string(10000, ')');
    CHECK_EQ(Run("print 1\nx = " + deep + "\n"), "t.tab:2: nested more than 200 deep\n");
    std::string calls = "1";
    for (int k = 0; k < 201; ++k) calls = "echo(" + calls + ")";
    CHECK_EQ(Run("x = " + calls + "\n"), "t.tab:1: nested more than 200 deep\n");
    CHECK_EQ(Run("x = " + std::string(10000, '-') + "5\nprint x\n"), "5\nexit 0\n");
    CHECK_EQ(Run("t = \"ab\"\nrepeat i = 1 to 40\n  t = t + t\nend\n"),
             "t.tab:3: a text would be longer than 1048576 bytes\nexit 1\n");
    CHECK_EQ(Run("print 1\n" + std::string(script::kMaxScriptLength, ' ') + "\n"),
             "t.tab:2: the script goes on past 4194304 bytes\n");
    script::Limits budget;
    budget.maxSteps = 1000;
    CHECK_EQ(Run("while 1\nend\n", budget), "t.tab:1: stopped after 1000 steps\nexit 1\n");

    // Extender functions: the text mask describes 8 arguments, the host passes 6.
    script::Function f;
    std::string error;
    CHECK(script::ExtenderFunction("trSETBUDDY", 134, 6, 0x110000, 6, Echo, "", f, error));
    CHECK_EQ(f.kinds, "iiiitt");
    CHECK_EQ(f.name, "trsetbuddy");
    CHECK(script::ExtenderFunction("lvGetItemCheck", 25, 2, 0x1000, 6, Echo, "", f, error));
    CHECK_EQ(f.kinds, "ii");  // nibbles beyond the count describe nothing
    CHECK(!script::ExtenderFunction("wide", 7, 9, 0xFFFFFFFF, 6, Echo, "", f, error));
    CHECK_EQ(error, "the extender's function wide declares 9 arguments; a host passes 0 to 6");
    CHECK(!script::ExtenderFunction("odd", 8, -1, 0, 6, Echo, "", f, error));
    CHECK(!script::ExtenderFunction("seven", 9, 7, 0, 6, Echo, "", f, error));
}

// In 932 ソ is 83 5C and ポ 83 7C: their trail bytes read as "\" and "|".
void CodePage932() {
    SetCodePage(932);
    const std::string so = "\x83\x5C", po = "\x83\x7C";
    CHECK_EQ(Run("print \"" + so + "\", \"a" + so + "\\\\" + po + "\"\n"), so + " a" + so + "\\" + po + "\nexit 0\n");
    CHECK_EQ(Run("expect \"" + so + "\", \"x\"\n"), "t.tab:1: expected \"" + so + "\", got \"x\"\n1 of 1 expectation not met\nexit 1\n");
    CHECK_EQ(Run("x = " + so + "\n"), "t.tab:1: unexpected character '" + so + "'\n");
    CHECK_EQ(Run("print \"\\" + so + "\"\n"), "t.tab:1: unknown escape \\" + so + "\n");
    CHECK_EQ(Run("print \"\x83\n"), "t.tab:1: unterminated string\n");  // a lead byte at the line's end
    // Byte by byte, as in 1252, 5C escapes the quote.
    SetCodePage(1252);
    CHECK_EQ(Run("print \"" + so + "\"\n"), "t.tab:1: unterminated string\n");
}

// In UTF-8 a character takes up to four bytes, and a message shows it whole.
void Utf8() {
    SetCodePage(65001);
    const std::string a = "\xE3\x81\x82", table = "\xE8\xA1\xA8", smile = "\xF0\x9F\x98\x80";
    CHECK_EQ(Run("x = " + a + "\n"), "t.tab:1: unexpected character '" + a + "'\n");
    CHECK_EQ(Run("x = " + smile + "\n"), "t.tab:1: unexpected character '" + smile + "'\n");
    CHECK_EQ(Run("print \"\\" + table + "\"\n"), "t.tab:1: unknown escape \\" + table + "\n");
    CHECK_EQ(Run("print \"" + a + smile + "\"\n"), a + smile + "\nexit 0\n");
    SetCodePage(1252);
}

int polls = 0;
bool StopAtThird(std::string& reason) {
    reason = "stopped";
    return ++polls < 3;
}

// A host's poll stops a runaway loop at the statement it had reached.
void Polls() {
    const std::vector<script::Function> functions = Functions();
    script::Program program;
    script::Failure failure{0, ""};
    CHECK(script::Parse("x = 1\nwhile 1\nend\n", functions, program, failure));
    output.clear();
    CHECK_EQ(script::Execute(program, functions, "t.tab", script::Console{Collect, Collect, StopAtThird}), 1);
    CHECK_EQ(output, "t.tab:3: stopped\n");
}

}  // namespace

int main() {
    check::Group("operators", Operators);
    check::Group("blocks", Blocks);
    check::Group("errors", Errors);
    check::Group("limits", Limits);
    check::Group("code page 932", CodePage932);
    check::Group("UTF-8", Utf8);
    check::Group("polls", Polls);
    return check::Finish();
}
