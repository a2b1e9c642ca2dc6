// An exception list the editor reads and writes back must read the same
// again: saving never changes what the list says.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exception_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tactr::ExceptionList first;
    first.Parse(std::string(reinterpret_cast<const char*>(data), size));
    const std::string saved = first.Text();
    tactr::ExceptionList second;
    second.Parse(saved);
    if (second.Text() != saved || second.Count() != first.Count()) {
        std::abort();
    }
    for (size_t i = 0; i < first.Count(); ++i) {
        if (first.At(i).word != second.At(i).word || first.At(i).value != second.At(i).value ||
            first.At(i).bReplace != second.At(i).bReplace) {
            std::abort();
        }
    }
    return 0;
}
