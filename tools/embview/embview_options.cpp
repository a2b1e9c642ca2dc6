#include "embview_options.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Field {
    const char* name;
    size_t offset;
};

const Field kFields[] = {
    {"wPaperWidth", offsetof(SheetFormat, wPaperWidth)},
    {"wPaperHeight", offsetof(SheetFormat, wPaperHeight)},
    {"wFirstLabelPosLeft", offsetof(SheetFormat, wFirstLabelPosLeft)},
    {"wFirstLabelPosTop", offsetof(SheetFormat, wFirstLabelPosTop)},
    {"wLabelWidth", offsetof(SheetFormat, wLabelWidth)},
    {"wLabelHeight", offsetof(SheetFormat, wLabelHeight)},
    {"wNumVertical", offsetof(SheetFormat, wNumVertical)},
    {"wNumHorizontal", offsetof(SheetFormat, wNumHorizontal)},
    {"wSepVertical", offsetof(SheetFormat, wSepVertical)},
    {"wSepHorizontal", offsetof(SheetFormat, wSepHorizontal)},
    {"wTextLeft", offsetof(SheetFormat, wTextLeft)},
    {"wTextTop", offsetof(SheetFormat, wTextTop)},
    {"wTextWidth", offsetof(SheetFormat, wTextWidth)},
    {"wTextHeight", offsetof(SheetFormat, wTextHeight)},
};

// Where the sheet format sits in project files of version 1 and 2.
constexpr long kSheetOffsetV1 = 556;
constexpr long kSheetOffsetV2 = 560;

} // namespace

bool ParseSheetFields(const std::string& text, SheetFormat* format, std::string* problem) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        std::string item =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        size_t eq = item.find('=');
        const Field* field = nullptr;
        for (const Field& f : kFields)
            if (eq != std::string::npos && item.compare(0, eq, f.name) == 0 && strlen(f.name) == eq)
                field = &f;
        char* stop = nullptr;
        unsigned long value = field ? strtoul(item.c_str() + eq + 1, &stop, 10) : 0;
        if (!field || stop == item.c_str() + eq + 1 || *stop || value > 65535) {
            *problem = "bad sheet field \"" + item + "\"";
            return false;
        }
        uint16_t v = static_cast<uint16_t>(value);
        memcpy(reinterpret_cast<char*>(format) + field->offset, &v, sizeof v);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return true;
}

bool ReadProjectSheet(const char* path, SheetFormat* format, std::string* problem) {
    FILE* f = fopen(path, "rb");
    if (!f) {
        *problem = std::string("cannot read ") + path;
        return false;
    }
    unsigned char header[8] = {};
    bool ok = fread(header, 1, sizeof header, f) == sizeof header;
    uint32_t magic =
        header[0] | header[1] << 8 | header[2] << 16 | static_cast<uint32_t>(header[3]) << 24;
    uint32_t version =
        header[4] | header[5] << 8 | header[6] << 16 | static_cast<uint32_t>(header[7]) << 24;
    ok = ok && magic == 0x12345678 && (version == 1 || version == 2);
    ok = ok && fseek(f, version == 1 ? kSheetOffsetV1 : kSheetOffsetV2, SEEK_SET) == 0 &&
         fread(format, 1, sizeof *format, f) == sizeof *format;
    fclose(f);
    if (!ok)
        *problem = std::string(path) + " is not a project file";
    return ok;
}

bool ParseEmbviewOptions(int argc, char** argv, EmbviewOptions* options, std::string* problem) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--sheet" && hasValue) {
            if (!ParseSheetFields(argv[++i], &options->format, problem))
                return false;
            options->bHasFormat = true;
        } else if (arg == "--project" && hasValue) {
            if (!ReadProjectSheet(argv[++i], &options->format, problem))
                return false;
            options->bHasFormat = true;
        } else if (arg == "--svg" && hasValue) {
            options->svg = argv[++i];
        } else if (arg.rfind("--", 0) != 0 && options->job.empty()) {
            options->job = arg;
        } else {
            *problem = "unexpected argument \"" + arg + "\"";
            return false;
        }
    }
    if (options->job.empty())
        *problem = "no job file given";
    return !options->job.empty();
}
