#include "xlsx_reader.h"

#include <charconv>
#include <string>
#include <vector>

#include "text_utf8.h"
#include "xlsx_package.h"
#include "xml_scan.h"
#include "zip_reader.h"

namespace {

const uint32_t kMaxRows = 1048576;
const uint32_t kMaxColumns = 16384;

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Characters XML cannot carry (a carriage return, say) are stored as
// _xHHHH_ in the spreadsheet's strings.
std::string DecodeEscapes(const std::string& text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
            uint32_t code = 0;
            bool ok = true;
            for (size_t k = 2; k < 6; ++k) {
                int digit = HexDigit(text[i + k]);
                ok = ok && digit >= 0;
                code = code * 16 + uint32_t(digit < 0 ? 0 : digit);
            }
            if (ok) {
                AppendCodePoint(out, code);
                i += 7;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

// Text of a string item (<si> or <is>): its <t> elements, leaving out
// phonetic readings. The scanner stands on the item's start tag.
std::string ReadStringItem(XmlScanner& scanner, std::string_view itemName) {
    std::string text;
    int phonetic = 0;
    bool inText = false;
    XmlToken token;
    while (scanner.Next(token)) {
        if (token.kind == XmlToken::kStart && !token.bEmpty) {
            phonetic += token.name == "rPh";
            inText = token.name == "t";
        } else if (token.kind == XmlToken::kEnd) {
            if (token.name == itemName)
                break;
            phonetic -= token.name == "rPh";
            inText = false;
        } else if (token.kind == XmlToken::kText && inText && phonetic == 0) {
            text += token.text;
        }
    }
    return DecodeEscapes(text);
}

bool ReadSharedStrings(const std::string& xml, std::vector<std::string>& out) {
    XmlScanner scanner(xml);
    XmlToken token;
    while (scanner.Next(token))
        if (token.kind == XmlToken::kStart && token.name == "si")
            out.push_back(token.bEmpty ? std::string() : ReadStringItem(scanner, "si"));
    return !scanner.Failed();
}

int ErrorCodeOf(const std::string& text) {
    for (int code : {0x00, 0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A})
        if (text == ErrorCodeText(code))
            return code;
    return 0x2A;
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

struct PendingCell {
    uint32_t row = 0, column = 0;
    std::string type, value, inlineText;
    bool bHasInline = false;
};

bool StoreCell(const PendingCell& c, const std::vector<std::string>& sst, CellStore& cells) {
    uint32_t row = c.row - 1, column = c.column - 1;
    std::string value = c.type == "str" ? c.value : Trim(c.value);
    if (c.type == "inlineStr") {
        if (c.bHasInline)
            cells.SetText(row, column, c.inlineText);
        else
            cells.SetBlank(row, column);
        return true;
    }
    if (value.empty() && c.type != "str") {
        cells.SetBlank(row, column);
        return true;
    }
    if (c.type == "s") {
        size_t index = 0;
        auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), index);
        if (ec != std::errc() || end != value.data() + value.size() || index >= sst.size())
            return false;
        cells.SetText(row, column, sst[index]);
    } else if (c.type == "str" || c.type == "d") {
        cells.SetText(row, column, DecodeEscapes(value));
    } else if (c.type == "b") {
        cells.SetBoolean(row, column, value == "1" || value == "true");
    } else if (c.type == "e") {
        cells.SetError(row, column, ErrorCodeOf(value), value);
    } else {
        double number = 0;
        auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (ec != std::errc() || end != value.data() + value.size())
            return false;
        cells.SetNumber(row, column, number);
    }
    return true;
}

bool ReadSheet(const std::string& xml, const std::vector<std::string>& sst, CellStore& cells) {
    XmlScanner scanner(xml);
    XmlToken token;
    uint32_t row = 0, lastColumn = 0;
    PendingCell cell;
    bool inData = false, inCell = false, inValue = false;
    while (scanner.Next(token)) {
        // Extension lists after the data may hold elements of the same names.
        if (token.name == "sheetData") {
            inData = token.kind == XmlToken::kStart && !token.bEmpty;
            continue;
        }
        if (!inData)
            continue;
        if (token.kind == XmlToken::kStart && token.name == "row") {
            std::string r;
            uint32_t number = row + 1;
            if (XmlAttribute(token.attributes, "r", r)) {
                auto [end, ec] = std::from_chars(r.data(), r.data() + r.size(), number);
                if (ec != std::errc() || end != r.data() + r.size())
                    return false;
            }
            if (number < 1 || number > kMaxRows)
                return false;
            row = number;
            lastColumn = 0;
        } else if (token.kind == XmlToken::kStart && token.name == "c") {
            cell = PendingCell{};
            std::string ref;
            if (XmlAttribute(token.attributes, "r", ref)) {
                if (!ParseCellReference(ref, cell.row, cell.column))
                    return false;
            } else {
                // Cells without a reference follow the one before them.
                cell.row = row == 0 ? 1 : row;
                cell.column = lastColumn + 1;
                if (cell.column > kMaxColumns)
                    return false;
            }
            XmlAttribute(token.attributes, "t", cell.type);
            lastColumn = cell.column;
            if (row == 0)
                row = cell.row;
            inCell = !token.bEmpty;
            if (token.bEmpty)
                cells.SetBlank(cell.row - 1, cell.column - 1);
        } else if (inCell && token.kind == XmlToken::kStart && token.name == "v") {
            inValue = !token.bEmpty;
        } else if (inCell && token.kind == XmlToken::kStart && token.name == "is") {
            cell.bHasInline = true;
            if (!token.bEmpty)
                cell.inlineText = ReadStringItem(scanner, "is");
        } else if (inValue && token.kind == XmlToken::kText) {
            cell.value += token.text;
        } else if (token.kind == XmlToken::kEnd && token.name == "v") {
            inValue = false;
        } else if (inCell && token.kind == XmlToken::kEnd && token.name == "c") {
            inCell = inValue = false;
            if (!StoreCell(cell, sst, cells))
                return false;
        }
    }
    return !scanner.Failed() && !inCell;
}

} // namespace

bool ParseCellReference(std::string_view ref, uint32_t& row, uint32_t& column) {
    size_t i = 0;
    column = 0;
    while (i < ref.size() &&
           ((ref[i] >= 'A' && ref[i] <= 'Z') || (ref[i] >= 'a' && ref[i] <= 'z'))) {
        if (i == 3)
            return false;
        column = column * 26 + uint32_t((ref[i] | 0x20) - 'a' + 1);
        ++i;
    }
    if (i == 0 || i == ref.size())
        return false;
    row = 0;
    for (; i < ref.size(); ++i) {
        if (ref[i] < '0' || ref[i] > '9' || row > kMaxRows)
            return false;
        row = row * 10 + uint32_t(ref[i] - '0');
    }
    return row >= 1 && row <= kMaxRows && column <= kMaxColumns;
}

bool ReadXlsxFirstSheet(const uint8_t* pData, size_t nSize, CellStore& cells) {
    ZipArchive zip;
    XlsxParts parts;
    if (!zip.Open(pData, nSize) || !LocateXlsxParts(zip, parts))
        return false;
    std::vector<std::string> sst;
    std::string xml;
    if (!parts.sharedStrings.empty() &&
        (!ReadPart(zip, parts.sharedStrings, xml) || !ReadSharedStrings(xml, sst)))
        return false;
    if (!ReadPart(zip, parts.sheet, xml))
        return false;
    return ReadSheet(xml, sst, cells);
}
