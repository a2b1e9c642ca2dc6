// Writes the demo project: A4 address labels, 3 x 8 of 70 x 37 mm, three
// lines of contracted English braille from a list of names and addresses.
//   make_demo OUTPUT.dwp DATA_PATH [EMBOSSER]
// DATA_PATH is the Windows path the wizard will find the list at.
#include <cstdio>
#include <cstring>
#include <memory>

#include "demo_project.h"
#include "project_codec.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_demo OUTPUT.dwp DATA_PATH [EMBOSSER]\n");
        return 2;
    }
    auto state = std::make_unique<AppState>();
    DescribeDemoProject(state.get(), argv[2], argc > 3 ? argv[3] : "");
    uint8_t bytes[kProjectFileSizeV2];
    EncodeProject(*state, bytes);
    FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(bytes, sizeof bytes, 1, out) == 1;
    return std::fclose(out) == 0 && written ? 0 : 1;
}
