#include "MainWindowHarness.h"

#include "TestPaths.h"
#include "data/Statement.h"
#include "ui/CatalogGrid.h"
#include "ui/GridTableModel.h"
#include "ui/GroupTreeModel.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>

using namespace Qt::StringLiterals;

MainWindowHarness::MainWindowHarness(int inputByWindow, const QString &catalogFolder)
{
    // The program folder holds the supplier's exports, as the first start finds them.
    const QString programFolder = m_dir.path() + u"program/"_s;
    const QString from =
        catalogFolder.isEmpty() ? QStringLiteral(FERROW_FIXTURES_DIR) + u"/ui/"_s : catalogFolder;
    for (const QString &name : {u"ExportPrice.csv"_s, u"ExportClass.csv"_s}) {
        QFile source(from + name);
        source.open(QIODevice::ReadOnly);
        m_dir.write(u"program/"_s + name, source.readAll());
    }
    const QDir pictures(from + u"pictures"_s);
    for (const QString &name : pictures.entryList({u"*.jpg"_s}, QDir::Files)) {
        QFile source(pictures.filePath(name));
        source.open(QIODevice::ReadOnly);
        m_dir.write(u"program/pictures/"_s + name, source.readAll());
    }
    // A settings file of an earlier run, so no first-run dialog interrupts the tests.
    const QString work = m_dir.path() + u"Application Data/FerrowCatalog/"_s;
    QDir().mkpath(work);
    m_dir.write(u"Application Data/FerrowCatalog/FerrowConfig.ini"_s,
                (u"[COMMON]\r\nPathBase="_s + programFolder + u"\r\nPathPicture="_s +
                 programFolder + u"pictures/\r\nIsInputKolByWindow="_s +
                 QString::number(inputByWindow) + u"\r\n"_s)
                    .toUtf8());

    StartupEnvironment where;
    where.env = QProcessEnvironment();
    where.env.insert(u"USERPROFILE"_s, m_dir.path());
    where.programPath = programFolder + u"ferrow-catalog"_s;

    m_loader.setServices(m_settings, m_messages, m_prompts);
    TAppMainForm::Services services{
        m_settings,          m_messages,           m_prompts, m_shell, m_loader,
        m_loader.database(), &m_loader.groupTree()};
    m_window = std::make_unique<TAppMainForm>(services, where);
    m_window->show();
    m_window->activateWindow();
    QApplication::processEvents();
}

MainWindowHarness::~MainWindowHarness()
{
    m_window.reset();
}

QStringList MainWindowHarness::column(CatalogGrid *grid, const QString &field)
{
    auto *model = static_cast<GridTableModel *>(grid->model());
    const int c = model->columnOfField(field);
    QStringList values;
    for (int r = 0; r < model->rowCount(); ++r)
        values << model->index(r, c).data().toString();
    return values;
}

QString MainWindowHarness::cell(CatalogGrid *grid, int row, const QString &field)
{
    auto *model = static_cast<GridTableModel *>(grid->model());
    return model->index(row, model->columnOfField(field)).data().toString();
}

void MainWindowHarness::selectProduct(const QString &code)
{
    CatalogGrid *grid = ui().DBGridEh1;
    const int row = int(column(grid, u"CODE"_s).indexOf(code));
    grid->setCurrentIndex(grid->model()->index(row, 0));
}

QModelIndex MainWindowHarness::treeNode(const QString &name) const
{
    const QAbstractItemModel *model = m_window->controls().treeModel;
    const QModelIndexList found = model->match(model->index(0, 0), Qt::DisplayRole, name, 1,
                                               Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

QVariant MainWindowHarness::scalar(const QString &sql)
{
    Statement q = db().prepare(sql);
    return q.step() ? q.columnValue(0) : QVariant();
}

void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

QLineEdit *openEditor(QAbstractItemView *grid)
{
    const QList<QLineEdit *> editors = grid->viewport()->findChildren<QLineEdit *>();
    for (QLineEdit *editor : editors)
        if (editor->isVisible())
            return editor;
    return nullptr;
}

void whenModal(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}
