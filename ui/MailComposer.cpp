#include "ui/MailComposer.h"

#include "ui/Application.h"

#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

namespace MailComposer {

void compose(const QStringList& recipients, const QString& subject, QObject* context,
             std::function<void(Result)> didFinish) {
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(recipients.join(u','));
    if (!subject.isEmpty()) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("subject"), subject);
        url.setQuery(query);
    }
    const Result result = Application::openURL(url) ? Result::Sent : Result::Failed;
    QPointer<QObject> guard(context);
    QTimer::singleShot(0, [guard, didFinish, result] {
        if (guard && didFinish)
            didFinish(result);
    });
}

} // namespace MailComposer
