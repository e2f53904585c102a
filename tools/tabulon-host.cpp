// The stand-in host: loads the extender the way the script host does and
// shows what it learns from it.
#include <stdio.h>
#include <string.h>

#include "../tests/host/standin_host.h"

int main(int argc, char** argv) {
    std::string path = host::DefaultExtenderPath();
    for (int i = 1; i < argc; ++i)
        if (strcmp(argv[i], "--extender") == 0 && i + 1 < argc) path = argv[++i];
    host::Extender extender{};
    if (!host::LoadExtender(extender, path)) {
        fprintf(stderr, "cannot load the extender %s\n", path.c_str());
        return 2;
    }
    const host::Introduction intro = host::Introduce(extender);
    printf("title: %s\nversion: %d\ninterface level: %d\nfunctions: %d\n", intro.title.c_str(), intro.version,
           intro.interfaceLevel, intro.handshake);
    for (const FunctionEntry& f : intro.functions) {
        printf("  %3d  %-20s args %d", f.number, f.name, f.argCount);
        if (f.stringMask) printf("  texts 0x%X", f.stringMask);
        printf("\n");
    }
    return 0;
}
