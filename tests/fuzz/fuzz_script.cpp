// Feeds arbitrary scripts to the stand-in host's language: parsed, and run
// against stand-in functions with a budget of steps, so that loops end, and
// a small text limit, so that joins stay cheap. The first byte chooses the
// code page (1252 or 932). Any crash, leak, undefined behaviour or hang is
// a fault; script errors are not.
#include <stdint.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "../../host/script.h"
#include "../native/code_page.h"

namespace {

void Discard(const std::string&) {}

bool Echo(const script::Function&, const std::string&, const std::vector<script::Value>& args, script::Value& result,
          std::string&) {
    result = args.empty() ? script::IntValue(7) : args.back();
    return true;
}

bool Refuse(const script::Function&, const std::string& spelled, const std::vector<script::Value>&, script::Value&,
            std::string& error) {
    error = spelled + " refused";
    return false;
}

const std::vector<script::Function>& Functions() {
    static const std::vector<script::Function> functions = {
        {"f", -1, 0, 2, "it", Echo, "f([n [, \"t\"]])"},
        {"g", -1, 1, script::kAnyCount, "tti", Echo, "g(\"a\", \"b\", n ...)"},
        {"lvinsertitem", 14, 3, 3, "iit", Echo, "lvInsertItem(listview, position, \"text\")"},
        {"no", -1, 0, 0, "", Refuse, "no()"},
    };
    return functions;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    SetCodePage(data[0] & 1 ? 932 : 1252);
    const std::string source(reinterpret_cast<const char*>(data) + 1, size - 1);
    script::Program program;
    script::Failure failure{0, ""};
    if (!script::Parse(source, Functions(), program, failure)) {
        if (failure.line < 1 || failure.message.empty()) abort();
        return 0;
    }
    script::Limits limits;
    limits.maxSteps = 2000;
    limits.maxTextLength = 4096;
    script::Execute(program, Functions(), "fuzz.tab", script::Console{Discard, Discard}, limits);
    return 0;
}
