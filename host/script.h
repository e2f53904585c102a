// The stand-in host's script language, platform-neutral: a lexer over the
// script's bytes that knows where characters start (lexer.cpp), a parser
// with one function per precedence level that reads the whole script before
// anything runs (parser.cpp), and the evaluator (evaluator.cpp). What the
// functions do is the caller's: the host's words and the extender's calls
// on Windows, stand-ins in the native tests and the fuzzer.
//
//   name = expression            print a, b, ...        # comment
//   call(arguments)              expect value, expression
//   repeat i = first to last ... end
//   if condition ... else ... end
//   while condition ... end
//
// Expressions are integers (42, 0xFF), texts ("a\tb"), variables, calls,
// the operators below from loosest to tightest, and parentheses:
//   = <> < > <= >=    comparisons, 1 or 0; not chained
//   + -               "+" joins when either side is a text
//   * /
//   -                 negation
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace script {

// The longest text a script makes, in bytes.
constexpr size_t kMaxTextLength = 1 << 20;
// The longest script, in bytes: its tree stays well within a 32-bit
// host's memory (a term takes about 100 bytes).
constexpr size_t kMaxScriptLength = 4 << 20;
// How deep parentheses and calls may lie inside one another.
constexpr int kMaxNesting = 200;
// Function::maxArgs of a function that takes any number more.
constexpr int kAnyCount = -1;

struct Value {
    bool isText;
    int32_t number;
    std::string text;
};

inline Value IntValue(int32_t number) { return Value{false, number, std::string()}; }
inline Value TextValue(std::string text) { return Value{true, 0, std::move(text)}; }

struct Function;
// Runs a call whose arguments have passed the count and kind checks; on
// failure fills error (the caller adds file and line).
typedef bool Runner(const Function& function, const std::string& spelled, const std::vector<Value>& args,
                    Value& result, std::string& error);

struct Function {
    std::string name;  // lower case: names are matched without regard to case
    int32_t number;    // the extender's function number; -1 for the host's own
    int minArgs;
    int maxArgs;        // or kAnyCount
    std::string kinds;  // 't' (text) or 'i' (integer) per argument; the last one repeats beyond
    Runner* run;
    std::string shape;  // how a call looks, for messages: "lvDeleteItem(listview, index, scope)"
};

// An extender's function as the host learns it from the enumeration. Its
// text mask has a nibble for each of 8 arguments, and the host passes
// slots of them: a count outside 0 to slots is refused with error.
bool ExtenderFunction(const std::string& name, int32_t number, int32_t argCount, uint32_t stringMask, int slots,
                      Runner* run, const std::string& shape, Function& function, std::string& error);

// ---- the parsed program --------------------------------------------------

enum class ExprKind : uint8_t { Literal, Variable, Call, Negate, Chain };

// The comparisons come last: Operator::Equal and above compare.
enum class Operator : uint8_t { Add, Subtract, Multiply, Divide, Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };

struct Expr {
    ExprKind kind;
    Value literal;
    std::string name;  // a variable, or a function as the script spells it
    int callee;        // index into the function list
    // Call: the arguments. Negate: one operand. Chain: the operands of one
    // precedence level, evaluated left to right, operators[k] between
    // operands[k] and operands[k + 1]: a long chain is one flat node.
    std::vector<Expr> operands;
    std::vector<Operator> operators;
};

enum class StmtKind : uint8_t { Assign, Evaluate, Print, Expect, Repeat, If, Else, While, End };

constexpr size_t kNone = static_cast<size_t>(-1);

struct Stmt {
    StmtKind kind;
    int line;
    std::string name;  // the variable of Assign and Repeat
    std::vector<Expr> exprs;
    size_t partner;  // Repeat, If, While, Else: their end; End: its block's first statement
    size_t otherwise;  // If: its else, or kNone
};

struct Program {
    std::vector<Stmt> statements;
};

// A failure with the line it belongs to; line 0 names no line.
struct Failure {
    int line;
    std::string message;
};

// Reads the whole script: names, argument counts, literals and blocks are
// checked before anything runs.
bool Parse(const std::string& source, const std::vector<Function>& functions, Program& program, Failure& failure);

// Where a run's lines go: print's lines, and "file:line: message" reports
// of errors and unmet expectations.
typedef void Writer(const std::string& line);
// Asked before every statement, so that a host can keep its windows
// answering while a script runs (it decides itself how often that is worth
// it); false stops the script, with the reason for its report.
typedef bool Poller(std::string& reason);
struct Console {
    Writer* print;
    Writer* report;
    Poller* poll = nullptr;
};

struct Limits {
    size_t maxTextLength = kMaxTextLength;
    uint64_t maxSteps = 0;  // statements run before the script is stopped; 0: no limit
};

// Runs a parsed script; 0 when it ran to its end and met every
// expectation, 1 otherwise. A runtime error stops it; an unmet
// expectation is reported and the script goes on.
int Execute(const Program& program, const std::vector<Function>& functions, const std::string& file,
            const Console& console, const Limits& limits = Limits());

// ---- shared by the pieces ------------------------------------------------

std::string Lower(std::string text);  // ASCII letters only: names are ASCII
int FindFunction(const std::vector<Function>& functions, const std::string& name);
// Up to three names within a few edits of name, nearest first, as their
// shapes spell them.
std::vector<std::string> NearestNames(const std::vector<Function>& functions, const std::string& name);
// For messages: integers as they are, texts quoted with the escapes a
// script would write, stepping by characters.
std::string Shown(const Value& value);
std::string Plain(const Value& value);

}  // namespace script
