// A small pull scanner for the XML parts of a workbook: elements, their
// attributes and text. Namespace prefixes are dropped from names; no DTD
// or custom entity is ever expanded.
#pragma once

#include <string>
#include <string_view>

struct XmlToken {
    enum Kind { kStart, kEnd, kText } kind = kText;
    std::string_view name;       // local name of an element
    std::string_view attributes; // raw attribute text of a start tag
    bool bEmpty = false;         // <a/>: no end token follows
    std::string text;            // decoded text
};

class XmlScanner {
  public:
    explicit XmlScanner(std::string_view document) : doc_(document) {}
    // False at the end of the document or at malformed markup.
    bool Next(XmlToken& token);
    bool Failed() const { return bFailed_; }

  private:
    std::string_view doc_;
    size_t pos_ = 0;
    bool bFailed_ = false;
};

// Value of the attribute with this local name, decoded; false if absent.
bool XmlAttribute(std::string_view attributes, std::string_view localName, std::string& value);
void AppendXmlDecoded(std::string& out, std::string_view raw);
