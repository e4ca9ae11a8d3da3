#include "model/PropertyList.h"

#include "platform/Paths.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <plist/plist.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

QVariant toVariant(plist_t node, int depth) {
    if (!node || depth > 64)
        return {};
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return bool(value);
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return qint64(value);
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return value;
    }
    case PLIST_STRING: {
        // By its stored length: libplist's copying getter aborts the program on a string that holds
        // a zero byte, which a binary file can.
        uint64_t length = 0;
        const char* value = plist_get_string_ptr(node, &length);
        return value ? QString::fromUtf8(value, qsizetype(length)) : QString();
    }
    case PLIST_DATA: {
        char* value = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &value, &length);
        QByteArray bytes(value ? value : "", value ? qsizetype(length) : 0);
        free(value);
        return bytes;
    }
    case PLIST_DATE: {
        int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        // Property-list dates count from 2001-01-01 UTC.
        const QDateTime epoch(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
        return epoch.addSecs(sec).addMSecs(usec / 1000);
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t n = plist_array_get_size(node);
        for (uint32_t i = 0; i < n; ++i)
            list.append(toVariant(plist_array_get_item(node, i), depth + 1));
        return list;
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        for (;;) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            if (!value) {
                free(key);
                break;
            }
            map.insert(QString::fromUtf8(key ? key : ""), toVariant(value, depth + 1));
            free(key);
        }
        free(it);
        return map;
    }
    default:
        return {};
    }
}

// libplist parses recursively and expands shared references, so a hostile file can exhaust the stack
// or the memory before a single value comes back. The bytes are measured first, without recursion.
constexpr qsizetype maxFileBytes = 8 * 1024 * 1024;
constexpr int maxDepth = 64;
constexpr qint64 maxObjects = 200000;

// Big-endian unsigned integer of 1 to 8 bytes at `at`; false when it runs past the end.
bool readUnsigned(const QByteArray& bytes, qint64 at, int size, quint64* value) {
    if (size < 1 || size > 8 || at < 0 || at + size > bytes.size())
        return false;
    quint64 result = 0;
    for (int i = 0; i < size; ++i)
        result = (result << 8) | quint8(bytes[at + i]);
    *value = result;
    return true;
}

QString checkBinaryBounds(const QByteArray& bytes) {
    const QString malformed = QStringLiteral("not a readable property list");
    constexpr int trailerSize = 32;
    if (bytes.size() < 8 + trailerSize)
        return malformed;
    const qint64 trailer = bytes.size() - trailerSize;
    const int offsetSize = quint8(bytes[trailer + 6]);
    const int refSize = quint8(bytes[trailer + 7]);
    quint64 objectCount = 0, top = 0, tableOffset = 0;
    if (!readUnsigned(bytes, trailer + 8, 8, &objectCount) || !readUnsigned(bytes, trailer + 16, 8, &top) ||
        !readUnsigned(bytes, trailer + 24, 8, &tableOffset))
        return malformed;
    if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8 || objectCount == 0 ||
        top >= objectCount || tableOffset >= quint64(trailer) ||
        objectCount > quint64(trailer - qint64(tableOffset)) / quint64(offsetSize))
        return malformed;

    // Where object `index` starts, or -1.
    auto objectAt = [&](quint64 index) -> qint64 {
        quint64 offset = 0;
        if (index >= objectCount ||
            !readUnsigned(bytes, qint64(tableOffset + index * quint64(offsetSize)), offsetSize, &offset) ||
            offset < 8 || offset >= tableOffset)
            return -1;
        return qint64(offset);
    };
    // Containers: how many references follow the marker, and where they start.
    auto references = [&](qint64 at, quint64* count, qint64* first) -> bool {
        const quint8 marker = quint8(bytes[at]);
        const int kind = marker >> 4;
        *count = 0;
        *first = at + 1;
        if (kind != 0xA && kind != 0xC && kind != 0xD)
            return true; // a leaf
        quint64 n = marker & 0x0F;
        if (n == 0x0F) {
            if (at + 1 >= bytes.size() || (quint8(bytes[at + 1]) >> 4) != 0x1)
                return false;
            const int size = 1 << (quint8(bytes[at + 1]) & 0x0F);
            if (!readUnsigned(bytes, at + 2, size, &n))
                return false;
            *first = at + 2 + size;
        }
        if (kind == 0xD) {
            if (n > quint64(bytes.size()))
                return false;
            n *= 2; // keys, then values
        }
        if (n > quint64(bytes.size()) || *first + qint64(n) * refSize > bytes.size())
            return false;
        *count = n;
        return true;
    };

    // A text (ASCII, UTF-8 or UTF-16) that holds a zero character: libplist stops the program when
    // it reads one back, so such a file is refused here.
    auto textWithZero = [&](qint64 at) {
        const quint8 marker = quint8(bytes[at]);
        const int kind = marker >> 4;
        if (kind != 0x5 && kind != 0x6 && kind != 0x7)
            return false;
        quint64 n = marker & 0x0F;
        qint64 first = at + 1;
        if (n == 0x0F) {
            if (at + 1 >= bytes.size() || (quint8(bytes[at + 1]) >> 4) != 0x1)
                return false; // libplist refuses it by itself
            const int size = 1 << (quint8(bytes[at + 1]) & 0x0F);
            if (!readUnsigned(bytes, at + 2, size, &n))
                return false;
            first = at + 2 + size;
        }
        const int unit = kind == 0x6 ? 2 : 1;
        if (n > quint64(bytes.size()) || first + qint64(n) * unit > bytes.size())
            return false;
        for (qint64 i = 0; i < qint64(n); ++i) {
            if (bytes[first + i * unit] == 0 && (unit == 1 || bytes[first + i * unit + 1] == 0))
                return true;
        }
        return false;
    };

    // Walks the tree as libplist would expand it: every reference counts again, however shared.
    struct Pending {
        quint64 index;
        int depth;
    };
    std::vector<Pending> pending{{top, 1}};
    qint64 expanded = 0;
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        if (++expanded > maxObjects)
            return QStringLiteral("more than %1 objects").arg(maxObjects);
        if (next.depth > maxDepth)
            return QStringLiteral("nested deeper than %1 levels").arg(maxDepth);
        const qint64 at = objectAt(next.index);
        quint64 count = 0;
        qint64 first = 0;
        if (at < 0 || !references(at, &count, &first))
            return malformed;
        if (textWithZero(at))
            return QStringLiteral("a text holds a zero character");
        for (quint64 i = 0; i < count; ++i) {
            quint64 child = 0;
            if (!readUnsigned(bytes, first + qint64(i) * refSize, refSize, &child))
                return malformed;
            pending.push_back({child, next.depth + 1});
        }
    }
    return {};
}

// XML lists share nothing, but depth and element count still bound libplist's recursion and memory.
// Comments, CDATA sections and processing instructions cannot hide tags from the count; entity
// declarations are refused outright, since a property list never needs one.
QString checkXmlBounds(const QByteArray& bytes) {
    int depth = 0;
    qint64 elements = 0;
    qsizetype at = 0;
    const qsizetype size = bytes.size();
    auto skipPast = [&](const char* end) {
        const qsizetype found = bytes.indexOf(end, at);
        at = found < 0 ? size : found + qsizetype(std::strlen(end));
    };
    while ((at = bytes.indexOf('<', at)) >= 0) {
        const QByteArrayView rest = QByteArrayView(bytes).sliced(at);
        if (rest.startsWith("<!--")) {
            skipPast("-->");
        } else if (rest.startsWith("<![CDATA[")) {
            skipPast("]]>");
        } else if (rest.startsWith("<?")) {
            skipPast("?>");
        } else if (rest.startsWith("<!")) {
            // A document type declaration, with its internal subset in brackets when it has one.
            const qsizetype close = bytes.indexOf('>', at);
            const qsizetype bracket = bytes.indexOf('[', at);
            const bool subset = bracket >= 0 && (close < 0 || bracket < close);
            const qsizetype end = subset ? bytes.indexOf("]>", bracket) : close;
            const qsizetype next = end < 0 ? size : end + (subset ? 2 : 1);
            if (rest.first(next - at).contains(QByteArrayView("<!ENTITY")))
                return QStringLiteral("declares entities");
            at = next;
        } else if (rest.startsWith("</")) {
            --depth;
            ++at;
        } else {
            const qsizetype end = bytes.indexOf('>', at);
            if (end < 0)
                break;
            if (++elements > maxObjects)
                return QStringLiteral("more than %1 objects").arg(maxObjects);
            if (bytes[end - 1] != '/' && ++depth > maxDepth + 1) // plist element plus the values
                return QStringLiteral("nested deeper than %1 levels").arg(maxDepth);
            at = end + 1;
        }
    }
    return {};
}

plist_t fromVariant(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QVariantMap: {
        plist_t dict = plist_new_dict();
        const QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            plist_dict_set_item(dict, it.key().toUtf8().constData(), fromVariant(it.value()));
        return dict;
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        plist_t array = plist_new_array();
        for (const QVariant& item : value.toList())
            plist_array_append_item(array, fromVariant(item));
        return array;
    }
    case QMetaType::Bool:
        return plist_new_bool(value.toBool());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return plist_new_uint(uint64_t(value.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return plist_new_real(value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return plist_new_data(bytes.constData(), uint64_t(bytes.size()));
    }
    default:
        return plist_new_string(value.toString().toUtf8().constData());
    }
}

} // namespace

namespace PropertyList {

std::optional<QVariant> fromBytes(const QByteArray& bytes, QString* error) {
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("the file is empty");
        return std::nullopt;
    }
    if (bytes.size() > maxFileBytes) {
        if (error)
            *error = QStringLiteral("larger than %1 bytes").arg(maxFileBytes);
        return std::nullopt;
    }
    const auto length = uint32_t(std::min<qsizetype>(bytes.size(), UINT32_MAX));
    const bool binary = plist_is_binary(bytes.constData(), length);
    if (const QString tooLarge = binary ? checkBinaryBounds(bytes) : checkXmlBounds(bytes);
        !tooLarge.isEmpty()) {
        if (error)
            *error = tooLarge;
        return std::nullopt;
    }
    plist_t root = nullptr;
    if (binary)
        plist_from_bin(bytes.constData(), length, &root);
    else
        plist_from_xml(bytes.constData(), length, &root);
    PlistPtr owner(root);
    if (!root) {
        if (error)
            *error = QStringLiteral("not a readable property list");
        return std::nullopt;
    }
    return toVariant(root, 0);
}

std::optional<QVariant> readFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > maxFileBytes) {
        if (error)
            *error = QStringLiteral("larger than %1 bytes").arg(maxFileBytes);
        return std::nullopt;
    }
    return fromBytes(file.readAll(), error);
}

QByteArray toXml(const QVariant& value) {
    PlistPtr root(fromVariant(value));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    QByteArray bytes(xml ? xml : "", xml ? qsizetype(length) : 0);
    plist_to_xml_free(xml);
    return bytes;
}

bool writeFileAtomically(const QString& path, const QVariant& value, QString* error) {
    return Paths::writeAtomically(path, toXml(value), error);
}

} // namespace PropertyList
