#include "ui/CatalogProgram.h"

#include <QCoreApplication>

CatalogProgram::CatalogProgram(StartupEnvironment where, UserPrompts *prompts, DesktopShell *shell)
    : m_where(std::move(where)), m_prompts(prompts ? *prompts : m_ownPrompts),
      m_shell(shell ? *shell : m_ownShell)
{
    m_ownLoader = std::make_unique<CatalogDataLoader>();
    m_ownLoader->setServices(m_settings, m_splash, m_prompts);
    m_loader = m_dataLoader = m_ownLoader.get();
}

CatalogProgram::CatalogProgram(StartupEnvironment where, CatalogLoader &loader,
                               UserPrompts *prompts, DesktopShell *shell)
    : m_where(std::move(where)), m_prompts(prompts ? *prompts : m_ownPrompts),
      m_shell(shell ? *shell : m_ownShell), m_loader(&loader),
      m_dataLoader(dynamic_cast<CatalogDataLoader *>(&loader))
{
    if (!m_dataLoader)
        m_emptyTables = std::make_unique<CatalogDataLoader>();
}

CatalogProgram::~CatalogProgram() = default;

Database &CatalogProgram::database()
{
    return m_dataLoader ? m_dataLoader->database() : m_emptyTables->database();
}

bool CatalogProgram::start()
{
    m_splash.show();
    // Once, so the splash is on the screen before start-up keeps the thread busy.
    QCoreApplication::processEvents();
    // Not the display name: Qt would append it to every window caption.
    QCoreApplication::setApplicationName(QStringLiteral("FerrowCatalog"));

    m_mainForm = std::make_unique<TAppMainForm>(
        TAppMainForm::Services{m_settings, m_splash, m_prompts, m_shell, *m_loader, database(),
                               m_dataLoader ? &m_dataLoader->groupTree() : nullptr},
        m_where);
    m_ownPrompts.setParent(m_mainForm.get());
    m_splash.hide();
    if (m_mainForm->endRequested())
        return false;
    m_mainForm->show();
    return true;
}
