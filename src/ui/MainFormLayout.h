#pragma once

class CatalogGrid;
class GroupTreeModel;
class LimitedSplitter;
class PictureView;
class PriceTableModel;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QToolBar;
class QToolButton;
class QTreeView;
class QWidget;
class SearchEdit;
class ZakazTableModel;

// The controls of the main window, built once, named as the window's handlers know them.
struct MainFormLayout {
    // Builds every control into the window.
    void build(QMainWindow *window);

    QToolBar *ToolBar1 = nullptr;
    QToolButton *SpeedButton1 = nullptr;   // new order
    QToolButton *SpeedButton3 = nullptr;   // save to the archive
    QToolButton *SpeedButton2 = nullptr;   // archive
    QToolButton *SpeedButton6 = nullptr;   // export
    QToolButton *btnGetNewPrice = nullptr; // price update
    QToolButton *btnGetNewPictures = nullptr;
    QToolButton *SpeedButton4 = nullptr; // settings
    QToolButton *SpeedButton7 = nullptr; // product card on/off
    QToolButton *SpeedButton8 = nullptr; // help
    QToolButton *SpeedButton9 = nullptr; // close
    QFrame *pnlExchange = nullptr;
    QLabel *lblcsMsg = nullptr;
    QPushButton *btnExchangeCancel = nullptr;
    // The bytes of the running transfer (its percentage when the size is known).
    QProgressBar *pbExchange = nullptr;

    QStatusBar *StatusBar1 = nullptr;
    LimitedSplitter *Splitter1 = nullptr;
    LimitedSplitter *Splitter2 = nullptr;

    QWidget *pZakaz = nullptr;
    CatalogGrid *grdZakaz = nullptr;
    ZakazTableModel *zakazModel = nullptr;
    QWidget *pZakazInfo = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *eProc = nullptr;
    QLabel *lblMailTo = nullptr;

    QWidget *pTree = nullptr;
    QTreeView *vdtGroupsTree = nullptr;
    GroupTreeModel *treeModel = nullptr;
    QCheckBox *CheckBox1 = nullptr;

    QWidget *pPrice = nullptr;
    CatalogGrid *DBGridEh1 = nullptr;
    PriceTableModel *priceModel = nullptr;
    QWidget *pSearch = nullptr;
    SearchEdit *SerchText = nullptr;
    QCheckBox *chbOnlyNew = nullptr;

    QWidget *Panel2 = nullptr;
    QFrame *Panel4 = nullptr;
    QLabel *ImageNull = nullptr;
    PictureView *Image1 = nullptr;
    QPushButton *btnGetOnePicture = nullptr;
    QPushButton *btnSaveOnePicture = nullptr;
    QLineEdit *DBEditEh1 = nullptr;
    QPlainTextEdit *DBMemo1 = nullptr;
    QLineEdit *edtCena = nullptr;
};
