#include "ui/MainForm.h"

#include "app/AppTitle.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>

namespace {

constexpr int designedWidth = 1024;
constexpr int designedHeight = 760;
constexpr int designedMinHeight = 728;
constexpr int designedMaxWidth = 2048;

} // namespace

TAppMainForm::TAppMainForm(const Services &services, const StartupEnvironment &where,
                           QWidget *parent)
    : QMainWindow(parent), m_services(services)
{
    setObjectName(QStringLiteral("AppMainForm"));
    setWindowTitle(AppTitle());
    setCentralWidget(new QWidget(this));
    resize(designedWidth, designedHeight);
    setMinimumSize(designedWidth, designedMinHeight);
    setMaximumWidth(designedMaxWidth);
    FormCreate(where);
}

void TAppMainForm::FormCreate(const StartupEnvironment &where)
{
    m_baseCaption = windowTitle();

    StartupSequence startup(m_services.settings, m_services.messages, m_services.prompts,
                            m_services.shell, m_services.loader);
    const StartupSequence::Outcome outcome = startup.run(where, m_baseCaption);
    m_helpFile = startup.helpFile();
    m_helpShortcut = new QShortcut(QKeySequence::HelpContents, this);
    connect(m_helpShortcut, &QShortcut::activated, this, &TAppMainForm::openHelp);

    switch (outcome) {
    case StartupSequence::Outcome::Ready:
        setWindowTitle(startup.caption());
        break;
    case StartupSequence::Outcome::HandedOff:
        m_endRequested = true;
        break;
    case StartupSequence::Outcome::MustEnd:
        m_endRequested = true;
        return; // the rest of start-up is skipped
    }
}

void TAppMainForm::FormActivate()
{
    // Numbers are always converted with QLocale::c(), so there is no separator to set here.
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect workArea = screen->availableGeometry();
    if (workArea.width() < 1000)
        setMaximumWidth(QWIDGETSIZE_MAX);
    // A work area narrower than the design must still show the whole window.
    setMinimumWidth(std::min(designedWidth, workArea.width()));
    setGeometry(workArea.left(), workArea.top(), std::min(workArea.width(), maximumWidth()),
                height());
}

void TAppMainForm::openHelp()
{
    if (!m_helpFile.isEmpty())
        m_services.shell.openDocument(m_helpFile);
}

void TAppMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormActivate();
    }
}

void TAppMainForm::closeEvent(QCloseEvent *event)
{
    delete m_helpShortcut;
    m_helpShortcut = nullptr;
    m_helpFile.clear();
    QMainWindow::closeEvent(event);
}
