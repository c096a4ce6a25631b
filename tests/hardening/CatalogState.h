#pragma once

#include "common/CatalogSettings.h"
#include "common/StartupMessages.h"
#include "data/Database.h"
#include "data/TableStore.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QString>
#include <map>

// A catalog as a shop has it: every table with rows, their working files, the settings file,
// the last exports and the picture folders, in a temporary working folder.
class CatalogState {
public:
    CatalogState();

    // Key (table, working file or folder listing) to a digest of its content.
    using Snapshot = std::map<QString, QString>;
    // The tables in memory, the working files as they load, the settings file's bytes and the
    // names in the working folder (leftovers of a failed write show up here).
    Snapshot snapshot();
    Snapshot tables();

    QString folder() const { return m_work.path(); }
    QString file(const QString &name) const { return m_work.file(name); }
    void write(const QString &name, const QByteArray &bytes) { m_work.write(name, bytes); }

    TempDir m_work;
    Database db;
    TableStore store{db};
    ScriptedPrompts prompts;
    NoStartupMessages messages;
    CatalogSettings settings;
};

// An export line of the price list with the given ID.
QByteArray priceLine(int id);
