#pragma once

#include "app/CatalogLoader.h"
#include "data/Database.h"
#include "data/GroupNodeData.h"
#include "data/TableStore.h"

struct CatalogSettings;
class StartupMessages;
class UserPrompts;

// The catalog data steps of start-up and of the price update over the one in-memory database
// "MEMORY", which lives as long as this object. The group tree built last is kept for the
// main window to show.
class CatalogDataLoader : public CatalogLoader {
public:
    CatalogDataLoader();
    // The settings, the splash line and the prompts to use; set before the first step runs.
    void setServices(const CatalogSettings &settings, StartupMessages &messages,
                     UserPrompts &prompts);

    // A failed import is shown as an error and changes nothing, so the start goes on with the
    // working files of the last good import.
    void importPriceAndClasses() override;
    // Missing "Price.lst" or "Class.lst": the message is shown and false returned.
    bool loadWorkingTables() override;
    void buildGroupTree() override;

    Database &database() { return m_db; }
    TableStore &tables() { return m_tables; }
    const GroupTreeNode &groupTree() const { return m_groupTree; }

private:
    const CatalogSettings &settings() const;

    Database m_db;
    TableStore m_tables{m_db};
    GroupTreeNode m_groupTree;
    const CatalogSettings *m_settings = nullptr;
    StartupMessages *m_messages = nullptr;
    UserPrompts *m_prompts = nullptr;
};
