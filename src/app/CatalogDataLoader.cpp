#include "app/CatalogDataLoader.h"

#include <stdexcept>

#include "common/CatalogSettings.h"
#include "common/StartupMessages.h"
#include "common/UserPrompts.h"
#include "data/CatalogTables.h"
#include "data/GroupTreeBuild.h"
#include "data/ImportError.h"
#include "data/PriceImport.h"
#include "data/WorkingTablesLoad.h"

CatalogDataLoader::CatalogDataLoader()
{
    // The tables exist from the start, as the window's table components do.
    for (const TableDef *table : CatalogTables::all())
        m_tables.create(table->name);
}

void CatalogDataLoader::setServices(const CatalogSettings &settings, StartupMessages &messages,
                                    UserPrompts &prompts)
{
    m_settings = &settings;
    m_messages = &messages;
    m_prompts = &prompts;
}

const CatalogSettings &CatalogDataLoader::settings() const
{
    if (!m_settings || !m_messages || !m_prompts)
        throw std::logic_error("CatalogDataLoader used before setServices");
    return *m_settings;
}

void CatalogDataLoader::importPriceAndClasses()
{
    const CatalogSettings &s = settings();
    try {
        ImportPriceAndClasses(m_tables, s.WorkFolder, s.PriceExportFileName, s.ClassExportFileName,
                              *m_messages, *m_prompts);
    } catch (const ImportError &e) {
        m_prompts->error(QString::fromUtf8(e.what()));
    }
}

bool CatalogDataLoader::loadWorkingTables()
{
    const CatalogSettings &s = settings();
    try {
        LoadWorkingTables(m_tables, s.WorkFolder, *m_messages);
    } catch (const MissingWorkingTablesError &e) {
        m_prompts->error(e.text());
        return false;
    }
    return true;
}

void CatalogDataLoader::buildGroupTree()
{
    m_groupTree = BuildGroupTree(m_tables, settings().WorkFolder, *m_messages);
}
