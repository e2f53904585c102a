// The function table, its enumeration for the host, and gzExtenderInfo.
#include "function_table.h"

#include "call.h"

FunctionEntry FunctionTable[kFunctionCount + 1] = {
#define TABULON_TABLE_ROW(number, name, argCount, mask, roles) {number, 2, mask, 0, argCount, 0, #name},
    TABULON_FUNCTIONS(TABULON_TABLE_ROW)
#undef TABULON_TABLE_ROW
    {-1, 0, 0, 0, 0, 0, ""},
};

#define TABULON_COUNT_ROW(number, name, argCount, mask, roles) +1
static_assert(0 TABULON_FUNCTIONS(TABULON_COUNT_ROW) == kFunctionCount, "110 script functions");
#undef TABULON_COUNT_ROW

int32_t EnumerateFunction(int32_t tableIndex, FunctionEntry* record) {
    // The host stops at the terminator; indexes past it read nothing.
    if (tableIndex < 0 || tableIndex > kFunctionCount) return 0;
    FunctionEntry& row = FunctionTable[tableIndex];
    if (row.number == -1) return 0;
    if (!record) return 1;
    record->number = row.number;
    record->kind = row.kind;
    record->stringMask = row.stringMask;
    record->reserved = row.reserved;
    record->argCount = row.argCount;
    record->nameLength = static_cast<uint16_t>(lstrlenA(row.name));
    CharLowerA(row.name);
    lstrcpyA(record->name, row.name);
    return 1;
}

static int32_t CountRowsOfKind(int32_t kind) {
    int32_t count = 0;
    for (const FunctionEntry* row = FunctionTable; row->number != -1; ++row) count += row->kind == kind;
    return count;
}

Completed gzExtenderInfo(const Call& call) {
    switch (ArgInt(call, 1)) {
        case 0: return CompleteInt(call, kExtenderVersion);
        case 1: return CompleteInt(call, CountRowsOfKind(2));
        case 2: return CompleteInt(call, CountRowsOfKind(3));
        default: return CompleteFailure(call, kStringInvalidRequest);
    }
}
