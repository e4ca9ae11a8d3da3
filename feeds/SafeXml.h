#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Reads an XML document from bytes, one node at a time, the way every feed reader here must: no
// entity substitution, no network, no DTD loading, so that a declared entity stays unexpanded and an
// external one is never fetched or opened.
namespace SafeXml {

struct Node {
    enum Kind { StartElement, EndElement, Text };
    Kind kind;
    QString name;         // local name of an element
    QString namespaceUri; // of an element
    QString text;         // character data of a text node
    // The attribute's value, or a null string.
    std::function<QString(const char* name)> attribute;
};

// Calls `visit` for every element start and end and every text node that is not only blanks, in
// document order. CDATA sections are not read.
// False (with *error) when the bytes are not a well-formed document.
bool read(const QByteArray& bytes, const std::function<void(const Node&)>& visit, QString* error);

} // namespace SafeXml
