#include "ui/TableCatalogLoader.h"

#include "common/CatalogSettings.h"
#include "common/UserPrompts.h"
#include "data/GroupTreeBuild.h"
#include "data/PriceImport.h"
#include "data/TableStore.h"
#include "data/WorkingTablesLoad.h"

TableCatalogLoader::TableCatalogLoader(TableStore &store, const CatalogSettings &settings,
                                       StartupMessages &messages, UserPrompts &prompts)
    : m_store(store), m_settings(settings), m_messages(messages), m_prompts(prompts)
{
}

void TableCatalogLoader::importPriceAndClasses()
{
    ImportPriceAndClasses(m_store, m_settings.WorkFolder, m_settings.PriceExportFileName,
                          m_settings.ClassExportFileName, m_messages, m_prompts);
}

bool TableCatalogLoader::loadWorkingTables()
{
    try {
        LoadWorkingTables(m_store, m_settings.WorkFolder, m_messages);
    } catch (const MissingWorkingTablesError &e) {
        m_prompts.error(e.text());
        return false;
    }
    return true;
}

void TableCatalogLoader::buildGroupTree()
{
    m_tree = BuildGroupTree(m_store, m_settings.WorkFolder, m_messages);
}
