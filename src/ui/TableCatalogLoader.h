#pragma once

#include "app/CatalogLoader.h"
#include "data/GroupNodeData.h"

struct CatalogSettings;
class StartupMessages;
class TableStore;
class UserPrompts;

// The catalog data steps of start-up over the in-memory tables: the import of the export
// files, the load of the working files and the group tree, which the main window then shows.
class TableCatalogLoader : public CatalogLoader {
public:
    TableCatalogLoader(TableStore &store, const CatalogSettings &settings,
                       StartupMessages &messages, UserPrompts &prompts);

    void importPriceAndClasses() override;
    bool loadWorkingTables() override;
    void buildGroupTree() override;

    // The tree of the last build.
    const GroupTreeNode &groupTree() const { return m_tree; }
    TableStore &store() { return m_store; }

private:
    TableStore &m_store;
    const CatalogSettings &m_settings;
    StartupMessages &m_messages;
    UserPrompts &m_prompts;
    GroupTreeNode m_tree;
};
