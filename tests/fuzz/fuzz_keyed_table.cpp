// Arbitrary operations on the keyed table, checked against a plain map.
#include "../native/keyed_table_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!RunTableOperations(data, size)) __builtin_trap();
    return 0;
}
