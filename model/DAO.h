#pragma once

#include "model/AppState.h"
#include "model/ManagerModel.h"

#include <QString>
#include <memory>

// Reads and writes manager.csv. The working copy lives in the documents folder; the shipped copy in
// the edition's resource folder seeds it and replaces it when the edition carries a later release
// date. Only the user-interface thread uses it.
class DAO {
public:
    DAO(); // reads "manager.csv" once
    ~DAO();

    // Reads the file into the one record and returns it (the same record on every call).
    ManagerModel* readSettingsFromFile(const QString& fileName);
    // Replaces the working copy with the record's 27 values, atomically. False (and logged) when the
    // file could not be written; the old copy then stands.
    bool saveSettings(const ManagerModel& record);

    AppState readStateOfApp() const;

    ManagerModel* manager() const { return record.get(); }

    // The bytes saveSettings writes for a record.
    static QByteArray settingsFileBytes(const ManagerModel& record);
    // The data row of a settings text, or none.
    static std::optional<QStringList> dataRow(const QString& path);

private:
    std::unique_ptr<ManagerModel> record;
};

// The reader's settings: manager.csv read afresh into the process's one record.
ManagerModel* readerSettings();

// The one access point to the settings in the process.
class DAOFactory {
public:
    static DAOFactory* getInstance();

    ManagerModel* readSettingsFromFile(const QString& fileName);
    bool saveSettings(const ManagerModel& record);

    DAO* dao() const { return daoObject.get(); }
    void setDao(std::unique_ptr<DAO> newDao) { daoObject = std::move(newDao); }

    // Forgets the instance so that the next getInstance starts afresh, as a new process would.
    // For tests and tools that switch editions; no screen may hold the old record afterwards.
    static void resetInstance();

private:
    DAOFactory();
    std::unique_ptr<DAO> daoObject;
};
