// Runs a parsed script: values, variables, blocks, print and expect.
// Statements run in a loop over the program, so blocks nest without
// recursion; expressions recurse only as deep as the parser allowed them
// to nest, and a chain of terms is one loop.
#include <algorithm>
#include <map>

#include "../interface/characters.h"
#include "script.h"

namespace script {

std::string Plain(const Value& v) { return v.isText ? v.text : std::to_string(v.number); }

std::string Shown(const Value& v) {
    if (!v.isText) return std::to_string(v.number);
    std::string shown = "\"";
    const char* end = v.text.data() + v.text.size();
    for (const char* c = v.text.data(); c < end;) {
        // A character goes as it is: 83 5C is ソ, not "\".
        const size_t size = ::CharacterSize(c, static_cast<size_t>(end - c));
        if (size == 1 && (*c == '"' || *c == '\\')) shown += '\\', shown += *c;
        else if (size == 1 && *c == '\t') shown += "\\t";
        else if (size == 1 && *c == '\n') shown += "\\n";
        else shown.append(c, size);
        c += size;
    }
    return shown + "\"";
}

namespace {

struct Run {
    const std::vector<Function>& functions;
    const Limits& limits;
    std::map<std::string, Value> variables;
};

const char* Spelling(Operator op) {
    static const char* const spellings[] = {"+", "-", "*", "/", "=", "<>", "<", ">", "<=", ">="};
    return spellings[static_cast<int>(op)];
}

std::string KindAndValue(const Value& v) { return (v.isText ? "the text " : "the integer ") + Shown(v); }

// left = left op right. Integers wrap around at 32 bits; "+" with a text on
// either side joins, up to the longest text.
bool Apply(const Run& run, Operator op, Value& left, const Value& right, std::string& error) {
    if (op >= Operator::Equal) {
        if (left.isText != right.isText) {
            error = "cannot compare " + KindAndValue(left) + " with " + KindAndValue(right);
            return false;
        }
        const int order = left.isText ? left.text.compare(right.text)
                                      : (left.number < right.number ? -1 : left.number > right.number ? 1 : 0);
        bool holds = false;
        switch (op) {
            case Operator::Equal: holds = order == 0; break;
            case Operator::NotEqual: holds = order != 0; break;
            case Operator::Less: holds = order < 0; break;
            case Operator::Greater: holds = order > 0; break;
            case Operator::LessEqual: holds = order <= 0; break;
            default: holds = order >= 0; break;
        }
        left = IntValue(holds ? 1 : 0);
        return true;
    }
    if (op == Operator::Add && (left.isText || right.isText)) {
        const size_t length = (left.isText ? left.text.size() : Plain(left).size()) + Plain(right).size();
        if (length > run.limits.maxTextLength) {
            error = "a text would be longer than " + std::to_string(run.limits.maxTextLength) + " bytes";
            return false;
        }
        if (!left.isText) left = TextValue(Plain(left));
        left.text += right.isText ? right.text : Plain(right);  // in place: a long chain of joins stays linear
        return true;
    }
    if (left.isText || right.isText) {
        error = std::string(Spelling(op)) + " needs integers, got " + KindAndValue(left.isText ? left : right);
        return false;
    }
    const uint32_t a = static_cast<uint32_t>(left.number), b = static_cast<uint32_t>(right.number);
    switch (op) {
        case Operator::Add: left.number = static_cast<int32_t>(a + b); break;
        case Operator::Subtract: left.number = static_cast<int32_t>(a - b); break;
        case Operator::Multiply: left.number = static_cast<int32_t>(a * b); break;
        default:
            if (right.number == 0) {
                error = "division by zero";
                return false;
            }
            // Toward zero; INT32_MIN / -1 wraps to INT32_MIN.
            left.number = right.number == -1 ? static_cast<int32_t>(0u - a) : left.number / right.number;
            break;
    }
    return true;
}

bool Evaluate(Run& run, const Expr& expr, Value& out, std::string& error) {
    switch (expr.kind) {
        case ExprKind::Literal:
            out = expr.literal;
            return true;
        case ExprKind::Variable: {
            auto found = run.variables.find(expr.name);
            if (found == run.variables.end()) {
                error = "unknown variable " + expr.name;
                return false;
            }
            out = found->second;
            return true;
        }
        case ExprKind::Negate:
            if (!Evaluate(run, expr.operands[0], out, error)) return false;
            if (out.isText) {
                error = "- needs an integer, got " + KindAndValue(out);
                return false;
            }
            out.number = static_cast<int32_t>(0u - static_cast<uint32_t>(out.number));
            return true;
        case ExprKind::Chain: {
            if (!Evaluate(run, expr.operands[0], out, error)) return false;
            Value right;
            for (size_t k = 0; k < expr.operators.size(); ++k) {
                if (!Evaluate(run, expr.operands[k + 1], right, error) || !Apply(run, expr.operators[k], out, right, error))
                    return false;
            }
            return true;
        }
        case ExprKind::Call: {
            const Function& f = run.functions[expr.callee];
            std::vector<Value> args(expr.operands.size());
            for (size_t k = 0; k < args.size(); ++k) {
                if (!Evaluate(run, expr.operands[k], args[k], error)) return false;
                const bool wantText = !f.kinds.empty() && f.kinds[std::min(k, f.kinds.size() - 1)] == 't';
                if (args[k].isText != wantText) {
                    error = "argument " + std::to_string(k + 1) + " of " + expr.name + " must be " +
                            (wantText ? "a text" : "an integer");
                    return false;
                }
            }
            return f.run(f, expr.name, args, out, error);
        }
    }
    return false;
}

struct Loop {
    size_t repeat;  // the repeat statement
    int64_t current;
    int64_t last;
};

}  // namespace

int Execute(const Program& program, const std::vector<Function>& functions, const std::string& file,
            const Console& console, const Limits& limits) {
    Run run{functions, limits, {}};
    int expectations = 0, unmet = 0;
    const auto report = [&](int line, const std::string& message) {
        console.report(file + ":" + std::to_string(line) + ": " + message);
    };
    std::vector<Loop> loops;
    const std::vector<Stmt>& code = program.statements;
    uint64_t steps = 0;
    size_t pc = 0;
    while (pc < code.size()) {
        const Stmt& stmt = code[pc];
        if (limits.maxSteps && ++steps > limits.maxSteps) {
            report(stmt.line, "stopped after " + std::to_string(limits.maxSteps) + " steps");
            return 1;
        }
        std::string error;
        if (console.poll && !console.poll(error)) {
            report(stmt.line, error);
            return 1;
        }
        std::vector<Value> values(stmt.exprs.size());
        for (size_t i = 0; i < values.size(); ++i) {
            if (!Evaluate(run, stmt.exprs[i], values[i], error)) {
                report(stmt.line, error);
                return 1;
            }
        }
        switch (stmt.kind) {
            case StmtKind::Assign:
                run.variables[stmt.name] = std::move(values[0]);
                break;
            case StmtKind::Evaluate:
                break;
            case StmtKind::Print: {
                std::string line;
                for (size_t i = 0; i < values.size(); ++i) line += (i ? " " : "") + Plain(values[i]);
                console.print(line);
                break;
            }
            case StmtKind::Expect:
                ++expectations;
                if (values[0].isText != values[1].isText || values[0].number != values[1].number ||
                    values[0].text != values[1].text) {
                    ++unmet;
                    report(stmt.line, "expected " + Shown(values[0]) + ", got " + Shown(values[1]));
                }
                break;
            case StmtKind::Repeat:
                if (values[0].isText || values[1].isText) {
                    report(stmt.line, "repeat counts with integers");
                    return 1;
                }
                if (values[0].number > values[1].number) {
                    pc = stmt.partner + 1;
                    continue;
                }
                loops.push_back(Loop{pc, values[0].number, values[1].number});
                run.variables[stmt.name] = IntValue(values[0].number);
                break;
            case StmtKind::If:
            case StmtKind::While:
                if (values[0].isText) {
                    report(stmt.line, std::string(stmt.kind == StmtKind::If ? "if" : "while") +
                                          " needs an integer condition, got " + KindAndValue(values[0]));
                    return 1;
                }
                if (values[0].number == 0) {
                    pc = (stmt.otherwise != kNone ? stmt.otherwise : stmt.partner) + 1;
                    continue;
                }
                break;
            case StmtKind::Else:  // the end of the branch taken
                pc = stmt.partner + 1;
                continue;
            case StmtKind::End: {
                const Stmt& block = code[stmt.partner];
                if (block.kind == StmtKind::While) {
                    pc = stmt.partner;
                    continue;
                }
                if (block.kind != StmtKind::Repeat) break;
                Loop& loop = loops.back();
                if (++loop.current <= loop.last) {
                    run.variables[block.name] = IntValue(static_cast<int32_t>(loop.current));
                    pc = loop.repeat + 1;
                    continue;
                }
                loops.pop_back();
                break;
            }
        }
        ++pc;
    }
    if (expectations) {
        const char* noun = expectations == 1 ? "expectation" : "expectations";
        if (unmet)
            console.print(std::to_string(unmet) + " of " + std::to_string(expectations) + " " + noun + " not met");
        else
            console.print(std::to_string(expectations) + " " + noun + " met");
    }
    return unmet ? 1 : 0;
}

}  // namespace script
