// Table files from the outside world must never crash the compiler, nor
// the translation of any text with a table that compiled.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "qrf_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    // Every include reads the same text again, which also exercises loops.
    tactr::FileReader reader = [&text](const std::string&, std::string& out) {
        out = text;
        return true;
    };
    tactr::Table table;
    std::string error;
    for (tactr::TableKind kind : {tactr::TableKind::kTranslation, tactr::TableKind::kExceptions}) {
        if (tactr::CompileTableText(text, "f.qrf", kind, reader, table, error)) {
            if (kind == tactr::TableKind::kTranslation) {
                TranslateAndCheck(table, nullptr, "The CAT sat on 12,5 mats.\r\nAB cd EF gh");
                // The table's own text holds the words its entries name
                // ("replace ab ab"), so it is the text most likely to
                // reach them.
                TranslateAndCheck(table, nullptr, text.substr(0, 4095).c_str());
            }
        } else if (error.empty()) {
            std::abort(); // a refusal always says why
        }
    }
    return 0;
}
