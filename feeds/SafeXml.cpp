#include "feeds/SafeXml.h"

#include <libxml/xmlreader.h>

#include <memory>

namespace {

QString fromXml(const xmlChar* text) {
    return text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
}

struct ReaderFree {
    void operator()(xmlTextReaderPtr reader) const { xmlFreeTextReader(reader); }
};

void quiet(void*, const char*, ...) {}

} // namespace

namespace SafeXml {

bool read(const QByteArray& bytes, const std::function<void(const Node&)>& visit, QString* error) {
    // No XML_PARSE_NOENT, XML_PARSE_DTDLOAD or XML_PARSE_DTDATTR; XML_PARSE_HUGE stays off, so that
    // libxml2's own limits hold as well.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    xmlSetGenericErrorFunc(nullptr, quiet);
    std::unique_ptr<xmlTextReader, ReaderFree> reader(
        xmlReaderForMemory(bytes.constData(), int(bytes.size()), nullptr, nullptr, options));
    if (!reader) {
        if (error)
            *error = QStringLiteral("not an XML document");
        return false;
    }
    xmlTextReaderPtr r = reader.get();
    int rc = 0;
    // One node, refilled for each one the reader reaches.
    Node node{Node::Text, {}, {}, {}, [r](const char* name) {
                  xmlChar* value = xmlTextReaderGetAttribute(r, reinterpret_cast<const xmlChar*>(name));
                  const QString text = fromXml(value);
                  xmlFree(value);
                  return text;
              }};
    while ((rc = xmlTextReaderRead(r)) == 1) {
        node.name.clear();
        node.namespaceUri.clear();
        node.text.clear();
        switch (xmlTextReaderNodeType(r)) {
        case XML_READER_TYPE_ELEMENT: {
            node.kind = Node::StartElement;
            node.name = fromXml(xmlTextReaderConstLocalName(r));
            node.namespaceUri = fromXml(xmlTextReaderConstNamespaceUri(r));
            const bool empty = xmlTextReaderIsEmptyElement(r);
            visit(node);
            if (empty) {
                node.kind = Node::EndElement;
                visit(node);
            }
            break;
        }
        case XML_READER_TYPE_END_ELEMENT:
            node.kind = Node::EndElement;
            node.name = fromXml(xmlTextReaderConstLocalName(r));
            node.namespaceUri = fromXml(xmlTextReaderConstNamespaceUri(r));
            visit(node);
            break;
        case XML_READER_TYPE_TEXT:
        case XML_READER_TYPE_CDATA: // a CDATA section is text written another way
            node.kind = Node::Text;
            node.text = fromXml(xmlTextReaderConstValue(r));
            visit(node);
            break;
        default:
            break; // blanks between elements, comments, unexpanded entity references
        }
    }
    if (rc != 0) {
        if (error) {
            const xmlError* last = xmlGetLastError();
            *error = last && last->message ? QString::fromUtf8(last->message).trimmed()
                                           : QStringLiteral("not a well-formed XML document");
        }
        return false;
    }
    return true;
}

} // namespace SafeXml
