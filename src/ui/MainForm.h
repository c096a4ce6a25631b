#pragma once

#include "app/CatalogLoader.h"
#include "app/StartupSequence.h"
#include "browse/BrowsingState.h"
#include "browse/ProductCard.h"
#include "common/CatalogSettings.h"
#include "common/DesktopShell.h"
#include "common/StartupMessages.h"
#include "common/UserPrompts.h"
#include "data/GroupNodeData.h"
#include "ui/MainFormLayout.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class Clock;
class Database;
class OrderArchive;
class SystemClock;
class TableStore;
class OrderBook;
class QShortcut;
class QuantityEntry;
class PriceView;
class SqlRowSource;
class TAppBigImage;
class TAppConfigForm;
class TAppKolForm;
class TAppOpenForm;
class TcsExchange;
class QtEventPump;
class OrderArchiveAccess;

// The catalog's main window. Its creation does all of start-up's work; closing it ends the
// program. It owns the browsing, product card and order-entry state and the dialogs.
class TAppMainForm : public QMainWindow {
    Q_OBJECT
public:
    struct Services {
        CatalogSettings &settings;
        StartupMessages &messages;
        UserPrompts &prompts;
        DesktopShell &shell;
        CatalogLoader &loader;
        Database &db;
        // The group tree the loader builds; none: the tree shows its root only.
        const GroupTreeNode *groupTree = nullptr;
        // The time of archived orders; none: the system clock.
        const Clock *clock = nullptr;
    };

    TAppMainForm(const Services &services, const StartupEnvironment &where,
                 QWidget *parent = nullptr);
    ~TAppMainForm() override;

    // Creation asked the program to end (a newer copy took over, or no working tables).
    bool endRequested() const { return m_endRequested; }
    const QString &baseCaption() const { return m_baseCaption; }
    const QString &helpFile() const { return m_helpFile; }

    // Runs when the window takes over from another non-modal window of ours: its first showing
    // and the end of a price update, never the close of a modal dialog.
    void FormActivate();
    // The help command: the help file opened with its application.
    void openHelp();

    // The controls, for the windows' tests.
    const MainFormLayout &controls() const { return m_ui; }
    TAppKolForm *kolForm() const { return m_kolForm; }
    TAppConfigForm *configForm() const { return m_configForm; }
    TAppOpenForm *openForm() const { return m_openForm; }
    TAppBigImage *bigImage() const { return m_bigImage; }
    OrderBook &orderBook() const { return *m_order; }
    const BrowsingState &browsing() const { return m_browsing; }

    // Toolbar commands and control handlers, named after their controls.
    void SpeedButton1Click(); // new order
    void SpeedButton3Click(); // save the order to the archive
    void SpeedButton2Click(); // the archive window
    void SpeedButton4Click(); // settings
    void SpeedButton7Click(); // product card on/off
    void lblMailToClick();
    // Order grid mode by IsInputKolByWindow: whole rows, or in-place editing of "Кол-во".
    void applyOrderGridMode();
    // Fills the group tree control from the tree of the last build.
    void fillGroupTree(const GroupTreeNode &root);
    // The price grid shows the rows of the browsing state's filter and sort.
    void applyPriceFilter();
    // Enter on a row of the price grid (or in the search box).
    void BeginKolEntry();

    // The exchange with the supplier's server and the export of the order.
    void ApplyExchangeSettings();
    void ShowExchangeMessage(const QString &msg);
    void ShowExchangeProgress(qint64 received, qint64 total);
    void btnGetNewPriceClick();
    void btnGetNewPicturesClick();
    void btnGetOnePictureClick();
    void SpeedButton6Click();
    TcsExchange &exchange() const { return *m_exchange; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate(const StartupEnvironment &where);
    void createDialogs();
    void connectControls();
    void installShortcuts();

    // Browsing.
    void vdtGroupsTreeFocusChanging(const QModelIndex &oldNode, const QModelIndex &newNode);
    void SerchTextChange(const QString &text);
    void CheckBox1Click(bool checked);
    void chbOnlyNewClick(bool checked);
    void DBGridEh1TitleClick(int section);
    bool DBGridEh1KeyDown(QKeyEvent *event);
    bool SerchTextKeyDown(QKeyEvent *event);
    void showSortMarker();
    void syncSearchBox();
    void PriceAfterScroll();
    void Image1Click();
    void btnSaveOnePictureClick();
    int currentPriceId() const;
    const Clock &clock() const;

    // Quantity entry and the order.
    void showKolDialog();
    void PriceAfterPost(int row, const QString &text);
    void PriceAfterCancel(bool cancelled);
    // Runs a line operation; a refused one (a quantity that is no number) is shown.
    void guarded(const std::function<void()> &operation);
    void endPriceEditing();
    bool grdZakazKeyDown(QKeyEvent *event);
    void ZakazPost(int row, const QString &text);
    void eProcChange(const QString &text);
    void zakazChanged();
    void orderedQuantitiesChanged();

    Services m_services;
    MainFormLayout m_ui;
    BrowsingState m_browsing;
    ProductCard m_card;
    std::unique_ptr<OrderBook> m_order;
    std::unique_ptr<PriceView> m_priceView;
    std::unique_ptr<SqlRowSource> m_priceRows;
    std::unique_ptr<SqlRowSource> m_zakazRows;
    std::unique_ptr<SystemClock> m_systemClock;
    std::unique_ptr<QtEventPump> m_pump;
    std::unique_ptr<TcsExchange> m_exchange;
    std::unique_ptr<TableStore> m_store;
    std::unique_ptr<OrderArchive> m_orderArchive;
    std::unique_ptr<OrderArchiveAccess> m_archive;

    // The quantity entry from both grids and the dialog, with its state.
    std::unique_ptr<QuantityEntry> m_entry;

    TAppKolForm *m_kolForm = nullptr;
    TAppConfigForm *m_configForm = nullptr;
    TAppOpenForm *m_openForm = nullptr;
    TAppBigImage *m_bigImage = nullptr;

    QString m_baseCaption;
    QString m_helpFile;
    QShortcut *m_helpShortcut = nullptr;
    bool m_endRequested = false;
    bool m_shown = false;
    bool m_syncingSearch = false;
};
