// Runs a parsed script: values, variables, the counted loop, print and
// expect. A runtime error stops the script; an unmet expectation is
// reported and the script goes on, so one run shows every mismatch.
#include <stdio.h>

#include <map>
#include <string>
#include <vector>

namespace script {

struct Run {
    const Program& program;
    const std::vector<Function>& functions;
    const std::string& file;
    std::map<std::string, Value> variables;
    int expectations;
    int unmet;
};

static std::string Plain(const Value& v) { return v.isText ? v.text : std::to_string(v.number); }

// For messages: texts quoted, with the escapes a script would write.
static std::string Shown(const Value& v) {
    if (!v.isText) return std::to_string(v.number);
    std::string shown = "\"";
    for (char c : v.text) {
        if (c == '"' || c == '\\') shown += '\\', shown += c;
        else if (c == '\t') shown += "\\t";
        else if (c == '\n') shown += "\\n";
        else shown += c;
    }
    return shown + "\"";
}

static void Report(const Run& run, int line, const std::string& message) {
    fflush(stdout);
    if (line > 0) fprintf(stderr, "%s:%d: %s\n", run.file.c_str(), line, message.c_str());
    else fprintf(stderr, "%s: %s\n", run.file.c_str(), message.c_str());
    fflush(stderr);
}

static bool IsTextArgument(const Function& f, size_t index) { return ((f.textMask >> (4 * index)) & 0xF) == 1; }

static bool Evaluate(Run& run, const Expr& expr, Value& out, std::string& error) {
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
        case ExprKind::Add: {
            Value left, right;
            if (!Evaluate(run, expr.operands[0], left, error) || !Evaluate(run, expr.operands[1], right, error))
                return false;
            if (!left.isText && !right.isText)
                out = IntValue(static_cast<int32_t>(static_cast<uint32_t>(left.number) + static_cast<uint32_t>(right.number)));
            else
                out = TextValue(Plain(left) + Plain(right));
            return true;
        }
        case ExprKind::Call: {
            const Function& f = run.functions[expr.callee];
            std::vector<Value> args(expr.operands.size());
            for (size_t k = 0; k < args.size(); ++k) {
                if (!Evaluate(run, expr.operands[k], args[k], error)) return false;
                const bool wantText = IsTextArgument(f, k);
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

// 0 when the script ran to its end and met every expectation.
static int Execute(const Program& program, const std::vector<Function>& functions, const std::string& file) {
    Run run{program, functions, file, {}, 0, 0};
    std::vector<Loop> loops;
    const std::vector<Stmt>& code = program.statements;
    size_t pc = 0;
    while (pc < code.size()) {
        const Stmt& stmt = code[pc];
        std::string error;
        std::vector<Value> values(stmt.exprs.size());
        if (stmt.kind != StmtKind::End) {
            for (size_t i = 0; i < values.size(); ++i) {
                if (!Evaluate(run, stmt.exprs[i], values[i], error)) {
                    Report(run, stmt.line, error);
                    return 1;
                }
            }
        }
        switch (stmt.kind) {
            case StmtKind::Assign:
                run.variables[stmt.name] = values[0];
                break;
            case StmtKind::Evaluate:
                break;
            case StmtKind::Print: {
                std::string line;
                for (size_t i = 0; i < values.size(); ++i) line += (i ? " " : "") + Plain(values[i]);
                printf("%s\n", line.c_str());
                fflush(stdout);
                break;
            }
            case StmtKind::Expect:
                ++run.expectations;
                if (values[0].isText != values[1].isText || values[0].number != values[1].number ||
                    values[0].text != values[1].text) {
                    ++run.unmet;
                    Report(run, stmt.line, "expected " + Shown(values[0]) + ", got " + Shown(values[1]));
                }
                break;
            case StmtKind::Repeat:
                if (values[0].isText || values[1].isText) {
                    Report(run, stmt.line, "repeat counts with integers");
                    return 1;
                }
                if (values[0].number > values[1].number) {
                    pc = stmt.partner + 1;
                    continue;
                }
                loops.push_back(Loop{pc, values[0].number, values[1].number});
                run.variables[stmt.name] = IntValue(values[0].number);
                break;
            case StmtKind::End: {
                Loop& loop = loops.back();
                if (++loop.current <= loop.last) {
                    run.variables[code[loop.repeat].name] = IntValue(static_cast<int32_t>(loop.current));
                    pc = loop.repeat + 1;
                    continue;
                }
                loops.pop_back();
                break;
            }
        }
        ++pc;
    }
    if (run.expectations) {
        const char* noun = run.expectations == 1 ? "expectation" : "expectations";
        if (run.unmet)
            printf("%d of %d %s not met\n", run.unmet, run.expectations, noun);
        else
            printf("%d %s met\n", run.expectations, noun);
        fflush(stdout);
    }
    return run.unmet ? 1 : 0;
}

}  // namespace script
