#include "ui/CatalogProgram.h"

#include "data/CatalogTables.h"

#include <QCoreApplication>

CatalogProgram::CatalogProgram(StartupEnvironment where, UserPrompts *prompts, DesktopShell *shell)
    : m_where(std::move(where)), m_prompts(prompts ? *prompts : m_ownPrompts),
      m_shell(shell ? *shell : m_ownShell), m_store(m_db)
{
    m_ownLoader = std::make_unique<TableCatalogLoader>(m_store, m_settings, m_splash, m_prompts);
    m_loader = m_ownLoader.get();
}

CatalogProgram::CatalogProgram(StartupEnvironment where, CatalogLoader &loader,
                               UserPrompts *prompts, DesktopShell *shell)
    : m_where(std::move(where)), m_prompts(prompts ? *prompts : m_ownPrompts),
      m_shell(shell ? *shell : m_ownShell), m_store(m_db), m_loader(&loader)
{
}

CatalogProgram::~CatalogProgram() = default;

bool CatalogProgram::start()
{
    m_splash.show();
    // Once, so the splash is on the screen before start-up keeps the thread busy.
    QCoreApplication::processEvents();
    // Not the display name: Qt would append it to every window caption.
    QCoreApplication::setApplicationName(QStringLiteral("FerrowCatalog"));

    // The windows read the tables from the start; the loader fills or replaces them.
    for (const TableDef *table : CatalogTables::all())
        m_store.create(table->name);

    m_mainForm = std::make_unique<TAppMainForm>(
        TAppMainForm::Services{m_settings, m_splash, m_prompts, m_shell, *m_loader, m_db,
                               m_ownLoader ? &m_ownLoader->groupTree() : nullptr},
        m_where);
    m_ownPrompts.setParent(m_mainForm.get());
    m_splash.hide();
    if (m_mainForm->endRequested())
        return false;
    m_mainForm->show();
    return true;
}
