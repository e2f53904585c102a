// The script language: one statement per line, read whole before anything
// runs, so that a misspelt function or a wrong argument count is reported
// before the first window opens.
//
//   name = expression            print a, b, ...        # comment
//   call(arguments)              expect value, expression
//   repeat i = first to last ... end
//
// Expressions are integers (42, -7, 0xFF), texts ("a\tb"), variables,
// calls, and "+" (integers add; with a text on either side it joins).
#include <ctype.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

namespace script {

struct Value {
    bool isText;
    int32_t number;
    std::string text;
};

static Value IntValue(int32_t number) { return Value{false, number, std::string()}; }
static Value TextValue(const std::string& text) { return Value{true, 0, text}; }

struct Function;
// Runs a call whose arguments have passed the count and type checks; on
// failure fills error (the caller adds file and line).
typedef bool Runner(const Function& function, const std::string& spelled, const std::vector<Value>& args,
                    Value& result, std::string& error);

struct Function {
    std::string name;  // lower case: names are matched without regard to case
    int32_t number;    // the extender's function number; -1 for the host's own
    int minArgs;
    int maxArgs;
    uint32_t textMask;  // nibble k - 1 set: argument k is a text
    Runner* run;
    std::string shape;  // how a call looks, for messages: "lvDeleteItem(listview, index, scope)"
};

enum class ExprKind { Literal, Variable, Call, Add };

struct Expr {
    ExprKind kind;
    Value literal;
    std::string name;  // a variable, or a function as the script spells it
    int callee;        // index into the function list
    std::vector<Expr> operands;
};

enum class StmtKind { Assign, Evaluate, Print, Expect, Repeat, End };

struct Stmt {
    StmtKind kind;
    int line;
    std::string name;  // the variable of Assign and Repeat
    std::vector<Expr> exprs;
    size_t partner;  // Repeat: its end; End: its repeat
};

struct Program {
    std::vector<Stmt> statements;
};

// A failure with the line it belongs to; line 0 names no line.
struct Failure {
    int line;
    std::string message;
};

static std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

static int FindFunction(const std::vector<Function>& functions, const std::string& name) {
    const std::string wanted = Lower(name);
    for (size_t i = 0; i < functions.size(); ++i)
        if (functions[i].name == wanted) return static_cast<int>(i);
    return -1;
}

static std::string ArgumentCountText(const Function& f) {
    const char* noun = f.maxArgs == 1 ? "argument" : "arguments";
    if (f.minArgs == f.maxArgs) return std::to_string(f.minArgs) + " " + noun;
    if (f.maxArgs == f.minArgs + 1)
        return std::to_string(f.minArgs) + " or " + std::to_string(f.maxArgs) + " " + noun;
    return std::to_string(f.minArgs) + " to " + std::to_string(f.maxArgs) + " " + noun;
}

// ---- tokens --------------------------------------------------------------

enum class TokenKind { Number, Text, Name, Punct, End };

struct Token {
    TokenKind kind;
    int32_t number;
    std::string text;  // a text's contents, a name, or the punctuation
};

static bool IsNameStart(char c) { return isalpha(static_cast<unsigned char>(c)) || c == '_'; }
static bool IsNameChar(char c) { return isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// An integer literal: decimal or 0x hexadecimal, optionally negative,
// within 32 bits (hexadecimal up to 0xFFFFFFFF, which wraps to negative as
// colours and flags expect).
static bool ReadNumber(const std::string& line, size_t& at, Token& token, std::string& error) {
    const size_t start = at;
    bool negative = false;
    if (line[at] == '-') negative = true, ++at;
    size_t end = at;
    while (end < line.size() && IsNameChar(line[end])) ++end;
    const std::string word = line.substr(at, end - at);
    const std::string shown = line.substr(start, end - start);
    at = end;
    const bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
    const char* digits = word.c_str() + (hex ? 2 : 0);
    if (!*digits || strspn(digits, hex ? "0123456789abcdefABCDEF" : "0123456789") != strlen(digits)) {
        error = "bad number " + shown;
        return false;
    }
    if (strlen(digits) > 10) {
        error = "number out of range " + shown;
        return false;
    }
    const unsigned long long value = strtoull(digits, nullptr, hex ? 16 : 10);
    const unsigned long long limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (value > limit) {
        error = "number out of range " + shown;
        return false;
    }
    const uint32_t bits = static_cast<uint32_t>(negative ? 0ull - value : value);
    token = Token{TokenKind::Number, static_cast<int32_t>(bits), shown};
    return true;
}

static bool ReadText(const std::string& line, size_t& at, Token& token, std::string& error) {
    std::string text;
    ++at;  // the opening quote
    while (at < line.size() && line[at] != '"') {
        char c = line[at++];
        if (c == '\\') {
            if (at >= line.size()) break;
            const char escaped = line[at++];
            switch (escaped) {
                case '"': c = '"'; break;
                case '\\': c = '\\'; break;
                case 't': c = '\t'; break;
                case 'n': c = '\n'; break;
                default:
                    error = std::string("unknown escape \\") + escaped;
                    return false;
            }
        }
        text += c;
    }
    if (at >= line.size()) {
        error = "unterminated string";
        return false;
    }
    ++at;  // the closing quote
    token = Token{TokenKind::Text, 0, text};
    return true;
}

// Splits one line; a "#" outside a text ends it.
static bool Tokenize(const std::string& line, std::vector<Token>& tokens, std::string& error) {
    size_t at = 0;
    while (at < line.size()) {
        const char c = line[at];
        if (c == ' ' || c == '\t') {
            ++at;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            Token token;
            if (!ReadText(line, at, token, error)) return false;
            tokens.push_back(token);
        } else if (isdigit(static_cast<unsigned char>(c)) ||
                   (c == '-' && at + 1 < line.size() && isdigit(static_cast<unsigned char>(line[at + 1])))) {
            Token token;
            if (!ReadNumber(line, at, token, error)) return false;
            tokens.push_back(token);
        } else if (IsNameStart(c)) {
            const size_t start = at;
            while (at < line.size() && IsNameChar(line[at])) ++at;
            tokens.push_back(Token{TokenKind::Name, 0, line.substr(start, at - start)});
        } else if (strchr("(),=+", c)) {
            tokens.push_back(Token{TokenKind::Punct, 0, std::string(1, c)});
            ++at;
        } else {
            error = std::string("unexpected character '") + c + "'";
            return false;
        }
    }
    tokens.push_back(Token{TokenKind::End, 0, ""});
    return true;
}

// ---- statements ----------------------------------------------------------

struct Parser {
    const std::vector<Token>& tokens;
    size_t at;
    const std::vector<Function>& functions;
    std::string error;
};

static const Token& Peek(const Parser& p) { return p.tokens[p.at]; }
static bool IsPunct(const Token& t, char c) { return t.kind == TokenKind::Punct && t.text[0] == c; }
static bool IsWord(const Token& t, const char* word) { return t.kind == TokenKind::Name && t.text == word; }

static std::string Describe(const Token& t) {
    switch (t.kind) {
        case TokenKind::End: return "end of line";
        case TokenKind::Text: return "a text";
        default: return "'" + t.text + "'";
    }
}

static bool ParseExpr(Parser& p, Expr& expr);

static bool ParseCall(Parser& p, const std::string& name, Expr& expr) {
    const int callee = FindFunction(p.functions, name);
    if (callee < 0) {
        p.error = "unknown function " + name;
        return false;
    }
    expr = Expr{ExprKind::Call, IntValue(0), name, callee, {}};
    ++p.at;  // "("
    if (!IsPunct(Peek(p), ')')) {
        for (;;) {
            Expr argument;
            if (!ParseExpr(p, argument)) return false;
            expr.operands.push_back(argument);
            if (IsPunct(Peek(p), ',')) {
                ++p.at;
                continue;
            }
            if (IsPunct(Peek(p), ')')) break;
            p.error = "expected ',' or ')' in the call of " + name + ", found " + Describe(Peek(p));
            return false;
        }
    }
    ++p.at;  // ")"
    const Function& f = p.functions[callee];
    const int count = static_cast<int>(expr.operands.size());
    if (count < f.minArgs || count > f.maxArgs) {
        p.error = name + " takes " + ArgumentCountText(f) + ", got " + std::to_string(count);
        if (!f.shape.empty()) p.error += ": " + f.shape;
        return false;
    }
    return true;
}

static bool ParsePrimary(Parser& p, Expr& expr) {
    const Token token = Peek(p);
    if (token.kind == TokenKind::Number) {
        ++p.at;
        expr = Expr{ExprKind::Literal, IntValue(token.number), "", -1, {}};
        return true;
    }
    if (token.kind == TokenKind::Text) {
        ++p.at;
        expr = Expr{ExprKind::Literal, TextValue(token.text), "", -1, {}};
        return true;
    }
    if (IsPunct(token, '(')) {
        ++p.at;
        if (!ParseExpr(p, expr)) return false;
        if (!IsPunct(Peek(p), ')')) {
            p.error = "expected ')', found " + Describe(Peek(p));
            return false;
        }
        ++p.at;
        return true;
    }
    if (token.kind == TokenKind::Name) {
        ++p.at;
        if (IsPunct(Peek(p), '(')) return ParseCall(p, token.text, expr);
        expr = Expr{ExprKind::Variable, IntValue(0), token.text, -1, {}};
        return true;
    }
    p.error = "expected a value, found " + Describe(token);
    return false;
}

static bool ParseExpr(Parser& p, Expr& expr) {
    if (!ParsePrimary(p, expr)) return false;
    while (IsPunct(Peek(p), '+')) {
        ++p.at;
        Expr right;
        if (!ParsePrimary(p, right)) return false;
        Expr sum{ExprKind::Add, IntValue(0), "", -1, {}};
        sum.operands.push_back(expr);
        sum.operands.push_back(right);
        expr = sum;
    }
    return true;
}

static bool ExpectEnd(Parser& p) {
    if (Peek(p).kind == TokenKind::End) return true;
    p.error = "unexpected " + Describe(Peek(p));
    return false;
}

static bool ParseStatement(Parser& p, Stmt& stmt) {
    const Token first = Peek(p);
    if (IsWord(first, "repeat")) {
        ++p.at;
        stmt.kind = StmtKind::Repeat;
        if (Peek(p).kind != TokenKind::Name || !IsPunct(p.tokens[p.at + 1], '=')) {
            p.error = "repeat needs a counter: repeat i = 1 to 10";
            return false;
        }
        stmt.name = Peek(p).text;
        p.at += 2;
        Expr from, to;
        if (!ParseExpr(p, from)) return false;
        if (!IsWord(Peek(p), "to")) {
            p.error = "expected 'to', found " + Describe(Peek(p));
            return false;
        }
        ++p.at;
        if (!ParseExpr(p, to)) return false;
        stmt.exprs = {from, to};
        return ExpectEnd(p);
    }
    if (IsWord(first, "end")) {
        ++p.at;
        stmt.kind = StmtKind::End;
        return ExpectEnd(p);
    }
    if (IsWord(first, "print") || IsWord(first, "expect")) {
        ++p.at;
        stmt.kind = first.text == "print" ? StmtKind::Print : StmtKind::Expect;
        while (Peek(p).kind != TokenKind::End) {
            Expr expr;
            if (!ParseExpr(p, expr)) return false;
            stmt.exprs.push_back(expr);
            if (IsPunct(Peek(p), ',')) {
                ++p.at;
                if (Peek(p).kind == TokenKind::End) {
                    p.error = "expected a value after ','";
                    return false;
                }
            } else if (!ExpectEnd(p)) {
                return false;
            }
        }
        if (stmt.kind == StmtKind::Expect && stmt.exprs.size() != 2) {
            p.error = "expect takes a value and an expression: expect 3, lvGetItemCount(lv)";
            return false;
        }
        return true;
    }
    if (first.kind == TokenKind::Name && IsPunct(p.tokens[p.at + 1], '=')) {
        stmt.kind = StmtKind::Assign;
        stmt.name = first.text;
        p.at += 2;
        Expr expr;
        if (!ParseExpr(p, expr)) return false;
        stmt.exprs.push_back(expr);
        return ExpectEnd(p);
    }
    Expr expr;
    if (!ParseExpr(p, expr)) return false;
    if (expr.kind != ExprKind::Call) {
        p.error = "a line is a call, an assignment, print, expect, repeat or end";
        return false;
    }
    stmt.kind = StmtKind::Evaluate;
    stmt.exprs.push_back(expr);
    return ExpectEnd(p);
}

static bool Parse(const std::string& source, const std::vector<Function>& functions, Program& program,
                  Failure& failure) {
    std::vector<size_t> open;  // repeats waiting for their end
    size_t start = 0;
    for (int line = 1; start <= source.size(); ++line) {
        size_t stop = source.find('\n', start);
        if (stop == std::string::npos) stop = source.size();
        std::string text = source.substr(start, stop - start);
        start = stop + 1;
        if (!text.empty() && text.back() == '\r') text.pop_back();

        std::vector<Token> tokens;
        std::string error;
        if (!Tokenize(text, tokens, error)) {
            failure = Failure{line, error};
            return false;
        }
        if (tokens.size() == 1) continue;  // blank or comment only
        Parser p{tokens, 0, functions, ""};
        Stmt stmt{StmtKind::Evaluate, line, "", {}, 0};
        if (!ParseStatement(p, stmt)) {
            failure = Failure{line, p.error};
            return false;
        }
        if (stmt.kind == StmtKind::Repeat) open.push_back(program.statements.size());
        if (stmt.kind == StmtKind::End) {
            if (open.empty()) {
                failure = Failure{line, "end without repeat"};
                return false;
            }
            stmt.partner = open.back();
            program.statements[open.back()].partner = program.statements.size();
            open.pop_back();
        }
        program.statements.push_back(stmt);
    }
    if (!open.empty()) {
        failure = Failure{program.statements[open.back()].line, "repeat without end"};
        return false;
    }
    return true;
}

}  // namespace script
