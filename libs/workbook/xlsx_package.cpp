#include "xlsx_package.h"

#include <map>
#include <vector>

#include "xml_scan.h"

namespace {

struct Relationship {
    std::string type, target;
};

std::string Folder(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A relationship target is relative to the folder of its source part,
// unless it starts with '/'.
std::string Resolve(const std::string& folder, const std::string& target) {
    std::string joined = !target.empty() && target[0] == '/' ? target.substr(1) : folder + target;
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= joined.size()) {
        size_t slash = joined.find('/', at);
        if (slash == std::string::npos)
            slash = joined.size();
        std::string part = joined.substr(at, slash - at);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = slash + 1;
    }
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : "/") + part;
    return out;
}

bool EndsWith(const std::string& text, const char* suffix) {
    std::string_view s(suffix);
    return text.size() >= s.size() && text.compare(text.size() - s.size(), s.size(), s) == 0;
}

std::map<std::string, Relationship> ReadRelationships(const ZipArchive& zip,
                                                      const std::string& path) {
    std::map<std::string, Relationship> out;
    std::string xml;
    if (!ReadPart(zip, path, xml))
        return out;
    XmlScanner scanner(xml);
    XmlToken token;
    while (scanner.Next(token)) {
        std::string id;
        Relationship r;
        if (token.kind == XmlToken::kStart && token.name == "Relationship" &&
            XmlAttribute(token.attributes, "Id", id) &&
            XmlAttribute(token.attributes, "Target", r.target)) {
            XmlAttribute(token.attributes, "Type", r.type);
            out.emplace(id, r);
        }
    }
    return out;
}

} // namespace

bool ReadPart(const ZipArchive& zip, const std::string& path, std::string& out) {
    const ZipEntry* entry = zip.Find(path);
    return entry && zip.Extract(*entry, out);
}

bool LocateXlsxParts(const ZipArchive& zip, XlsxParts& parts) {
    std::string workbook = "xl/workbook.xml";
    for (const auto& [id, r] : ReadRelationships(zip, "_rels/.rels"))
        if (EndsWith(r.type, "/officeDocument"))
            workbook = Resolve("", r.target);

    std::string xml, firstSheetId;
    if (!ReadPart(zip, workbook, xml))
        return false;
    XmlScanner scanner(xml);
    XmlToken token;
    while (firstSheetId.empty() && scanner.Next(token))
        if (token.kind == XmlToken::kStart && token.name == "sheet")
            XmlAttribute(token.attributes, "id", firstSheetId);
    if (firstSheetId.empty())
        return false;

    std::string folder = Folder(workbook);
    std::string relsPath = folder + "_rels/" + workbook.substr(folder.size()) + ".rels";
    auto rels = ReadRelationships(zip, relsPath);
    auto sheet = rels.find(firstSheetId);
    if (sheet == rels.end())
        return false;
    parts.sheet = Resolve(folder, sheet->second.target);
    parts.sharedStrings.clear();
    for (const auto& [id, r] : rels)
        if (EndsWith(r.type, "/sharedStrings"))
            parts.sharedStrings = Resolve(folder, r.target);
    return true;
}
