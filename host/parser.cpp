// Reads a whole script into statements, one per line, before anything
// runs, so that a misspelt function, a wrong argument count or an
// unfinished block is reported before the first window opens. One small
// function per precedence level; each level gathers its operands into one
// flat node, so parsing is linear in the script's length and a long chain
// of terms nests nothing.
#include <string.h>

#include <algorithm>

#include "lexer.h"
#include "script.h"

namespace script {

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

int FindFunction(const std::vector<Function>& functions, const std::string& name) {
    const std::string wanted = Lower(name);
    for (size_t i = 0; i < functions.size(); ++i)
        if (functions[i].name == wanted) return static_cast<int>(i);
    return -1;
}

bool ExtenderFunction(const std::string& name, int32_t number, int32_t argCount, uint32_t stringMask, int slots,
                      Runner* run, const std::string& shape, Function& function, std::string& error) {
    if (argCount < 0 || argCount > 8 || argCount > slots) {
        error = "the extender's function " + name + " declares " + std::to_string(argCount) +
                " arguments; a host passes 0 to " + std::to_string(std::min(slots, 8));
        return false;
    }
    // Mask nibbles beyond the argument count describe no argument.
    std::string kinds;
    for (int k = 0; k < argCount; ++k) kinds += ((stringMask >> (4 * k)) & 0xF) == 1 ? 't' : 'i';
    function = Function{Lower(name), number, argCount, argCount, kinds, run, shape};
    return true;
}

namespace {

// The name a function goes by in messages: as its shape spells it.
std::string ShapeName(const Function& f) { return f.shape.empty() ? f.name : f.shape.substr(0, f.shape.find('(')); }

// Edits (insert, delete, replace, swap two neighbours) from a to b, in any
// case; more than limit comes back as limit + 1.
size_t EditDistance(const std::string& a, const std::string& b, size_t limit) {
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) return limit + 1;
    const std::string x = Lower(a), y = Lower(b);
    std::vector<std::vector<size_t>> d(x.size() + 1, std::vector<size_t>(y.size() + 1));
    for (size_t i = 0; i <= x.size(); ++i) d[i][0] = i;
    for (size_t j = 0; j <= y.size(); ++j) d[0][j] = j;
    for (size_t i = 1; i <= x.size(); ++i) {
        for (size_t j = 1; j <= y.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (x[i - 1] != y[j - 1])});
            if (i > 1 && j > 1 && x[i - 1] == y[j - 2] && x[i - 2] == y[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return std::min(d[x.size()][y.size()], limit + 1);
}

}  // namespace

std::vector<std::string> NearestNames(const std::vector<Function>& functions, const std::string& name) {
    const size_t limit = name.size() <= 4 ? 1 : name.size() <= 8 ? 2 : 3;
    std::vector<std::pair<size_t, std::string>> near;
    for (const Function& f : functions) {
        const size_t distance = EditDistance(name, f.name, limit);
        if (distance <= limit) near.emplace_back(distance, ShapeName(f));
    }
    std::sort(near.begin(), near.end());
    std::vector<std::string> names;
    for (size_t k = 0; k < near.size() && k < 3; ++k) names.push_back(near[k].second);
    return names;
}

namespace {

std::string ArgumentCountText(const Function& f) {
    if (f.maxArgs == kAnyCount) return std::to_string(f.minArgs) + " or more arguments";
    const char* noun = f.maxArgs == 1 ? "argument" : "arguments";
    if (f.minArgs == f.maxArgs) return std::to_string(f.minArgs) + " " + noun;
    if (f.maxArgs == f.minArgs + 1)
        return std::to_string(f.minArgs) + " or " + std::to_string(f.maxArgs) + " " + noun;
    return std::to_string(f.minArgs) + " to " + std::to_string(f.maxArgs) + " " + noun;
}

struct Parser {
    const std::vector<Token>& tokens;
    size_t at;
    const std::vector<Function>& functions;
    std::string error;
    int depth;  // parentheses and calls open around the token at `at`
};

const Token& Peek(const Parser& p, size_t ahead = 0) { return p.tokens[std::min(p.at + ahead, p.tokens.size() - 1)]; }
bool IsPunct(const Token& t, const char* punctuation) { return t.kind == TokenKind::Punct && t.text == punctuation; }
bool IsWord(const Token& t, const char* word) { return t.kind == TokenKind::Name && t.text == word; }

std::string Describe(const Token& t) {
    switch (t.kind) {
        case TokenKind::LineEnd: return "end of line";
        case TokenKind::Text: return "a text";
        default: return "'" + t.text + "'";
    }
}

bool Fail(Parser& p, std::string message) {
    p.error = std::move(message);
    return false;
}

Expr Node(ExprKind kind) { return Expr{kind, IntValue(0), "", -1, {}, {}}; }

bool ParseExpression(Parser& p, Expr& expr);

// Parentheses and calls one inside another, up to kMaxNesting: deeper
// nesting would take the parser's and the evaluator's stack.
bool Enter(Parser& p) {
    if (++p.depth <= kMaxNesting) return true;
    return Fail(p, "nested more than " + std::to_string(kMaxNesting) + " deep");
}

bool ParseCall(Parser& p, const std::string& name, Expr& expr) {
    const int callee = FindFunction(p.functions, name);
    if (callee < 0) {
        std::string message = "unknown function " + name;
        const std::vector<std::string> near = NearestNames(p.functions, name);
        for (size_t k = 0; k < near.size(); ++k)
            message += (k == 0 ? "; did you mean " : k + 1 == near.size() ? " or " : ", ") + near[k];
        return Fail(p, message + (near.empty() ? "" : "?"));
    }
    if (!Enter(p)) return false;
    expr = Node(ExprKind::Call);
    expr.name = name;
    expr.callee = callee;
    ++p.at;  // "("
    if (!IsPunct(Peek(p), ")")) {
        for (;;) {
            Expr argument;
            if (!ParseExpression(p, argument)) return false;
            expr.operands.push_back(std::move(argument));
            if (IsPunct(Peek(p), ",")) {
                ++p.at;
                continue;
            }
            if (IsPunct(Peek(p), ")")) break;
            return Fail(p, "expected ',' or ')' in the call of " + name + ", found " + Describe(Peek(p)));
        }
    }
    ++p.at;  // ")"
    --p.depth;
    const Function& f = p.functions[callee];
    const int count = static_cast<int>(expr.operands.size());
    if (count < f.minArgs || (f.maxArgs != kAnyCount && count > f.maxArgs)) {
        std::string message = name + " takes " + ArgumentCountText(f) + ", got " + std::to_string(count);
        if (!f.shape.empty()) message += ": " + f.shape;
        return Fail(p, message);
    }
    return true;
}

bool ParsePrimary(Parser& p, Expr& expr) {
    const Token& token = Peek(p);
    if (token.kind == TokenKind::Number) {
        if (token.magnitude > (token.hex ? 0xFFFFFFFFull : 0x7FFFFFFFull))
            return Fail(p, "number out of range " + token.text);
        expr = Node(ExprKind::Literal);
        expr.literal = IntValue(static_cast<int32_t>(static_cast<uint32_t>(token.magnitude)));
        ++p.at;
        return true;
    }
    if (token.kind == TokenKind::Text) {
        expr = Node(ExprKind::Literal);
        expr.literal = TextValue(token.text);
        ++p.at;
        return true;
    }
    if (IsPunct(token, "(")) {
        if (!Enter(p)) return false;
        ++p.at;
        if (!ParseExpression(p, expr)) return false;
        if (!IsPunct(Peek(p), ")")) return Fail(p, "expected ')', found " + Describe(Peek(p)));
        ++p.at;
        --p.depth;
        return true;
    }
    if (token.kind == TokenKind::Name) {
        const std::string name = token.text;
        ++p.at;
        if (IsPunct(Peek(p), "(")) return ParseCall(p, name, expr);
        expr = Node(ExprKind::Variable);
        expr.name = name;
        return true;
    }
    return Fail(p, "expected a value, found " + Describe(token));
}

// Any number of "-" before a value: counted, not nested. A number right
// after them is one literal, so -2147483648 is in range.
bool ParseUnary(Parser& p, Expr& expr) {
    size_t minus = 0;
    while (IsPunct(Peek(p), "-")) ++minus, ++p.at;
    const Token& token = Peek(p);
    if (minus > 0 && token.kind == TokenKind::Number) {
        const bool negative = minus % 2 == 1;
        if (token.magnitude > (token.hex ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull))
            return Fail(p, "number out of range " + std::string(negative ? "-" : "") + token.text);
        const uint32_t bits = static_cast<uint32_t>(token.magnitude);
        expr = Node(ExprKind::Literal);
        expr.literal = IntValue(static_cast<int32_t>(negative ? 0u - bits : bits));
        ++p.at;
        return true;
    }
    if (!ParsePrimary(p, expr)) return false;
    // Negated twice is the value itself, still checked to be an integer.
    for (size_t k = 0; k < std::min<size_t>(minus, 2 - minus % 2); ++k) {
        Expr negate = Node(ExprKind::Negate);
        negate.operands.push_back(std::move(expr));
        expr = std::move(negate);
    }
    return true;
}

// One precedence level of left-associative operators: its operands, parsed
// by the next level, and the operators between them, in one node.
struct Level {
    bool (*operand)(Parser&, Expr&);
    const char* const* spellings;
    const Operator* operators;
    size_t count;
};

bool ParseLevel(Parser& p, const Level& level, Expr& expr) {
    if (!level.operand(p, expr)) return false;
    Expr chain = Node(ExprKind::Chain);
    for (;;) {
        size_t found = level.count;
        for (size_t k = 0; k < level.count; ++k)
            if (IsPunct(Peek(p), level.spellings[k])) found = k;
        if (found == level.count) break;
        ++p.at;
        if (chain.operands.empty()) chain.operands.push_back(std::move(expr));
        chain.operators.push_back(level.operators[found]);
        Expr right;
        if (!level.operand(p, right)) return false;
        chain.operands.push_back(std::move(right));
    }
    if (!chain.operands.empty()) expr = std::move(chain);
    return true;
}

const char* const kProductSpellings[] = {"*", "/"};
const Operator kProductOperators[] = {Operator::Multiply, Operator::Divide};
bool ParseProduct(Parser& p, Expr& expr) {
    return ParseLevel(p, Level{ParseUnary, kProductSpellings, kProductOperators, 2}, expr);
}

const char* const kSumSpellings[] = {"+", "-"};
const Operator kSumOperators[] = {Operator::Add, Operator::Subtract};
bool ParseSum(Parser& p, Expr& expr) { return ParseLevel(p, Level{ParseProduct, kSumSpellings, kSumOperators, 2}, expr); }

const char* const kComparisonSpellings[] = {"=", "<>", "<", ">", "<=", ">="};
const Operator kComparisonOperators[] = {Operator::Equal,   Operator::NotEqual,  Operator::Less,
                                         Operator::Greater, Operator::LessEqual, Operator::GreaterEqual};

// At most one comparison: "a < b < c" is refused rather than read as
// "(a < b) < c", which compares 1 or 0 with c.
bool ParseExpression(Parser& p, Expr& expr) {
    if (!ParseLevel(p, Level{ParseSum, kComparisonSpellings, kComparisonOperators, 6}, expr)) return false;
    if (expr.kind == ExprKind::Chain && expr.operators.size() > 1 && expr.operators[0] >= Operator::Equal)
        return Fail(p, "comparisons do not chain: use parentheses, as in (a < b) = 1");
    return true;
}

bool ExpectLineEnd(Parser& p) {
    if (Peek(p).kind == TokenKind::LineEnd) return true;
    return Fail(p, "unexpected " + Describe(Peek(p)));
}

// "if" and "while" take a condition and nothing else on their line.
bool ParseCondition(Parser& p, const char* word, Stmt& stmt) {
    if (Peek(p).kind == TokenKind::LineEnd) return Fail(p, std::string(word) + " needs a condition: " + word + " n > 3");
    Expr condition;
    if (!ParseExpression(p, condition)) return false;
    stmt.exprs.push_back(std::move(condition));
    return ExpectLineEnd(p);
}

bool ParseStatement(Parser& p, Stmt& stmt) {
    const Token& first = Peek(p);
    if (IsWord(first, "repeat")) {
        ++p.at;
        stmt.kind = StmtKind::Repeat;
        if (Peek(p).kind != TokenKind::Name || !IsPunct(Peek(p, 1), "="))
            return Fail(p, "repeat needs a counter: repeat i = 1 to 10");
        stmt.name = Peek(p).text;
        p.at += 2;
        Expr from, to;
        if (!ParseExpression(p, from)) return false;
        if (!IsWord(Peek(p), "to")) return Fail(p, "expected 'to', found " + Describe(Peek(p)));
        ++p.at;
        if (!ParseExpression(p, to)) return false;
        stmt.exprs.push_back(std::move(from));
        stmt.exprs.push_back(std::move(to));
        return ExpectLineEnd(p);
    }
    if (IsWord(first, "if") || IsWord(first, "while")) {
        ++p.at;
        stmt.kind = first.text == "if" ? StmtKind::If : StmtKind::While;
        return ParseCondition(p, stmt.kind == StmtKind::If ? "if" : "while", stmt);
    }
    if (IsWord(first, "else") || IsWord(first, "end")) {
        ++p.at;
        stmt.kind = first.text == "else" ? StmtKind::Else : StmtKind::End;
        if (Peek(p).kind != TokenKind::LineEnd) return Fail(p, first.text + " stands on a line of its own");
        return true;
    }
    if (IsWord(first, "print") || IsWord(first, "expect")) {
        ++p.at;
        stmt.kind = first.text == "print" ? StmtKind::Print : StmtKind::Expect;
        while (Peek(p).kind != TokenKind::LineEnd) {
            Expr expr;
            if (!ParseExpression(p, expr)) return false;
            stmt.exprs.push_back(std::move(expr));
            if (IsPunct(Peek(p), ",")) {
                ++p.at;
                if (Peek(p).kind == TokenKind::LineEnd) return Fail(p, "expected a value after ','");
            } else if (!ExpectLineEnd(p)) {
                return false;
            }
        }
        if (stmt.kind == StmtKind::Expect && stmt.exprs.size() != 2)
            return Fail(p, "expect takes a value and an expression: expect 3, lvGetItemCount(lv)");
        return true;
    }
    if (first.kind == TokenKind::Name && IsPunct(Peek(p, 1), "=")) {
        stmt.kind = StmtKind::Assign;
        stmt.name = first.text;
        p.at += 2;
        Expr expr;
        if (!ParseExpression(p, expr)) return false;
        stmt.exprs.push_back(std::move(expr));
        return ExpectLineEnd(p);
    }
    Expr expr;
    if (!ParseExpression(p, expr)) return false;
    if (expr.kind != ExprKind::Call)
        return Fail(p, "a line is a call, an assignment, print, expect, repeat, if, else, while or end");
    stmt.kind = StmtKind::Evaluate;
    stmt.exprs.push_back(std::move(expr));
    return ExpectLineEnd(p);
}

const char* BlockWord(StmtKind kind) {
    return kind == StmtKind::Repeat ? "repeat" : kind == StmtKind::If ? "if" : "while";
}

}  // namespace

bool Parse(const std::string& source, const std::vector<Function>& functions, Program& program, Failure& failure) {
    if (source.size() > kMaxScriptLength) {
        const int line = 1 + static_cast<int>(std::count(source.begin(), source.begin() + kMaxScriptLength, '\n'));
        failure = Failure{line, "the script goes on past " + std::to_string(kMaxScriptLength) + " bytes"};
        return false;
    }
    std::vector<size_t> open;  // blocks waiting for their end
    std::vector<Stmt>& code = program.statements;
    Lexer lexer = StartLexer(source);
    std::vector<Token> tokens;
    while (!AtEnd(lexer)) {
        const int line = lexer.line;
        std::string error;
        if (!ReadLine(lexer, tokens, error)) {
            failure = Failure{line, error};
            return false;
        }
        if (tokens.size() == 1) continue;  // blank or comment only
        Parser p{tokens, 0, functions, "", 0};
        Stmt stmt{StmtKind::Evaluate, line, "", {}, kNone, kNone};
        if (!ParseStatement(p, stmt)) {
            failure = Failure{line, p.error};
            return false;
        }
        const size_t here = code.size();
        switch (stmt.kind) {
            case StmtKind::Repeat:
            case StmtKind::If:
            case StmtKind::While:
                open.push_back(here);
                break;
            case StmtKind::Else: {
                if (open.empty() || code[open.back()].kind != StmtKind::If) {
                    failure = Failure{line, "else without if"};
                    return false;
                }
                Stmt& block = code[open.back()];
                if (block.otherwise != kNone) {
                    failure = Failure{line, "a second else for the if of line " + std::to_string(block.line)};
                    return false;
                }
                block.otherwise = here;
                break;
            }
            case StmtKind::End: {
                if (open.empty()) {
                    failure = Failure{line, "end without repeat, if or while"};
                    return false;
                }
                Stmt& block = code[open.back()];
                block.partner = here;
                if (block.otherwise != kNone) code[block.otherwise].partner = here;
                stmt.partner = open.back();
                open.pop_back();
                break;
            }
            default:
                break;
        }
        code.push_back(std::move(stmt));
    }
    if (!open.empty()) {
        const Stmt& block = code[open.back()];
        failure = Failure{block.line, std::string(BlockWord(block.kind)) + " without end"};
        return false;
    }
    return true;
}

}  // namespace script
