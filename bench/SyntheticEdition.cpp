#include "bench/SyntheticEdition.h"

#include "model/ManagerModel.h"
#include "tools/edition/Edition.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>

namespace {

// A small deterministic generator, so that every run measures the same edition.
struct Random {
    quint64 state;
    quint32 next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(state >> 33);
    }
    int below(int n) { return int(next() % quint32(n)); }
};

const std::array<const char*, 32> words = {
    "old",     "garden",  "coffee", "baroque", "market", "river",   "imperial", "quiet",
    "tower",   "gallery", "wine",   "music",   "park",   "square",  "palace",   "bakery",
    "theatre", "corner",  "famous", "little",  "golden", "stone",   "bridge",   "cellar",
    "house",   "street",  "view",   "evening", "local",  "classic", "modern",   "hidden",
};

QString sentence(Random& random, int wordCount) {
    QString text;
    for (int i = 0; i < wordCount; ++i) {
        if (i > 0)
            text += u' ';
        text += QString::fromLatin1(words[random.below(int(words.size()))]);
    }
    text[0] = text[0].toUpper();
    return text + u'.';
}

QString csvField(const QString& value) {
    if (!value.contains(u',') && !value.contains(u'"') && !value.contains(u'\n'))
        return value;
    QString quoted = value;
    quoted.replace(u"\""_qs, u"\"\""_qs);
    return u'"' + quoted + u'"';
}

// Opening hours as a city's venues have them: most alike, some following the sun (read for each
// venue's own position), a few unknown.
QString hoursOf(int pick) {
    static const char* const hours[] = {
        "Mo-Sa 10:00-18:00",
        "Mo-Fr 09:00-18:00; Sa 09:00-13:00; Su,PH off",
        "24/7",
        "Tu-Su 10:00-18:00; Mo off",
        "Mo-Su 11:30-14:30,18:00-23:00",
        "Fr-Sa 22:00-04:00",
        "sunrise-sunset",
        "Mo-Fr 08:00-20:00; Sa 09:00-18:00",
        "Mo-Su 07:00-22:00",
        "We-Su 12:00-22:00",
        "Mo-Fr 10:00-19:00; Sa 10:00-17:00",
        "Mo-Sa 09:00-20:00",
        "Th-Sa 19:00-02:00",
        "Mo-Su 06:00-24:00",
        "",
        "Mo-Fr 07:30-17:30",
    };
    return QString::fromLatin1(hours[pick]);
}

QString stampText(const SyntheticEdition::Shape& shape) {
    return QStringLiteral("%1 %2 %3 v8")
        .arg(shape.venues)
        .arg(shape.chapters)
        .arg(shape.categoriesPerChapter);
}

} // namespace

namespace SyntheticEdition {

QString chapterID(int chapter) {
    return QStringLiteral("c%1").arg(chapter + 1);
}

QString categoryName(int chapter, int category) {
    return QStringLiteral("Category %1.%2").arg(chapter + 1).arg(category + 1);
}

QString searchWord() {
    return QStringLiteral("Zephyr");
}

QString settingsText(qsizetype bytes) {
    ManagerModel model;
    for (int c = 0; c < ManagerModel::columnCount; ++c)
        model.setField(c, QString::fromLatin1(ManagerModel::columnNames()[c]) + u" value"_qs);
    model.setDateRelease(u"2026-12-01"_qs);
    QStringList chapters;
    for (int c = 0; c < 20; ++c)
        chapters.append(QStringLiteral("Chapter %1:Chapter%1:chapter;%2").arg(c + 1).arg(chapterID(c)));
    model.setOrderChapters(chapters.join(u','));
    // The cached feed documents are what makes a real settings file large.
    QString rates = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gesmes:Envelope>\n"_qs;
    while (rates.size() < bytes / 2)
        rates += u"<Cube currency=\"USD\" rate=\"1.0512\"/>\n"_qs;
    QString weather = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<data>"_qs;
    while (weather.size() < bytes / 2)
        weather += u"<weather><date>2026-12-08</date><tempMaxC>4</tempMaxC></weather>"_qs;
    model.setUserCurrencyRates(rates + u"</gesmes:Envelope>"_qs);
    model.setUserWeather(weather + u"</data>"_qs);

    QString text = ManagerModel::headerLine();
    for (int c = 0; c < ManagerModel::columnCount; ++c)
        text += (c ? u",\""_qs : u"\""_qs) + model.field(c) + u'"';
    return text;
}

bool ensure(const QString& folder, const Shape& shape, QString* error) {
    const QString stamp = folder + u"/synthetic.stamp"_qs;
    QFile existing(stamp);
    if (existing.open(QIODevice::ReadOnly) && QString::fromUtf8(existing.readAll()) == stampText(shape))
        return true;

    QTemporaryDir source;
    if (!source.isValid() || !QDir().mkpath(source.filePath(u"catalog"_qs))) {
        *error = u"cannot make a temporary folder"_qs;
        return false;
    }
    QFile csv(source.filePath(u"catalog/synthetic.csv"_qs));
    if (!csv.open(QIODevice::WriteOnly)) {
        *error = csv.errorString();
        return false;
    }
    csv.write(Edition::catalogColumns().join(u',').toUtf8() + '\n');
    Random random{20261208};
    const int perChapter = shape.venues / shape.chapters;
    for (int v = 0; v < shape.venues; ++v) {
        const int chapter = std::min(v / perChapter, shape.chapters - 1);
        const int category = random.below(shape.categoriesPerChapter);
        QString name = sentence(random, 2 + random.below(3));
        name.chop(1);
        if (random.below(100) == 0)
            name += u' ' + searchWord();
        name += QStringLiteral(" %1").arg(v);
        QString body;
        const int sentences = 4 + random.below(10);
        for (int s = 0; s < sentences; ++s)
            body += (s ? u" "_qs : QString()) + sentence(random, 6 + random.below(8));
        if (random.below(10) == 0)
            body += u" The city''s favourite."_qs;
        const bool located = random.below(10) < 8;
        const double lat = 48.15 + random.below(100000) / 1000000.0;
        const double lon = 16.30 + random.below(150000) / 1000000.0;
        QStringList row;
        for (const QString& column : Edition::catalogColumns()) {
            QString value;
            if (column == u"name")
                value = name;
            else if (column == u"body")
                value = body;
            else if (column == u"address")
                value = QStringLiteral("%1gasse %2, 10%3 Wien")
                            .arg(QString::fromLatin1(words[random.below(int(words.size()))]))
                            .arg(1 + random.below(80))
                            .arg(10 + random.below(13));
            else if (column == u"gps_lat" && located)
                value = QString::number(lat, 'f', 6);
            else if (column == u"gps_lon" && located)
                value = QString::number(lon, 'f', 6);
            else if (column == u"mobile_highlight")
                value = random.below(50) == 0 ? u"1"_qs : u"0"_qs;
            else if (column == u"chapter_id")
                value = chapterID(chapter);
            else if (column == u"chapter_name")
                value = QStringLiteral("Chapter %1").arg(chapter + 1);
            else if (column == u"category_name")
                value = categoryName(chapter, category);
            else if (column == u"phone")
                value = QStringLiteral("+43 1 555 %1").arg(v % 10000, 4, 10, QChar(u'0'));
            else if (column == u"open_text")
                value = u"Mon-Sat 10:00-18:00"_qs;
            else if (column == u"opening_hours")
                value = hoursOf(v % 16); // drawn from no random number: the rest stays as it was
            row.append(csvField(value));
        }
        csv.write(row.join(u',').toUtf8() + '\n');
    }
    csv.close();

    QFile settings(source.filePath(u"manager.csv"_qs));
    if (!settings.open(QIODevice::WriteOnly)) {
        *error = settings.errorString();
        return false;
    }
    settings.write(settingsText(1 << 20).toUtf8());
    settings.close();

    if (!Edition::build(source.path(), folder, error))
        return false;
    QFile done(stamp);
    if (!done.open(QIODevice::WriteOnly)) {
        *error = done.errorString();
        return false;
    }
    done.write(stampText(shape).toUtf8());
    return true;
}

} // namespace SyntheticEdition
