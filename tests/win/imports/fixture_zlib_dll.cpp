// A beside.dll that itself needs zlib1.dll, which only Wine provides.
#include <zlib.h>

extern "C" __declspec(dllexport) int FixtureValue() {
    return zlibVersion()[0] == '\0';
}
