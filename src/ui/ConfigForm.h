#pragma once

#include "common/CatalogSettings.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class PortEdit;
class UserPrompts;

// The settings dialog: edits the settings record, saves it to the settings file.
class TAppConfigForm : public QDialog {
    Q_OBJECT
public:
    TAppConfigForm(CatalogSettings &settings, UserPrompts &prompts, QWidget *parent = nullptr);

    // Run after a save changed the record, so the main window applies the order grid mode.
    std::function<void()> onSaved;
    // The folder picker; replaced by tests. Arguments: title, preselected folder (may be empty).
    std::function<QString(const QString &title, const QString &folder)> pickFolder;

    // The proxy list positions and the codes they stand for.
    static int proxyItemOf(const CatalogSettings &settings, int currentItem);
    static void applyProxyItem(CatalogSettings &settings, int item);

    void SpeedButton2Click(); // "Сохранить"
    void SpeedButton1Click(); // "Отмена"

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildInfoPage();
    QWidget *buildSystemPage();
    QWidget *buildConnectionPage();
    QLineEdit *addEdit(class QGridLayout *grid, int row, const QString &label,
                       const QString &field);
    void fill();
    void chooseFolder(QLineEdit *edit, const QString &title);

    CatalogSettings &m_settings;
    UserPrompts &m_prompts;

    QTabWidget *m_pages = nullptr;
    QGroupBox *m_postGroup = nullptr;
    QLineEdit *m_org[7] = {};
    QLineEdit *m_post[7] = {};
    QLineEdit *m_pathBase = nullptr;
    QLineEdit *m_pathPicture = nullptr;
    QCheckBox *m_importOnStart = nullptr;
    QCheckBox *m_inputKolByWindow = nullptr;
    QLineEdit *m_host = nullptr;
    PortEdit *m_port = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QCheckBox *m_passive = nullptr;
    QLineEdit *m_proxyHost = nullptr;
    PortEdit *m_proxyPort = nullptr;
    QLineEdit *m_proxyUser = nullptr;
    QLineEdit *m_proxyPassword = nullptr;
    QComboBox *m_proxyType = nullptr;
};
