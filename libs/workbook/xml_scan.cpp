#include "xml_scan.h"

#include <cstdint>

#include "text_utf8.h"

namespace {

std::string_view LocalName(std::string_view name) {
    size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool ParseReference(std::string_view ref, uint32_t& code) {
    int base = 10;
    if (!ref.empty() && (ref[0] == 'x' || ref[0] == 'X')) {
        base = 16;
        ref.remove_prefix(1);
    }
    if (ref.empty() || ref.size() > 8)
        return false;
    code = 0;
    for (char c : ref) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        code = code * uint32_t(base) + uint32_t(digit);
    }
    return true;
}

} // namespace

void AppendXmlDecoded(std::string& out, std::string_view raw) {
    size_t i = 0;
    while (i < raw.size()) {
        size_t amp = raw.find('&', i);
        if (amp == std::string_view::npos)
            amp = raw.size();
        out.append(raw.substr(i, amp - i));
        if (amp == raw.size())
            break;
        size_t semi = raw.find(';', amp);
        std::string_view ref = semi == std::string_view::npos ? std::string_view()
                                                              : raw.substr(amp + 1, semi - amp - 1);
        uint32_t code;
        if (ref == "lt")
            out += '<';
        else if (ref == "gt")
            out += '>';
        else if (ref == "amp")
            out += '&';
        else if (ref == "quot")
            out += '"';
        else if (ref == "apos")
            out += '\'';
        else if (!ref.empty() && ref[0] == '#' && ParseReference(ref.substr(1), code))
            AppendCodePoint(out, code);
        else {
            out += '&'; // not a reference we know: keep it as written
            i = amp + 1;
            continue;
        }
        i = semi + 1;
    }
}

bool XmlScanner::Next(XmlToken& token) {
    while (!bFailed_ && pos_ < doc_.size()) {
        if (doc_[pos_] != '<') {
            size_t lt = doc_.find('<', pos_);
            if (lt == std::string_view::npos)
                lt = doc_.size();
            token = XmlToken{};
            AppendXmlDecoded(token.text, doc_.substr(pos_, lt - pos_));
            pos_ = lt;
            return true;
        }
        std::string_view rest = doc_.substr(pos_);
        if (rest.starts_with("<![CDATA[")) {
            size_t end = doc_.find("]]>", pos_ + 9);
            if (end == std::string_view::npos)
                break;
            token = XmlToken{};
            token.text.assign(doc_.substr(pos_ + 9, end - pos_ - 9));
            pos_ = end + 3;
            return true;
        }
        if (rest.starts_with("<!--")) {
            size_t end = doc_.find("-->", pos_ + 4);
            if (end == std::string_view::npos)
                break;
            pos_ = end + 3;
            continue;
        }
        if (rest.starts_with("<?") || rest.starts_with("<!")) {
            size_t end = doc_.find('>', pos_);
            if (end == std::string_view::npos)
                break;
            pos_ = end + 1;
            continue;
        }
        // Attribute values may hold '>', so the tag ends at the first '>'
        // outside quotes.
        size_t end = pos_ + 1;
        char quote = 0;
        while (end < doc_.size() && (quote || doc_[end] != '>')) {
            if (quote && doc_[end] == quote)
                quote = 0;
            else if (!quote && (doc_[end] == '"' || doc_[end] == '\''))
                quote = doc_[end];
            ++end;
        }
        if (end >= doc_.size())
            break;
        std::string_view tag = doc_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
        token = XmlToken{};
        if (!tag.empty() && tag[0] == '/') {
            token.kind = XmlToken::kEnd;
            tag.remove_prefix(1);
        } else {
            token.kind = XmlToken::kStart;
            if (!tag.empty() && tag.back() == '/') {
                token.bEmpty = true;
                tag.remove_suffix(1);
            }
        }
        size_t nameEnd = 0;
        while (nameEnd < tag.size() && !IsSpace(tag[nameEnd]))
            ++nameEnd;
        token.name = LocalName(tag.substr(0, nameEnd));
        token.attributes = tag.substr(nameEnd);
        if (token.name.empty())
            break;
        return true;
    }
    if (pos_ < doc_.size())
        bFailed_ = true;
    return false;
}

bool XmlAttribute(std::string_view attributes, std::string_view localName, std::string& value) {
    size_t i = 0;
    while (i < attributes.size()) {
        while (i < attributes.size() && IsSpace(attributes[i]))
            ++i;
        size_t eq = attributes.find('=', i);
        if (eq == std::string_view::npos)
            return false;
        std::string_view name = attributes.substr(i, eq - i);
        while (!name.empty() && IsSpace(name.back()))
            name.remove_suffix(1);
        size_t open = eq + 1;
        while (open < attributes.size() && IsSpace(attributes[open]))
            ++open;
        if (open >= attributes.size() || (attributes[open] != '"' && attributes[open] != '\''))
            return false;
        size_t close = attributes.find(attributes[open], open + 1);
        if (close == std::string_view::npos)
            return false;
        if (LocalName(name) == localName) {
            value.clear();
            AppendXmlDecoded(value, attributes.substr(open + 1, close - open - 1));
            return true;
        }
        i = close + 1;
    }
    return false;
}
