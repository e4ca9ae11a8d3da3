// cityguide-test-saver settings|bookmarks DOCUMENTS EDITION: saves the settings file or the bookmarks
// over and over, each time whole and different, until it is killed. The kill test stops it at random
// moments and checks that the file it finds is always one whole version.

#include "model/Bookmarks.h"
#include "model/DAO.h"
#include "model/ManagerModel.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || (args[1] != u"settings" && args[1] != u"bookmarks")) {
        std::fprintf(stderr, "usage: cityguide-test-saver settings|bookmarks DOCUMENTS EDITION\n");
        return 2;
    }
    Paths::setDocumentsFolder(args[2]);
    Paths::setResourceFolder(args[3]);
    bool announced = false;
    for (int round = 0;; ++round) {
        bool saved = false;
        if (args[1] == u"settings") {
            ManagerModel* model =
                DAOFactory::getInstance()->readSettingsFromFile(QStringLiteral("manager.csv"));
            // A large value makes each save long enough to be cut in the middle.
            model->setInfoNameEnglish(QStringLiteral("Version %1").arg(round));
            model->setUserCurrencyValues(QString(200'000, QChar(u'0' + round % 10)));
            saved = DAOFactory::getInstance()->saveSettings(*model);
        } else {
            // A growing list, the oldest dropped after fifty.
            saved = Bookmarks::add(QStringLiteral("Venue %1").arg(round, 6, 10, QChar(u'0')));
            if (round >= 50)
                Bookmarks::removeEntryFor(QStringLiteral("Venue %1").arg(round - 50, 6, 10, QChar(u'0')));
        }
        if (saved && !announced) {
            std::puts("saving");
            std::fflush(stdout);
            announced = true;
        }
    }
}
