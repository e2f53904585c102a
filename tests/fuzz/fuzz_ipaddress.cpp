// Feeds arbitrary texts to the dotted address reader and arbitrary values
// to the address writer, with every destination size.
#include <stdint.h>
#include <string.h>

#include <string>

#include "../../controls/ipaddress_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const uint32_t packed = PackAddressText(text.c_str());
    char destination[kAddressTextSize];
    FormatAddressText(packed, destination, size ? 1 + data[0] % kAddressTextSize : kAddressTextSize);
    if (strlen(destination) >= kAddressTextSize) __builtin_trap();
    return 0;
}
