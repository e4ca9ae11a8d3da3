#include "tools/edition/EditionSources.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <cmath>

namespace Edition {

const QString fillInMark = QStringLiteral("[fill in]");

QStringList catalogSources(const QString& source) {
    QStringList files;
    const QDir folder(source + QStringLiteral("/catalog"));
    for (const QString& name : folder.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name))
        files.append(folder.filePath(name));
    if (QFile::exists(source + QStringLiteral("/catalog.csv")))
        files.prepend(source + QStringLiteral("/catalog.csv"));
    return files;
}

namespace {

// The first line (from 1) whose bytes are not UTF-8, or 0.
int firstLineNotUtf8(const QByteArray& bytes) {
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString ignored = decoder(QByteArrayView(bytes).sliced(start, end - start));
        if (decoder.hasError())
            return line;
        start = end + 1;
        ++line;
    }
    return 0;
}

} // namespace

bool readCatalogSource(const QString& path, RfcCsvTable* table, SourceProblem* problem) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = {0, file.errorString()};
        return false;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError()) {
        *problem = {firstLineNotUtf8(bytes), QStringLiteral("is not UTF-8 text (save the file as UTF-8)")};
        return false;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QString why;
    int line = 0;
    if (!parseRfcCsv(text, table, &why, &line)) {
        *problem = {line, why};
        return false;
    }
    return true;
}

std::optional<double> coordinateValue(const QString& text, QString* why) {
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok) {
        *why = QStringLiteral("is not a number");
        return std::nullopt;
    }
    if (!std::isfinite(number)) {
        *why = QStringLiteral("is not a finite number");
        return std::nullopt;
    }
    return number;
}

QString sourcePlace(const QString& file, int line) {
    return line > 0 ? QStringLiteral("%1:%2").arg(file).arg(line) : file;
}

} // namespace Edition
