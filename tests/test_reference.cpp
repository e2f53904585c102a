// The reference for script authors (docs/reference.md) against the
// extender. Its function entries, as the build reads them (call_shapes.h),
// must be the functions the extender enumerates: same numbers, argument
// counts and text arguments (quoted in the call shape), none missing and
// none extra; its host words share no name with them. Every family opens with an example and every entry shows one;
// every example runs in the stand-in host with exactly the output printed
// beneath it.
#include <stdio.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "call_shapes.h"
#include "check.h"
#include "host/standin_host.h"
#include "run_host.h"

namespace {

// Mask nibbles beyond the argument count describe no argument.
uint32_t ArgumentMask(const FunctionEntry& f) {
    return f.argCount >= 8 ? f.stringMask : f.stringMask & ((1u << (4 * f.argCount)) - 1);
}

// The text mask of a documented call shape: a nibble 1 for each quoted argument.
uint32_t DocumentedMask(const ReferenceEntry& entry) {
    uint32_t mask = 0;
    for (size_t k = 0; entry.kinds[k] && k < 8; ++k)
        if (entry.kinds[k] == 't') mask |= 1u << (4 * k);
    return mask;
}

void Entries() {
    const host::Session& session = host::Start();
    CHECK_EQ(session.functions.size(), 110u);
    for (const FunctionEntry& f : session.functions) {
        const ReferenceEntry* documented = nullptr;
        int entries = 0;
        for (const ReferenceEntry& entry : kReferenceEntries) {
            if (lstrcmpiA(entry.name, f.name) == 0) documented = &entry, ++entries;
        }
        if (!CHECK_EQ(entries, 1)) {
            printf("  %s has %d entries in the reference\n", f.name, entries);
            continue;
        }
        const bool same = CHECK(!documented->hostWord) & CHECK_EQ(documented->number, f.number) &
                          CHECK_EQ(documented->minArgs, f.argCount) & CHECK_EQ(documented->maxArgs, f.argCount) &
                          CHECK_EQ(DocumentedMask(*documented), ArgumentMask(f));
        if (!same) printf("  the reference has %s, number %d\n", documented->shape, documented->number);
    }
    for (const ReferenceEntry& entry : kReferenceEntries) {
        if (entry.hostWord) continue;  // the host's words are the host's own (host/words.h)
        bool enumerated = false;
        for (const FunctionEntry& f : session.functions) enumerated |= lstrcmpiA(entry.name, f.name) == 0;
        if (!CHECK(enumerated)) printf("  the reference names %s, which the extender does not have\n", entry.shape);
    }
}

struct Example {
    int line;  // of its opening fence
    std::string script;
    std::string output;
    bool hasOutput;
    int family;  // the "## " section it stands in
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t stop = text.find('\n', start);
        if (stop == std::string::npos) stop = text.size();
        std::string line = text.substr(start, stop - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = stop + 1;
    }
    return lines;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.compare(0, strlen(prefix), prefix) == 0; }

// The ```tab blocks, each with the ```text block that follows it before
// the next heading or example. A family ("## " section with "### "
// entries) must show an example before its first entry, and every entry
// one of its own.
std::vector<Example> ReadExamples(const std::vector<std::string>& lines) {
    std::vector<Example> examples;
    std::string family, entry;
    int familyNumber = 0;
    bool familyHasExample = false, familyHasEntry = false, entryHasExample = true;
    bool awaitingOutput = false;
    for (size_t i = 0; i <= lines.size(); ++i) {
        const std::string line = i < lines.size() ? lines[i] : "## end";
        if (StartsWith(line, "## ") || StartsWith(line, "### ")) {
            if (!CHECK(entryHasExample)) printf("  %s shows no example\n", entry.c_str());
            entry = line.substr(line.find(' ') + 1);
            entryHasExample = !StartsWith(line, "### ");
        }
        if (StartsWith(line, "## ")) {
            family = line.substr(3);
            ++familyNumber;
            familyHasExample = familyHasEntry = false;
        }
        if (StartsWith(line, "### ") && !familyHasEntry) {
            familyHasEntry = true;
            if (!CHECK(familyHasExample)) printf("  \"%s\" opens without an example\n", family.c_str());
        }
        if (StartsWith(line, "#")) awaitingOutput = false;
        if (!StartsWith(line, "```")) continue;
        const std::string kind = line.substr(3);
        std::string body;
        const int opening = static_cast<int>(i) + 1;
        for (++i; i < lines.size() && !StartsWith(lines[i], "```"); ++i) body += lines[i] + "\n";
        if (kind == "tab") {
            examples.push_back(Example{opening, body, "", false, familyNumber});
            familyHasExample = entryHasExample = true;
            awaitingOutput = true;
        } else if (kind == "text" && awaitingOutput) {
            examples.back().output = body;
            examples.back().hasOutput = true;
            awaitingOutput = false;
        }
    }
    return examples;
}

const char kMarker[] = "~~~ next example ~~~";

// One family's examples as one script, in one host: the entries' examples go
// on from the opening one, with its windows and variables. A marker line
// printed between them splits the output; the count of expectations, which
// the host prints at the end, belongs to the opening example.
void RunFamily(const std::vector<Example>& family, const std::string& repository) {
    std::string script;
    for (const Example& example : family) {
        if (!CHECK(example.hasOutput)) printf("  the example at line %d shows no output\n", example.line);
        script += example.script + "print \"" + kMarker + "\"\n";
    }
    const run_host::ScriptRun outcome = run_host::RunScript(script, "--auto-dismiss", repository);
    std::vector<std::string> pieces(1);
    for (const std::string& line : Lines(outcome.output)) {
        if (line == kMarker)
            pieces.emplace_back();
        else
            pieces.back() += line + "\n";
    }
    pieces.resize(family.size() + 1);
    pieces[0] += pieces.back();
    bool passed = CHECK_EQ(outcome.exitCode, 0u);
    for (size_t k = 0; k < family.size(); ++k)
        if (!CHECK_EQ(pieces[k], family[k].output))
            printf("  the example at line %d of docs/reference.md\n", family[k].line), passed = false;
    if (!passed) printf("  in the family whose example is at line %d\n", family[0].line);
}

// From the repository directory, as authors run them: the examples name
// files under examples/.
void Examples() {
    const std::string repository = run_host::RepositoryDirectory();
    std::ifstream file(repository + "docs\\reference.md", std::ios::binary);
    if (!CHECK(file.good())) return;
    const std::string reference{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::vector<Example> examples = ReadExamples(Lines(reference));
    CHECK(examples.size() >= 14 + 110);
    for (size_t first = 0; first < examples.size();) {
        size_t end = first;
        while (end < examples.size() && examples[end].family == examples[first].family) ++end;
        RunFamily(std::vector<Example>(examples.begin() + first, examples.begin() + end), repository);
        first = end;
    }
    printf("%u examples\n", static_cast<unsigned>(examples.size()));
}

}  // namespace

int main() {
    check::Group("entries", Entries);
    check::Group("examples", Examples);
    return check::Finish();
}
