#include "tools/edition/EditionTiles.h"
#include "tools/edition/EditionWriting.h"

#include "ArtRenderer.h"
#include "model/ManagerModel.h"
#include "model/PropertyList.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace Edition::Writing {

const QString fillIn = QStringLiteral("[fill in]");

const QString openStreetMapCredit = QStringLiteral("© OpenStreetMap contributors");

std::optional<Place> parsePlace(const QString& text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 2)
        return std::nullopt;
    bool latOk = false, lonOk = false;
    const Place place{parts[0].trimmed().toDouble(&latOk), parts[1].trimmed().toDouble(&lonOk)};
    if (!latOk || !lonOk || !std::isfinite(place.latitude) || !std::isfinite(place.longitude) ||
        std::abs(place.latitude) > 90 || std::abs(place.longitude) > 180)
        return std::nullopt;
    return place;
}

QString cityNameProblem(const QString& city) {
    // The settings file has no way to write a double quote or a line break inside a value.
    if (city.isEmpty() || city.contains(u'"') || city.contains(u'\n') || city.contains(u':') ||
        city.size() > 60)
        return QStringLiteral("--city: a name of at most 60 characters without double quotes, colons or line "
                              "breaks");
    return {};
}

QString notEmptyProblem(const QString& folder, const QString& command) {
    const QDir dir(folder);
    if (dir.exists() && !dir.isEmpty())
        return QStringLiteral("%1: the folder is not empty; %2 writes into a new or empty folder")
            .arg(folder, command);
    return {};
}

QString coordinate(double value) {
    return QString::number(value, 'f', 6);
}

QString csvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    return u'"' + QString(text).replace(u"\""_qs, u"\"\""_qs) + u'"';
}

QString stored(const QString& text) {
    return QString(text).replace(u"'"_qs, u"''"_qs);
}

QString settingsFile(const QString& city, const QList<Chapter>& chapters, const QString& localName,
                     const QString& orderMaps) {
    ManagerModel model;
    model.setDateRelease(QDate::currentDate().toString(Qt::ISODate));
    model.setDateCurrency(QStringLiteral("2010-01-01 T 00:00"));
    model.setDateWeather(QStringLiteral("2010-01-01 T 00:00"));
    model.setInfoNameEnglish(city);
    for (auto set :
         {&ManagerModel::setInfoAirportCode, &ManagerModel::setInfoCityCode,
          &ManagerModel::setInfoCountryCode, &ManagerModel::setInfoInternetCode,
          &ManagerModel::setInfoTimeZone, &ManagerModel::setContactVantor, &ManagerModel::setContactSBK})
        (model.*set)(fillIn);
    model.setInfoNameLocal(localName.isEmpty() ? city : localName);
    model.setOrderMaps(orderMaps);
    QStringList order;
    for (const Chapter& chapter : chapters)
        order.append(QStringLiteral("%1:%2:chapter;%3").arg(chapter.title, chapter.icon, chapter.id));
    order.append(QStringLiteral("Search:ChapterSearch:search;SEARCH"));
    model.setOrderChapters(order.join(QStringLiteral(",\n")));
    model.setOrderChapterTools(QStringLiteral("Live Map:ToolLiveMap:LiveMap.tool,"
                                              "Currency:ToolCurrency:Currency.tool,"
                                              "Search:ToolSearch:Search.page"));
    model.setOrderVenuesTools(QStringLiteral("A-Z:ToolSortAZ:SortAZ.tool,"
                                             "Nearest:ToolNearest:SortNearest.tool,"
                                             "Live Map:ToolLiveMap:LiveMap.tool"));
    model.setOrderDetailedViewTools(QStringLiteral("Search:ToolSearch:Search.page,"
                                                   "Bookmark:ToolBookmark:Bookmark.tool,"
                                                   "Live Map:ToolLiveMap:LiveMap.tool"));
    model.setUserCurrencies(QStringLiteral("EUR:€:FlagEU,USD:$:FlagUS,GBP:£:FlagGB"));
    model.setFeedCurrency(QStringLiteral("https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml"));
    QStringList values;
    for (int c = 0; c < ManagerModel::columnCount; ++c)
        values.append(u'"' + model.field(c) + u'"');
    return ManagerModel::headerLine() + values.join(u',');
}

namespace {

QVariantMap colourEntry(const QColor& colour) {
    return {{QStringLiteral("r"), colour.redF()},
            {QStringLiteral("g"), colour.greenF()},
            {QStringLiteral("b"), colour.blueF()},
            {QStringLiteral("a"), 1.0}};
}

} // namespace

QVariantMap chapterList(const Place& at, const QList<Chapter>& chapters) {
    QVariantMap backgrounds, colours;
    for (const Chapter& chapter : chapters) {
        backgrounds.insert(chapter.title, QStringLiteral("BackgroundChapter"));
        colours.insert(chapter.title, colourEntry(chapter.colour));
    }
    backgrounds.insert(QStringLiteral("Search"), QStringLiteral("BackgroundChapter"));
    colours.insert(QStringLiteral("Search"), colourEntry(QColor::fromRgbF(0.55f, 0.80f, 0.95f)));
    return {
        {QStringLiteral("Backgrounds"), backgrounds},
        {QStringLiteral("Colors"), colours},
        {QStringLiteral("Placements"), QVariantMap{}},
        {QStringLiteral("Default GPS Position"),
         QVariantMap{{QStringLiteral("lat"), at.latitude}, {QStringLiteral("long"), at.longitude}}},
    };
}

QString imprint(const QString& city, const QString& credit) {
    return QStringLiteral("%1 City Guide\n\n"
                          "%2 Publisher: name, postal address, e-mail address.\n\n"
                          "%2 Texts and pictures: who wrote and made them.\n\n%3\n")
        .arg(city, fillIn, credit);
}

namespace {

// The start-up picture carries the city's name; a long name gets smaller letters so that it fits.
QByteArray startPicture(const QString& city) {
    QFile file(QStringLiteral(":/newedition/Default.svg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString svg = QString::fromUtf8(file.readAll());
    const int size = std::min(38, int(296 / (0.53 * std::max<qsizetype>(1, city.size()))));
    svg.replace(QStringLiteral("font-size=\"38\""), QStringLiteral("font-size=\"%1\"").arg(size));
    svg.replace(QStringLiteral("{{CITY}}"), city.toHtmlEscaped());
    return svg.toUtf8();
}

} // namespace

bool writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool writePictures(const QString& folder, const QString& city, QString* error) {
    const artwork::RunReport report = artwork::renderDirectory(QStringLiteral(":/newedition"), folder);
    if (!report.errors.isEmpty()) {
        *error = report.errors.join(QStringLiteral("; "));
        return false;
    }
    const QByteArray start = startPicture(city);
    for (int scale : {1, 2}) {
        const QImage picture = artwork::renderSvgData(start, scale);
        const QString path = artwork::outputPath(folder, QStringLiteral("Default"), scale);
        if (picture.isNull() || !picture.save(path, "PNG")) {
            *error = QStringLiteral("%1: cannot be written").arg(path);
            return false;
        }
    }
    return true;
}

} // namespace Edition::Writing

namespace {

using namespace Edition::Writing;

const QList<Chapter> sightsOnly = {{QStringLiteral("Sights"), QStringLiteral("SIGHTS"),
                                    QStringLiteral("ChapterGeneral"), QColor::fromRgbF(0.96f, 0.78f, 0.31f)}};

QString catalogFile(const QString& city, const Place& at) {
    const QStringList header = {
        QStringLiteral("name"),       QStringLiteral("body"),         QStringLiteral("address"),
        QStringLiteral("gps_lat"),    QStringLiteral("gps_lon"),      QStringLiteral("mobile_highlight"),
        QStringLiteral("chapter_id"), QStringLiteral("chapter_name"), QStringLiteral("category_name"),
        QStringLiteral("text_short"), QStringLiteral("text_long"),    QStringLiteral("title"),
    };
    const QStringList venue = {
        QStringLiteral("First venue"),
        stored(QStringLiteral("%1 Describe the venue here: what a reader finds there and why it is worth the "
                              "way. It stands at the point the edition was started with.")
                   .arg(fillIn)),
        fillIn,
        coordinate(at.latitude),
        coordinate(at.longitude),
        QStringLiteral("1"),
        QStringLiteral("SIGHTS"),
        QStringLiteral("Sights"),
        QStringLiteral("Landmarks"),
        stored(QStringLiteral("%1 The sights of %2 in one line.").arg(fillIn, city)),
        stored(QStringLiteral("%1 An introduction to the sights of %2.\\nA second paragraph follows a "
                              "backslash and n.")
                   .arg(fillIn, city)),
        stored(QStringLiteral("Sights of %1").arg(city)),
    };
    QStringList fields;
    for (const QString& value : venue)
        fields.append(csvField(value));
    return header.join(u',') + u'\n' + fields.join(u',') + u'\n';
}

const QString newUsage = QStringLiteral("new DIR --city NAME --at LAT,LON");

} // namespace

namespace Edition {

int newEdition(const QStringList& args, QTextStream& out, QString* error) {
    QString folder, city;
    std::optional<Place> at;
    for (int i = 0; i < args.size(); ++i) {
        const QString next = args.value(i + 1);
        if (args[i] == u"--city" && i + 1 < args.size()) {
            city = next.trimmed();
            ++i;
        } else if (args[i] == u"--at" && i + 1 < args.size()) {
            if (!(at = parsePlace(next))) {
                *error = QStringLiteral("--at needs a position LAT,LON (for example 47.0707,15.4395)");
                return 2;
            }
            ++i;
        } else if (folder.isEmpty() && !args[i].startsWith(QStringLiteral("--"))) {
            folder = args[i];
        } else {
            *error = QStringLiteral("usage: cityguide-edition ") + newUsage;
            return 2;
        }
    }
    if (folder.isEmpty() || city.isEmpty() || !at) {
        *error = QStringLiteral("usage: cityguide-edition ") + newUsage;
        return 2;
    }
    if (const QString problem = cityNameProblem(city); !problem.isEmpty()) {
        *error = problem;
        return 2;
    }
    if (const QString problem = notEmptyProblem(folder, QStringLiteral("new")); !problem.isEmpty()) {
        *error = problem;
        return 1;
    }
    const QDir dir(folder);
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("%1: cannot create the folder").arg(folder);
        return 1;
    }
    const QString bookmarks = dir.filePath(QStringLiteral("Bookmarks.plist"));
    QString why;
    const bool written =
        writeFile(dir.filePath(QStringLiteral("manager.csv")), settingsFile(city, sightsOnly).toUtf8(),
                  error) &&
        writeFile(dir.filePath(QStringLiteral("catalog/01-sights.csv")), catalogFile(city, *at).toUtf8(),
                  error) &&
        writeFile(dir.filePath(QStringLiteral("chapter.plist")),
                  PropertyList::toXml(chapterList(*at, sightsOnly)), error) &&
        writeFile(bookmarks, PropertyList::toXml(QVariantMap{{QStringLiteral("Venues"), QVariantList{}}}),
                  error) &&
        writeFile(
            dir.filePath(QStringLiteral("imprint.txt")),
            imprint(city, QStringLiteral("Street maps %1, available under the Open Database Licence (ODbL).")
                              .arg(openStreetMapCredit))
                .toUtf8(),
            error) &&
        writePictures(folder, city, error);
    if (!written)
        return 1;
    out << "A new edition of " << city << " is in " << folder << ".\n"
        << "Fill in what is marked " << fillIn
        << " in manager.csv, catalog/01-sights.csv and imprint.txt, then:\n"
        << "  cityguide-edition check " << folder << "\n"
        << "  cityguide-edition build " << folder << " OUT\n"
        << "  cityguide --edition OUT\n"
        << "docs/publishing.md tells every file and picture an edition may have.\n";
    out.flush();
    return 0;
}

bool renderArt(const QString& sourceFolder, const QString& outFolder, QString* error) {
    const QString art = sourceFolder + QStringLiteral("/art");
    if (!QFileInfo(art).isDir())
        return true;
    const artwork::RunReport report = artwork::renderDirectory(art, outFolder);
    if (!report.errors.isEmpty()) {
        *error = report.errors.join(QStringLiteral("; "));
        return false;
    }
    return true;
}

} // namespace Edition
