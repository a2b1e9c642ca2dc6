#include <cstddef>
#include <cstdint>
#include <string_view>

#include "workbook.h"
#include "xml_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Workbook* book = WorkbookOpen(data, size);
    for (int r = 1; r <= WorkbookRowCount(book) && r <= 200; ++r)
        for (int c = 1; c <= WorkbookColumnCount(book) && c <= 200; ++c)
            WorkbookCellText(book, r, c);
    WorkbookClose(book);
    // The XML scanner also on its own, since inflated parts are hard to reach.
    XmlScanner scanner(std::string_view(reinterpret_cast<const char*>(data), size));
    XmlToken token;
    std::string value;
    while (scanner.Next(token))
        if (token.kind == XmlToken::kStart)
            XmlAttribute(token.attributes, "r", value);
    return 0;
}
