// Imports FixtureValue from a DLL beside it, and tells which of the DLLs
// named on its command line the Wine prefix lets it load.
#include <windows.h>

#include <cstdio>

extern "C" int FixtureValue();

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        HMODULE dll = LoadLibraryA(argv[i]);
        std::printf("%s %s\n", dll ? "loads" : "refused", argv[i]);
        if (dll)
            FreeLibrary(dll);
    }
    return FixtureValue();
}
