#pragma once

#include "app/CatalogDataLoader.h"
#include "app/StartupSequence.h"
#include "common/CatalogSettings.h"
#include "common/StartupMessages.h"
#include "data/Database.h"
#include "data/TableStore.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QModelIndex>
#include <QTimer>
#include <functional>
#include <memory>

class CatalogGrid;

// A real main window over the fixture catalog: the working folder and the program folder in a
// temporary folder, the exports imported through the data layer, prompts answered by script.
class MainWindowHarness {
public:
    // inputByWindow: the setting IsInputKolByWindow written before start-up.
    // catalogFolder: where the exports (and a "pictures" folder) come from; the fixture
    // catalog unless given.
    explicit MainWindowHarness(int inputByWindow = 1, const QString &catalogFolder = {});
    ~MainWindowHarness();

    TAppMainForm &window() { return *m_window; }
    const MainFormLayout &ui() { return m_window->controls(); }
    CatalogSettings &settings() { return m_settings; }
    ScriptedPrompts &prompts() { return m_prompts; }
    RecordingShell &shell() { return m_shell; }
    Database &db() { return m_loader.database(); }
    const TempDir &dir() const { return m_dir; }

    // The values of a grid's column, top to bottom, as shown.
    static QStringList column(CatalogGrid *grid, const QString &field);
    static QString cell(CatalogGrid *grid, int row, const QString &field);
    // Makes the product with this code the current row of the price grid.
    void selectProduct(const QString &code);
    // The tree node with this text.
    QModelIndex treeNode(const QString &name) const;
    // A single database value.
    QVariant scalar(const QString &sql);

private:
    TempDir m_dir;
    CatalogSettings m_settings;
    NoStartupMessages m_messages;
    ScriptedPrompts m_prompts;
    RecordingShell m_shell;
    CatalogDataLoader m_loader;
    std::unique_ptr<TAppMainForm> m_window;
};

// Types text that QTest cannot spell (Cyrillic) as key presses.
void typeText(QWidget *widget, const QString &text);
// The cell editor a grid has open, or nullptr.
class QAbstractItemView;
class QLineEdit;
QLineEdit *openEditor(QAbstractItemView *grid);
// Runs `action` on the next modal dialog once it is up (the caller then opens it with exec()).
void whenModal(std::function<void(QWidget *)> action);
