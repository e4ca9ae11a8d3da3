#include "platform/UserDefaults.h"

#include "platform/TextValues.h"

#include <QMutex>
#include <QSettings>
#include <memory>

struct UserDefaults::Store {
    mutable QMutex mutex;
    std::unique_ptr<QSettings> settings; // null: the memory store is used
    QVariantMap memory;
};

UserDefaults::UserDefaults() : store(new Store) {
    store->settings = std::make_unique<QSettings>("cityguide", "cityguide");
}

UserDefaults& UserDefaults::standardUserDefaults() {
    // Never destroyed: pages may read preferences while the process exits.
    static UserDefaults* defaults = new UserDefaults;
    return *defaults;
}

QVariant UserDefaults::objectForKey(const QString& key) const {
    QMutexLocker lock(&store->mutex);
    if (store->settings)
        return store->settings->value(key);
    return store->memory.value(key);
}

QString UserDefaults::stringForKey(const QString& key) const {
    const QVariant value = objectForKey(key);
    if (!value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
        return value.toString();
    default:
        return {};
    }
}

int UserDefaults::integerForKey(const QString& key) const {
    return intValueOfText(stringForKey(key));
}

void UserDefaults::setObject(const QString& key, const QVariant& value) {
    QMutexLocker lock(&store->mutex);
    if (store->settings)
        store->settings->setValue(key, value);
    else
        store->memory.insert(key, value);
}

void UserDefaults::removeObject(const QString& key) {
    QMutexLocker lock(&store->mutex);
    if (store->settings)
        store->settings->remove(key);
    else
        store->memory.remove(key);
}

void UserDefaults::useMemoryStore() {
    QMutexLocker lock(&store->mutex);
    store->settings.reset();
    store->memory.clear();
}

void UserDefaults::useSettingsStore(const QString& organization, const QString& application) {
    QMutexLocker lock(&store->mutex);
    store->settings = std::make_unique<QSettings>(organization, application);
}
