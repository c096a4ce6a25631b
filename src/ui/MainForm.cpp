#include "ui/MainForm.h"

#include "app/AppTitle.h"
#include "browse/PriceView.h"
#include "common/Clock.h"
#include "data/Database.h"
#include "data/TableStore.h"
#include "exchange/TcsExchange.h"
#include "order/OrderArchive.h"
#include "order/OrderBook.h"
#include "order/QuantityEntry.h"
#include "ui/ArchiveAccess.h"
#include "ui/BigImageForm.h"
#include "ui/CatalogGrid.h"
#include "ui/ConfigForm.h"
#include "ui/KolForm.h"
#include "ui/LimitedSplitter.h"
#include "ui/OpenForm.h"
#include "ui/OrderArchiveAccess.h"
#include "ui/QtEventPump.h"
#include "ui/SqlRowSource.h"
#include "ui/ZakazTableModel.h"

#include "ui/GroupTreeModel.h"
#include "ui/PictureView.h"
#include "ui/PriceTableModel.h"
#include "ui/SearchEdit.h"
#include "ui/TitleHeaderView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

constexpr int designedWidth = 1024;
constexpr int designedHeight = 760;
constexpr int designedMinHeight = 728;
constexpr int designedMaxWidth = 2048;

// The supplier's address for the mail link when the settings name none.
const QString DefaultSupplierMail = QStringLiteral("zakaz@ferrow.ru");

} // namespace

TAppMainForm::TAppMainForm(const Services &services, const StartupEnvironment &where,
                           QWidget *parent)
    : QMainWindow(parent), m_services(services)
{
    setObjectName(u"AppMainForm"_s);
    setWindowTitle(AppTitle());
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    m_ui.build(this);
    resize(designedWidth, designedHeight);
    setMinimumSize(designedWidth, designedMinHeight);
    setMaximumWidth(designedMaxWidth);

    m_order = std::make_unique<OrderBook>(m_services.db);
    m_entry = std::make_unique<QuantityEntry>(*m_order, m_services.prompts);
    m_systemClock = std::make_unique<SystemClock>();
    m_pump = std::make_unique<QtEventPump>();
    m_exchange = std::make_unique<TcsExchange>(m_services.prompts, clock(), m_pump.get());
    m_exchange->OncsMessage = [this](const QString &msg) { ShowExchangeMessage(msg); };
    m_exchange->OncsStopButton = [this](bool visible) {
        m_ui.btnExchangeCancel->setVisible(visible);
    };
    m_exchange->OncsProgress = [this](qint64 received, qint64 total) {
        ShowExchangeProgress(received, total);
    };
    m_store = std::make_unique<TableStore>(m_services.db);
    m_priceView = std::make_unique<PriceView>(m_services.db);
    m_priceRows = std::make_unique<SqlRowSource>(m_services.db, u"price"_s);
    m_zakazRows = std::make_unique<SqlRowSource>(m_services.db, u"zakaz"_s);
    m_ui.priceModel->setSource(m_priceRows.get());
    m_ui.zakazModel->setSource(m_zakazRows.get());

    connectControls();
    installShortcuts();
    FormCreate(where);
    // The archive's working files are known once start-up has set the working folder.
    m_orderArchive = std::make_unique<OrderArchive>(
        *m_order, *m_store, m_services.prompts,
        m_services.clock ? *m_services.clock : *m_systemClock, m_services.settings);
    m_archive = std::make_unique<ArchiveAccess>(*m_orderArchive);
    createDialogs();
}

TAppMainForm::~TAppMainForm() = default;

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
        fillGroupTree(m_services.groupTree
                          ? *m_services.groupTree
                          : GroupTreeNode{GroupNodeData::make(u"ВСЕ ТОВАРЫ"_s, -1, -1), {}});
        applyPriceFilter();
        zakazChanged();
        break;
    case StartupSequence::Outcome::HandedOff:
        m_endRequested = true;
        break;
    case StartupSequence::Outcome::MustEnd:
        m_endRequested = true;
        return; // the rest of start-up is skipped
    }
    // The card shows from the first showing on (SpeedButton7 toggles it back).
    m_ui.Panel2->hide();
    ApplyExchangeSettings();
    m_ui.lblMailTo->setText(m_services.settings.MailForsend.trimmed().isEmpty()
                                ? DefaultSupplierMail
                                : m_services.settings.MailForsend.trimmed());
}

void TAppMainForm::createDialogs()
{
    m_kolForm = new TAppKolForm(this);
    m_configForm = new TAppConfigForm(m_services.settings, m_services.prompts, this);
    m_configForm->onSaved = [this] {
        applyOrderGridMode();
        update();
    };
    m_openForm = new TAppOpenForm(this);
    m_openForm->setArchive(m_archive.get());
    m_bigImage = new TAppBigImage(this);
}

void TAppMainForm::connectControls()
{
    connect(m_ui.SpeedButton1, &QToolButton::clicked, this, &TAppMainForm::SpeedButton1Click);
    connect(m_ui.SpeedButton3, &QToolButton::clicked, this, &TAppMainForm::SpeedButton3Click);
    connect(m_ui.SpeedButton2, &QToolButton::clicked, this, &TAppMainForm::SpeedButton2Click);
    connect(m_ui.SpeedButton4, &QToolButton::clicked, this, &TAppMainForm::SpeedButton4Click);
    connect(m_ui.SpeedButton7, &QToolButton::clicked, this, &TAppMainForm::SpeedButton7Click);
    connect(m_ui.SpeedButton8, &QToolButton::clicked, this, &TAppMainForm::openHelp);
    connect(m_ui.SpeedButton9, &QToolButton::clicked, this, &QWidget::close);

    connect(m_ui.SpeedButton6, &QToolButton::clicked, this, &TAppMainForm::SpeedButton6Click);
    connect(m_ui.btnGetNewPrice, &QToolButton::clicked, this, &TAppMainForm::btnGetNewPriceClick);
    connect(m_ui.btnGetNewPictures, &QToolButton::clicked, this,
            &TAppMainForm::btnGetNewPicturesClick);
    connect(m_ui.btnGetOnePicture, &QPushButton::clicked, this,
            &TAppMainForm::btnGetOnePictureClick);
    connect(m_ui.btnExchangeCancel, &QPushButton::clicked, this, [this] { m_exchange->Stop(); });

    m_ui.lblMailTo->installEventFilter(this);

    m_ui.Splitter1->canResize = [](int orderPanelHeight) { return orderPanelHeight >= 210; };
    m_ui.Splitter2->canResize = [](int treePanelWidth) { return treePanelWidth >= 200; };

    // Browsing.
    connect(m_ui.vdtGroupsTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                vdtGroupsTreeFocusChanging(previous, current);
            });
    connect(m_ui.SerchText, &QLineEdit::textChanged, this, &TAppMainForm::SerchTextChange);
    connect(m_ui.CheckBox1, &QCheckBox::toggled, this, &TAppMainForm::CheckBox1Click);
    connect(m_ui.chbOnlyNew, &QCheckBox::toggled, this, &TAppMainForm::chbOnlyNewClick);
    connect(m_ui.DBGridEh1->titles(), &QHeaderView::sectionClicked, this,
            &TAppMainForm::DBGridEh1TitleClick);
    m_ui.DBGridEh1->keyHandler = [this](QKeyEvent *e) { return DBGridEh1KeyDown(e); };
    m_ui.SerchText->installEventFilter(this);
    connect(m_ui.DBGridEh1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { PriceAfterScroll(); });
    connect(m_ui.Image1, &PictureView::clicked, this, &TAppMainForm::Image1Click);
    connect(m_ui.btnSaveOnePicture, &QPushButton::clicked, this,
            &TAppMainForm::btnSaveOnePictureClick);

    // Quantity entry and the order.
    m_ui.priceModel->onCommit = [this](int row, const QString &text) { PriceAfterPost(row, text); };
    connect(m_ui.DBGridEh1->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget *, QAbstractItemDelegate::EndEditHint hint) {
                PriceAfterCancel(hint == QAbstractItemDelegate::RevertModelCache);
            });
    m_ui.grdZakaz->keyHandler = [this](QKeyEvent *e) { return grdZakazKeyDown(e); };
    m_ui.zakazModel->onCommit = [this](int row, const QString &text) { ZakazPost(row, text); };
    connect(m_ui.eProc, &QLineEdit::textChanged, this, &TAppMainForm::eProcChange);
    connect(m_order.get(), &OrderBook::linesChanged, this, &TAppMainForm::zakazChanged);
    connect(m_order.get(), &OrderBook::orderedQuantitiesChanged, this,
            &TAppMainForm::orderedQuantitiesChanged);
    connect(m_order.get(), &OrderBook::discountTextChanged, this, [this](const QString &text) {
        if (m_ui.eProc->text() != text)
            m_ui.eProc->setText(text);
    });
}

void TAppMainForm::installShortcuts()
{
    // Beyond the toolbar's hints: the keys desktop users expect for these commands.
    const std::pair<QKeySequence, QToolButton *> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), m_ui.SpeedButton1},
        {QKeySequence(Qt::CTRL | Qt::Key_S), m_ui.SpeedButton3},
        {QKeySequence(Qt::CTRL | Qt::Key_O), m_ui.SpeedButton2},
        {QKeySequence(Qt::CTRL | Qt::Key_E), m_ui.SpeedButton6},
        {QKeySequence(Qt::Key_F5), m_ui.btnGetNewPrice},
        {QKeySequence(Qt::SHIFT | Qt::Key_F5), m_ui.btnGetNewPictures},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), m_ui.SpeedButton9},
    };
    for (const auto &[sequence, button] : keys) {
        auto *shortcut = new QShortcut(sequence, this);
        QToolButton *target = button;
        connect(shortcut, &QShortcut::activated, target, [target] { target->click(); });
    }
}

void TAppMainForm::FormActivate()
{
    // Numbers are always converted with QLocale::c(), so there is no separator to set here.
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect workArea = screen->availableGeometry();
        if (workArea.width() < 1000)
            setMaximumWidth(QWIDGETSIZE_MAX);
        // A work area narrower than the design must still show the whole window.
        setMinimumWidth(std::min(designedWidth, workArea.width()));
        setGeometry(workArea.left(), workArea.top(), std::min(workArea.width(), maximumWidth()),
                    height());
    }
    // The packaging titles.
    m_ui.priceModel->setTitle(m_ui.priceModel->columnOfField(u"ST1"_s), u"Вложение|упаковка"_s);
    m_ui.priceModel->setTitle(m_ui.priceModel->columnOfField(u"ST2"_s), u"Вложение|блок"_s);
    m_ui.priceModel->setTitle(m_ui.priceModel->columnOfField(u"ST3"_s), u"Вложение|коробка"_s);
    applyOrderGridMode();
    if (m_services.settings.FirstRun && m_configForm) {
        // Once the window has painted itself, so the dialog does not stand on an empty screen;
        // closing it clears FirstRun.
        QTimer::singleShot(0, this, [this] {
            if (m_services.settings.FirstRun)
                m_configForm->exec();
        });
    }
    m_ui.DBGridEh1->setFocus();
    m_browsing.activate();
    showSortMarker();
    applyPriceFilter();
    m_ui.DBGridEh1->fitColumns();
    // The root is selected without moving the focus, so the filter stays as it is.
    const QModelIndex root = m_ui.treeModel->index(0, 0);
    if (root.isValid()) {
        m_ui.vdtGroupsTree->selectionModel()->select(root, QItemSelectionModel::ClearAndSelect);
        m_ui.vdtGroupsTree->viewport()->update();
    }
}

void TAppMainForm::applyOrderGridMode()
{
    m_entry->setInputKolByWindow(m_services.settings.IsInputKolByWindow);
    const bool byWindow = m_entry->dialogMode();
    m_ui.grdZakaz->setRowSelectMode(byWindow);
    m_ui.zakazModel->setEditing(!byWindow);
    if (!byWindow)
        m_ui.grdZakaz->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                                       QAbstractItemView::EditKeyPressed |
                                       QAbstractItemView::DoubleClicked);
    m_ui.grdZakaz->viewport()->update();
}

void TAppMainForm::SpeedButton4Click()
{
    m_configForm->exec();
    ApplyExchangeSettings();
}

void TAppMainForm::SpeedButton7Click()
{
    m_ui.Panel2->setVisible(!m_ui.Panel2->isVisible());
    m_ui.SpeedButton7->setChecked(m_ui.Panel2->isVisible());
}

void TAppMainForm::lblMailToClick()
{
    // Nothing is reported when no mail program takes the address.
    m_services.shell.openUrl(u"mailto:"_s + m_ui.lblMailTo->text());
}

void TAppMainForm::openHelp()
{
    // Nothing is reported when the help file is missing.
    if (!m_helpFile.isEmpty())
        m_services.shell.openDocument(m_helpFile);
}

bool TAppMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.lblMailTo && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        lblMailToClick();
        return true;
    }
    if (watched == m_ui.SerchText && event->type() == QEvent::KeyPress)
        return SerchTextKeyDown(static_cast<QKeyEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

void TAppMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        SpeedButton7Click();
        m_ui.SpeedButton7->setChecked(true);
        FormActivate();
    }
}

void TAppMainForm::closeEvent(QCloseEvent *event)
{
    // A transfer still waiting must not outlive the window it reports to.
    if (m_exchange->Running())
        m_exchange->Abort();
    delete m_helpShortcut;
    m_helpShortcut = nullptr;
    m_helpFile.clear();
    QMainWindow::closeEvent(event);
}
