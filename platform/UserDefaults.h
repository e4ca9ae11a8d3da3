#pragma once

#include <QString>
#include <QVariant>

// The reader's preferences ("distance", "temp", "shake") and other small values, as the phone's
// user-defaults store keeps them. The guide only reads them; the preview's menus and the tests set them.
// By default the values live in QSettings; useMemoryStore() switches to an empty store in memory so
// that a test never sees the desktop's values. Safe to call from any thread.
class UserDefaults {
public:
    static UserDefaults& standardUserDefaults();

    // A null QString when no value is stored under the key or the value is not text.
    QString stringForKey(const QString& key) const;
    // 0 when absent; the text read as an integer otherwise.
    int integerForKey(const QString& key) const;
    // An invalid QVariant when absent.
    QVariant objectForKey(const QString& key) const;

    void setObject(const QString& key, const QVariant& value);
    void removeObject(const QString& key);

    // Empties the store and keeps it in memory from now on.
    void useMemoryStore();
    // Switches back to QSettings with the given organisation and application names.
    void useSettingsStore(const QString& organization, const QString& application);

private:
    UserDefaults();
    struct Store;
    Store* store;
};
