// The keyed table against a plain map, over a long run of operations that
// grows it through several sizes, empties whole runs and clears it.
#include <vector>

#include "../check.h"
#include "keyed_table_model.h"

int main() {
    check::Group("operations against a map", [] {
        std::vector<uint8_t> bytes(300000);
        uint32_t state = 12345;
        for (uint8_t& byte : bytes) {
            state = state * 1103515245u + 12345u;
            byte = static_cast<uint8_t>(state >> 16);
        }
        CHECK(RunTableOperations(bytes.data(), bytes.size()));
    });
    return check::Finish();
}
