// The core's speed on the synthetic 100,000-venue edition, each next to its baseline: the same
// statement stepped through the bare SQLite C API with no conversion, and for the settings file the
// plain reading and writing of the same bytes.

#include "bench/SyntheticEdition.h"
#include "catalog/SQLDAL.h"
#include "model/DAO.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

sqlite3* bare = nullptr;
const QString firstChapter = SyntheticEdition::chapterID(0);
const QString oneCategory = SyntheticEdition::categoryName(0, 3);

// Steps a statement, touching every column as text or number without converting it.
int64_t stepAll(sqlite3_stmt* statement) {
    int64_t bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const int columns = sqlite3_column_count(statement);
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(statement, c) == SQLITE_FLOAT) {
                benchmark::DoNotOptimize(sqlite3_column_double(statement, c));
            } else {
                benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
                bytes += sqlite3_column_bytes(statement, c);
            }
        }
    }
    return bytes;
}

int64_t bareQuery(const char* sql, std::initializer_list<QByteArray> texts) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(bare, sql, -1, &statement, nullptr);
    int index = 1;
    for (const QByteArray& text : texts)
        sqlite3_bind_text(statement, index++, text.constData(), int(text.size()), SQLITE_STATIC);
    const int64_t bytes = stepAll(statement);
    sqlite3_finalize(statement);
    return bytes;
}

QStringList bareCategoryNames(const QByteArray& chapter) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(bare, "select distinct category_name from catalog where chapter_id = ?001", -1,
                       &statement, nullptr);
    sqlite3_bind_text(statement, 1, chapter.constData(), int(chapter.size()), SQLITE_STATIC);
    QStringList names;
    while (sqlite3_step(statement) == SQLITE_ROW)
        names.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
    sqlite3_finalize(statement);
    return names;
}

void Categories_Guide(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SQLDAL::getCategoriesForChapter(firstChapter));
}

void Categories_Bare(benchmark::State& state) {
    const QByteArray chapter = firstChapter.toUtf8();
    for (auto _ : state) {
        const QStringList names = bareCategoryNames(chapter);
        for (const QString& name : names)
            bareQuery(
                "select count(category_name) from catalog where category_name = ?001 and chapter_id = ?002",
                {name.toUtf8(), chapter});
        bareQuery("select count(category_name) from catalog where chapter_id = ?001", {chapter});
        for (const QString& name : names)
            bareQuery("select count(*) from catalog where category_name = ?001 AND gps_lat NOT NULL AND "
                      "gps_lon NOT NULL AND chapter_id = ?002",
                      {name.toUtf8(), chapter});
    }
}

void VenuesAll_Guide(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SQLDAL::getVenuesForCategory(u"All"_qs, firstChapter));
    state.counters["venues"] = double(SQLDAL::getVenuesForCategory(u"All"_qs, firstChapter).size());
}

void VenuesAll_Bare(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            bareQuery("select name, body, gps_lat, gps_lon, address, date_start, rowid, "
                      "mobile_highlight from catalog where chapter_id = ?001 order by name",
                      {firstChapter.toUtf8()}));
}

void VenuesCategory_Guide(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SQLDAL::getVenuesForCategory(oneCategory, firstChapter));
    state.counters["venues"] = double(SQLDAL::getVenuesForCategory(oneCategory, firstChapter).size());
}

void VenuesCategory_Bare(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(bareQuery("select name, body, gps_lat, gps_lon, address, date_start, rowid, "
                                           "mobile_highlight from catalog where "
                                           "category_name = ?001 and chapter_id = ?002 order by name",
                                           {oneCategory.toUtf8(), firstChapter.toUtf8()}));
}

void Search_Guide(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SQLDAL::getVenuesNamedAs(SyntheticEdition::searchWord()));
    state.counters["venues"] = double(SQLDAL::getVenuesNamedAs(SyntheticEdition::searchWord()).size());
}

void Search_Bare(benchmark::State& state) {
    const QByteArray pattern = (u'%' + SyntheticEdition::searchWord() + u'%').toUtf8();
    const QByteArray trigrams = "\"Zep\" AND \"eph\" AND \"phy\" AND \"hyr\"";
    for (auto _ : state)
        benchmark::DoNotOptimize(bareQuery("select name, body, gps_lat, gps_lon, address, date_start, rowid, "
                                           "mobile_highlight from catalog where "
                                           "rowid in (select rowid from catalog_search where catalog_search "
                                           "match ?002) and (name like ?001 escape "
                                           "'\\' or body like ?001 escape '\\') order by name",
                                           {pattern, trigrams}));
}

// A text of two characters cannot use the trigram index: the whole catalogue is scanned.
void SearchShortText_Guide(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SQLDAL::getVenuesNamedAs(u"zq"_qs));
}

void Distances_FillAndSort10000(benchmark::State& state) {
    VenueList venues;
    for (int c = 0; venues.size() < 10000; ++c)
        venues += SQLDAL::getVenuesForCategory(u"All"_qs, SyntheticEdition::chapterID(c));
    venues.resize(10000);
    for (auto _ : state) {
        VenueList copy = venues;
        fillDistances(copy, 48.2085, 16.3721, false);
        std::stable_sort(copy.begin(), copy.end(), [](const Venue& a, const Venue& b) {
            return a.venueRealDistance < b.venueRealDistance;
        });
        benchmark::DoNotOptimize(copy);
    }
}

void SettingsRead_Guide(benchmark::State& state) {
    DAOFactory* factory = DAOFactory::getInstance();
    for (auto _ : state)
        benchmark::DoNotOptimize(factory->readSettingsFromFile(u"manager.csv"_qs));
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            QFile(Paths::documentPath(u"manager.csv"_qs)).size());
}

void SettingsRead_Bytes(benchmark::State& state) {
    for (auto _ : state) {
        // The store looks at both copies (for the release dates) and reads the working one.
        for (const QString& path :
             {Paths::documentPath(u"manager.csv"_qs), Paths::resourcePath(u"manager.csv"_qs)}) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            benchmark::DoNotOptimize(file.readAll());
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            QFile(Paths::documentPath(u"manager.csv"_qs)).size());
}

void SettingsSave_Guide(benchmark::State& state) {
    DAOFactory* factory = DAOFactory::getInstance();
    const ManagerModel* model = factory->readSettingsFromFile(u"manager.csv"_qs);
    for (auto _ : state)
        factory->saveSettings(*model);
}

void SettingsSave_Bytes(benchmark::State& state) {
    const QByteArray bytes = DAO::settingsFileBytes(*DAOFactory::getInstance()->dao()->manager());
    for (auto _ : state) {
        QFile file(Paths::documentPath(u"plain-copy.csv"_qs));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }
}

} // namespace

BENCHMARK(Categories_Guide)->Unit(benchmark::kMillisecond);
BENCHMARK(Categories_Bare)->Unit(benchmark::kMillisecond);
BENCHMARK(VenuesAll_Guide)->Unit(benchmark::kMillisecond);
BENCHMARK(VenuesAll_Bare)->Unit(benchmark::kMillisecond);
BENCHMARK(VenuesCategory_Guide)->Unit(benchmark::kMillisecond);
BENCHMARK(VenuesCategory_Bare)->Unit(benchmark::kMillisecond);
BENCHMARK(Search_Guide)->Unit(benchmark::kMillisecond);
BENCHMARK(Search_Bare)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchShortText_Guide)->Unit(benchmark::kMillisecond);
BENCHMARK(Distances_FillAndSort10000)->Unit(benchmark::kMillisecond);
BENCHMARK(SettingsRead_Guide)->Unit(benchmark::kMillisecond);
BENCHMARK(SettingsRead_Bytes)->Unit(benchmark::kMillisecond);
BENCHMARK(SettingsSave_Guide)->Unit(benchmark::kMillisecond);
BENCHMARK(SettingsSave_Bytes)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    UserDefaults::standardUserDefaults().useMemoryStore();
    const QString edition = QStringLiteral(GUIDE_SYNTHETIC_DIR);
    QString error;
    if (!SyntheticEdition::ensure(edition, {}, &error)) {
        std::fprintf(stderr, "cannot make the synthetic edition: %s\n", error.toUtf8().constData());
        return 1;
    }
    QTemporaryDir documents;
    Paths::setResourceFolder(edition);
    Paths::setDocumentsFolder(documents.path());
    SQLDAL::connectToDatabase();
    sqlite3_open_v2(QFile::encodeName(SQLDAL::dataFilePath(u"Catalog.sqlite"_qs)).constData(), &bare,
                    SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX, nullptr);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    sqlite3_close(bare);
    SQLDAL::closeDatabase();
    return 0;
}
