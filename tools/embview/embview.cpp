// embview: checks an embosser job file byte by byte and shows what it would
// emboss.
//
//   embview [--sheet NAME=TWIPS,...] [--project FILE.dwp] [--svg OUT.svg] JOB
//
// Prints each sheet's labels as Unicode braille. --sheet gives the sheet
// format by its field names in twips (wPaperWidth, wPaperHeight,
// wFirstLabelPosLeft, wFirstLabelPosTop, wLabelWidth, wLabelHeight,
// wNumVertical, wNumHorizontal, wSepVertical, wSepHorizontal, wTextLeft,
// wTextTop, wTextWidth, wTextHeight); --project takes it from a project
// file. With a format the paper size in the header and on the dot grid is
// checked too. --svg draws the dots on the paper with the label outlines.
// Exit code: 0 good, 1 the job is malformed, 2 bad arguments or files.

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "embview_options.h"
#include "embview_render.h"

namespace {

bool ReadFile(const char* path, std::vector<uint8_t>* data) {
    FILE* f = fopen(path, "rb");
    if (!f)
        return false;
    uint8_t buf[65536];
    size_t got;
    while ((got = fread(buf, 1, sizeof buf, f)) > 0)
        data->insert(data->end(), buf, buf + got);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

bool WriteFile(const char* path, const std::string& text) {
    FILE* f = fopen(path, "wb");
    if (!f)
        return false;
    bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
    return fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    EmbviewOptions options;
    std::string problem;
    if (!ParseEmbviewOptions(argc, argv, &options, &problem)) {
        fprintf(stderr,
                "embview: %s\nusage: embview [--sheet NAME=TWIPS,...] [--project FILE] [--svg OUT] "
                "JOB\n",
                problem.c_str());
        return 2;
    }
    std::vector<uint8_t> data;
    if (!ReadFile(options.job.c_str(), &data)) {
        fprintf(stderr, "embview: cannot read %s\n", options.job.c_str());
        return 2;
    }
    EmbJob job;
    DecodeError err;
    bool good = DecodeJob(data.data(), data.size(), &job, &err);
    const SheetFormat* format = options.bHasFormat ? &options.format : nullptr;
    if (good && format && !CheckPaper(job, *format, &err))
        good = false;
    fputs(JobText(job, format).c_str(), stdout);
    if (!options.svg.empty() && !WriteFile(options.svg.c_str(), JobSvg(job, format))) {
        fprintf(stderr, "embview: cannot write %s\n", options.svg.c_str());
        return 2;
    }
    if (!good) {
        fprintf(stderr, "embview: %s: offset %zu: %s\n", options.job.c_str(), err.nOffset,
                err.message.c_str());
        return 1;
    }
    return 0;
}
