#pragma once
#include "extender_abi.h"

constexpr int kFunctionCount = 110;

// 110 rows and the terminator; writable because enumeration lowers names.
extern FunctionEntry FunctionTable[kFunctionCount + 1];

// Fills the host's record with row tableIndex; 1 for a function row, 0 at
// the terminator or outside the table.
int32_t EnumerateFunction(int32_t tableIndex, FunctionEntry* record);
