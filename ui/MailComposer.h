#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

// The phone's mail composer: here the message is handed to the desktop's mail program as a mailto:
// address. The result is told back at the next turn of the event loop, unless the context is gone.
namespace MailComposer {

enum class Result { Sent, Failed };

void compose(const QStringList& recipients, const QString& subject, QObject* context,
             std::function<void(Result)> didFinish);

} // namespace MailComposer
