// Any label text translates within the wizard's buffers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "qrf_table.h"

namespace {

struct Tables {
    tactr::Table g2, de, fr, names;
    Tables() {
        std::string dir = std::string(DOTWELL_SOURCE_DIR) + "/libs/tactr32/tables/", error;
        if (!tactr::CompileTable(dir + "en-ueb-g2.qrf", tactr::TableKind::kTranslation,
                                 tactr::ReadWholeFile, g2, error) ||
            !tactr::CompileTable(dir + "de-g0.qrf", tactr::TableKind::kTranslation,
                                 tactr::ReadWholeFile, de, error) ||
            !tactr::CompileTable(dir + "fr-g0.qrf", tactr::TableKind::kTranslation,
                                 tactr::ReadWholeFile, fr, error) ||
            !tactr::CompileTable(dir + "exceptions/names.qrf", tactr::TableKind::kExceptions,
                                 tactr::ReadWholeFile, names, error))
            std::abort();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Tables tables;
    // The wizard's source is at most 4095 characters and NUL-terminated.
    std::string text(reinterpret_cast<const char*>(data), size < 4095 ? size : 4095);
    TranslateAndCheck(tables.g2, &tables.names, text.c_str());
    TranslateAndCheck(tables.de, nullptr, text.c_str());
    TranslateAndCheck(tables.fr, nullptr, text.c_str());
    return 0;
}
