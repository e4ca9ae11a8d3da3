#include "tools/edition/ChapterListCheck.h"

#include "tools/edition/EditionSources.h"

#include "model/PropertyList.h"
#include "model/ShareData.h"

#include <QFile>
#include <QStringView>
#include <QXmlStreamReader>

#include <algorithm>

namespace Edition::Checking {

namespace {

// Where an XML property list stops being well-formed XML, with the XML reader's reason in *why;
// just the file when it is well-formed (or no XML at all).
QString brokenXmlPlace(const QString& folder, const QString& name, QString* why) {
    QFile file(folder + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        return name;
    const QByteArray bytes = file.read(8 << 20);
    if (!bytes.trimmed().startsWith('<'))
        return name;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext();
    if (!xml.hasError())
        return name;
    *why = QStringLiteral("%1 (column %2)").arg(xml.errorString()).arg(xml.columnNumber());
    return Edition::sourcePlace(name, int(xml.lineNumber()));
}

struct ChapterListChecker : CheckerBase {
    ChapterListChecker(Findings& findings, const ChapterList& list, const SettingsFacts& settings,
                       const Catalogue& catalogue)
        : CheckerBase(findings), list(list), root(list.root), settings(settings), rows(catalogue.rows),
          rowsComplete(catalogue.complete) {}

    const ChapterList& list;
    const std::optional<QVariantMap>& root;
    const SettingsFacts& settings;
    const QList<Row>& rows;
    const bool rowsComplete;

    void checkChapterList() {
        const QString name = QStringLiteral("chapter.plist");
        if (!root)
            return;
        for (const char* key : {"Backgrounds", "Colors", "Placements", "Default GPS Position"}) {
            if (root->value(QString::fromLatin1(key)).typeId() != QMetaType::QVariantMap)
                report(name,
                       QStringLiteral("\"%1\" is missing or not a dictionary").arg(QString::fromLatin1(key)));
        }
        const QVariantMap backgrounds = root->value(QStringLiteral("Backgrounds")).toMap();
        const QVariantMap colors = root->value(QStringLiteral("Colors")).toMap();
        const QVariantMap placements = root->value(QStringLiteral("Placements")).toMap();
        for (auto [what, entries] : {std::pair{"background", &backgrounds}, std::pair{"colour", &colors},
                                     std::pair{"placement", &placements}}) {
            for (auto it = entries->cbegin(); it != entries->cend(); ++it) {
                if (settings.settingsRead && !settings.chapterLabels.contains(it.key()))
                    report(list.chapterListPlace(it.key()),
                           QStringLiteral("the %1 of \"%2\" belongs to no chapter of OrderChapters (%3)")
                               .arg(QString::fromLatin1(what), it.key(),
                                    settings.chapterLabels.join(QStringLiteral(", "))));
            }
        }
        for (auto it = backgrounds.cbegin(); it != backgrounds.cend(); ++it)
            namePicture(it.value().toString(), list.chapterListPlace(it.key()));
        for (const QString& title : std::as_const(settings.chapterLabels)) {
            if (title == u"Metro")
                continue;
            if (!backgrounds.contains(title))
                report(name, QStringLiteral("chapter \"%1\" has no background").arg(title));
            const QVariantMap color = colors.value(title).toMap();
            for (const char* c : {"r", "g", "b", "a"}) {
                bool ok = false;
                const double v = color.value(QString::fromLatin1(c)).toDouble(&ok);
                if (!ok || !(v >= 0 && v <= 1)) {
                    QStringList keys = {QStringLiteral("Colors")};
                    if (colors.contains(title))
                        keys.append(title);
                    if (color.contains(QString::fromLatin1(c)))
                        keys.append(QString::fromLatin1(c));
                    report(list.chapterListPlace(keys),
                           QStringLiteral("chapter \"%1\" has no colour value \"%2\" from 0 to 1")
                               .arg(title, QString::fromLatin1(c)));
                    break;
                }
            }
        }
        for (auto it = placements.cbegin(); it != placements.cend(); ++it) {
            const QVariantMap placement = it.value().toMap();
            namePicture(placement.value(QStringLiteral("image")).toString(), list.chapterListPlace(it.key()));
            const QVariant venue = placement.value(QStringLiteral("venue_id"));
            bool ok = false;
            const qint64 id = venue.toLongLong(&ok);
            const bool exists =
                ok && std::any_of(rows.cbegin(), rows.cend(), [id](const Row& r) { return r.id == id; });
            if (venue.isValid() && !exists && rowsComplete)
                report(list.chapterListPlace(it.key()),
                       QStringLiteral("the placement of \"%1\" names venue %2, which does not exist")
                           .arg(it.key(), venue.toString()));
        }
    }
};

} // namespace

QString ChapterList::chapterListPlace(const QString& key) const {
    return Edition::sourcePlace(QStringLiteral("chapter.plist"),
                                lineOf(chapterListText, QStringLiteral("<key>%1</key>").arg(key), 0));
}

QString ChapterList::chapterListPlace(const QStringList& keys) const {
    qsizetype at = 0, found = -1;
    for (const QString& key : keys) {
        at = chapterListText.indexOf(QStringLiteral("<key>%1</key>").arg(key.toHtmlEscaped()), at);
        if (at < 0)
            break;
        found = at;
    }
    return Edition::sourcePlace(QStringLiteral("chapter.plist"),
                                found < 0 ? 0
                                          : int(QStringView(chapterListText).left(found).count(u'\n')) + 1);
}

std::optional<QVariantMap> readDictionary(Findings& findings, const QString& name) {
    QString error;
    const auto root = PropertyList::readFile(findings.folder + u'/' + name, &error);
    if (!root) {
        findings.report(brokenXmlPlace(findings.folder, name, &error), error);
        return std::nullopt;
    }
    if (root->typeId() != QMetaType::QVariantMap) {
        findings.report(name, QStringLiteral("the top level is not a dictionary"));
        return std::nullopt;
    }
    return root->toMap();
}

// The default position first: the venues' positions are measured from it.
ChapterList readChapterList(Findings& findings) {
    ChapterList list;
    QFile file(findings.folder + QStringLiteral("/chapter.plist"));
    if (file.open(QIODevice::ReadOnly))
        list.chapterListText = QString::fromUtf8(file.read(8 << 20));
    list.root = readDictionary(findings, QStringLiteral("chapter.plist"));
    if (!list.root)
        return list;
    if (const auto position =
            ShareData::positionFrom(list.root->value(QStringLiteral("Default GPS Position"))))
        list.centre = std::pair{position->latitude, position->longitude};
    else
        findings.report(
            list.chapterListPlace(QStringLiteral("Default GPS Position")),
            QStringLiteral("\"Default GPS Position\" needs the numbers \"lat\" (-90 to 90) and \"long\" "
                           "(-180 to 180)"));
    return list;
}

void checkChapterList(Findings& findings, const ChapterList& list, const SettingsFacts& settings,
                      const Catalogue& catalogue) {
    ChapterListChecker(findings, list, settings, catalogue).checkChapterList();
}

} // namespace Edition::Checking
