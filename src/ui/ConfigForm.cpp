#include "ui/ConfigForm.h"

#include "app/SettingsFile.h"
#include "common/UserPrompts.h"
#include "ui/PortEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

using namespace Qt::StringLiterals;

namespace {

// Folders are kept with a trailing separator; an empty entry becomes a lone one.
QString withTrailingSeparator(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QString separator = QDir::separator();
    return trimmed.endsWith(separator) ? trimmed : trimmed + separator;
}

const char *const CustomerLabels[7] = {
    "Наименование:", "Адресс:", "ИНН:", "КПП:", "Контактное лицо:", "Телефоны:", "E-Mail:"};

} // namespace

TAppConfigForm::TAppConfigForm(CatalogSettings &settings, UserPrompts &prompts, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_settings(settings), m_prompts(prompts)
{
    setObjectName(u"AppConfigForm"_s);
    setWindowTitle(u"Настройки"_s);
    setModal(true);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(u"pgCofigs"_s);
    m_pages->addTab(buildInfoPage(), u"Информационные"_s);
    m_pages->addTab(buildSystemPage(), u"Системные"_s);
    m_pages->addTab(buildConnectionPage(), u"Связь"_s);

    auto *buttons = new QWidget(this);
    buttons->setObjectName(u"pButtons"_s);
    auto *save = new QPushButton(u"Сохранить"_s, buttons);
    save->setObjectName(u"SpeedButton2"_s);
    auto *cancel = new QPushButton(u"Отмена"_s, buttons);
    cancel->setObjectName(u"SpeedButton1"_s);
    save->setAutoDefault(false);
    cancel->setAutoDefault(false);
    auto *buttonRow = new QHBoxLayout(buttons);
    buttonRow->setContentsMargins(0, 4, 0, 0);
    buttonRow->addStretch();
    buttonRow->addWidget(save);
    buttonRow->addWidget(cancel);
    connect(save, &QPushButton::clicked, this, &TAppConfigForm::SpeedButton2Click);
    connect(cancel, &QPushButton::clicked, this, &TAppConfigForm::SpeedButton1Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    // A fixed single border: the dialog keeps the size its contents need.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    pickFolder = [this](const QString &title, const QString &folder) {
        return QFileDialog::getExistingDirectory(this, title, folder);
    };
}

QLineEdit *TAppConfigForm::addEdit(QGridLayout *grid, int row, const QString &label,
                                   const QString &field)
{
    auto *caption = new QLabel(label);
    auto *edit = new QLineEdit;
    edit->setObjectName(u"e"_s + field);
    edit->setMinimumWidth(360);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

QWidget *TAppConfigForm::buildInfoPage()
{
    auto *page = new QWidget;
    page->setObjectName(u"TabSheet1"_s);
    auto *layout = new QVBoxLayout(page);

    static const char *const OrgFields[7] = {"Orgname",        "OrgAdress", "OrgInn", "OrgKpp",
                                             "OrgContactFace", "OrgTels",   "OrgMail"};
    static const char *const PostFields[7] = {"PostName",   "PostAdress",      "PostInn",
                                              "PostKpp",    "PostContactFace", "PostTels",
                                              "MailForsend"};

    auto *customer = new QGroupBox(u"Покупатель"_s, page);
    customer->setObjectName(u"gbOrg"_s);
    auto *customerGrid = new QGridLayout(customer);
    for (int i = 0; i < 7; ++i)
        m_org[i] = addEdit(customerGrid, i, QString::fromUtf8(CustomerLabels[i]),
                           QString::fromLatin1(OrgFields[i]));
    layout->addWidget(customer);

    // The supplier's details come with the catalog: kept and saved, never edited.
    m_postGroup = new QGroupBox(u"Поставщик"_s, page);
    m_postGroup->setObjectName(u"gbPost"_s);
    auto *postGrid = new QGridLayout(m_postGroup);
    for (int i = 0; i < 7; ++i)
        m_post[i] = addEdit(postGrid, i, QString::fromUtf8(CustomerLabels[i]),
                            QString::fromLatin1(PostFields[i]));
    m_postGroup->hide();
    layout->addWidget(m_postGroup);
    layout->addStretch();
    return page;
}

QWidget *TAppConfigForm::buildSystemPage()
{
    auto *page = new QWidget;
    page->setObjectName(u"TabSheet2"_s);
    auto *layout = new QVBoxLayout(page);

    auto addFolder = [&](const QString &label, const QString &field, const QString &title) {
        layout->addWidget(new QLabel(label, page));
        auto *row = new QHBoxLayout;
        auto *edit = new QLineEdit(page);
        edit->setObjectName(u"e"_s + field);
        auto *pick = new QPushButton(u"..."_s, page);
        pick->setObjectName(u"btn"_s + field);
        pick->setFixedWidth(32);
        pick->setAutoDefault(false);
        row->addWidget(edit);
        row->addWidget(pick);
        layout->addLayout(row);
        connect(pick, &QPushButton::clicked, this,
                [this, edit, title] { chooseFolder(edit, title); });
        return edit;
    };
    m_pathBase = addFolder(u"Путь до файлов экспорта данных:"_s, u"PathBase"_s,
                           u"Укажите путь до файлов с данными"_s);
    m_pathPicture = addFolder(u"Путь до файлов изображений товаров:"_s, u"PathPicture"_s,
                              u"Укажите каталог с изображениями"_s);

    m_importOnStart = new QCheckBox(
        u"Всегда, при старте программы, автоматически импортировать новые данные c Web сервера"_s,
        page);
    m_importOnStart->setObjectName(u"chbIsImportOnStart"_s);
    m_inputKolByWindow = new QCheckBox(u"Ввод количества в заказ через окно диалога"_s, page);
    m_inputKolByWindow->setObjectName(u"chbIsInputKolByWindow"_s);
    layout->addSpacing(8);
    layout->addWidget(m_importOnStart);
    layout->addWidget(m_inputKolByWindow);
    layout->addStretch();
    return page;
}

QWidget *TAppConfigForm::buildConnectionPage()
{
    auto *page = new QWidget;
    page->setObjectName(u"TabSheet3"_s);
    auto *layout = new QVBoxLayout(page);

    auto addServerRows = [&](QGridLayout *grid, const QString &prefix, QLineEdit *&host,
                             PortEdit *&port, QLineEdit *&user, QLineEdit *&password) {
        host = new QLineEdit;
        host->setObjectName(u"e"_s + prefix + u"Host"_s);
        port = new PortEdit;
        port->setObjectName(u"e"_s + prefix + u"Port"_s);
        port->setFixedWidth(80);
        user = new QLineEdit;
        user->setObjectName(u"e"_s + prefix + u"UserName"_s);
        password = new QLineEdit;
        password->setObjectName(u"e"_s + prefix + u"Password"_s);
        password->setEchoMode(QLineEdit::Password);
        grid->addWidget(new QLabel(u"Хост:"_s), 0, 0);
        grid->addWidget(host, 0, 1);
        grid->addWidget(new QLabel(u"порт:"_s), 0, 2);
        grid->addWidget(port, 0, 3);
        grid->addWidget(new QLabel(u"Логин:"_s), 1, 0);
        grid->addWidget(user, 1, 1);
        grid->addWidget(new QLabel(u"пароль:"_s), 1, 2);
        grid->addWidget(password, 1, 3);
        grid->setColumnStretch(1, 1);
    };

    auto *www = new QGroupBox(u"WWW"_s, page);
    www->setObjectName(u"gbWWW"_s);
    auto *wwwGrid = new QGridLayout(www);
    addServerRows(wwwGrid, u"ConnectWWW"_s, m_host, m_port, m_user, m_password);
    m_host->setObjectName(u"eConnectHostWWW"_s);
    m_port->setObjectName(u"eConnectPortWWW"_s);
    m_user->setObjectName(u"eConnectUserNameWWW"_s);
    m_password->setObjectName(u"eConnectPasswordWWW"_s);
    m_passive = new QCheckBox(u"Пассивный режим"_s, www);
    m_passive->setObjectName(u"chbConnectPassive"_s);
    m_passive->hide();
    wwwGrid->addWidget(m_passive, 2, 1);
    layout->addWidget(www);

    auto *proxy = new QGroupBox(u"Параметры  Прокси"_s, page);
    proxy->setObjectName(u"gbProxy"_s);
    auto *proxyGrid = new QGridLayout(proxy);
    addServerRows(proxyGrid, u"Proxy"_s, m_proxyHost, m_proxyPort, m_proxyUser, m_proxyPassword);
    m_proxyType = new QComboBox(proxy);
    m_proxyType->setObjectName(u"cbProxyType"_s);
    m_proxyType->addItems({QString(), u"HTTP-прокси с поддержкой FTP"_s, u"Посылать команду OPEN"_s,
                           u"Посылать команду SITE (с входом в систему)"_s, u"Прозрачный"_s,
                           u"USER PASS"_s, u"USER SITE"_s, u"Socket5"_s});
    proxyGrid->addWidget(new QLabel(u"Тип прокси:"_s), 2, 0);
    proxyGrid->addWidget(m_proxyType, 2, 1, 1, 3);
    layout->addWidget(proxy);
    layout->addStretch();
    return page;
}

int TAppConfigForm::proxyItemOf(const CatalogSettings &settings, int currentItem)
{
    if (settings.UseSocks)
        return 7;
    switch (settings.ProxyKind) {
    case 0:
        return 0;
    case 1:
        return 6;
    case 2:
        return 3;
    case 3:
        return 2;
    case 4:
        return 5;
    case 5:
        return 4;
    case 8:
        return 1;
    default:
        return currentItem;
    }
}

void TAppConfigForm::applyProxyItem(CatalogSettings &settings, int item)
{
    settings.UseSocks = false;
    switch (item) {
    case 0:
        settings.ProxyKind = 0;
        break;
    case 1:
        settings.ProxyKind = 8;
        break;
    case 2:
        settings.ProxyKind = 3;
        break;
    case 3:
        settings.ProxyKind = 2;
        break;
    case 4:
        settings.ProxyKind = 5;
        break;
    case 5:
        settings.ProxyKind = 4;
        break;
    case 6:
        settings.ProxyKind = 1;
        break;
    case 7:
        settings.ProxyKind = 0;
        settings.UseSocks = true;
        break;
    default:
        break; // no selection: the kind stays
    }
}

void TAppConfigForm::showEvent(QShowEvent *event)
{
    // Refilled at every showing, so a cancelled edit never comes back.
    fill();
    QDialog::showEvent(event);
}

void TAppConfigForm::fill()
{
    m_pages->setCurrentIndex(0);
    const QString org[7] = {m_settings.Orgname, m_settings.OrgAdress,      m_settings.OrgInn,
                            m_settings.OrgKpp,  m_settings.OrgContactFace, m_settings.OrgTels,
                            m_settings.OrgMail};
    const QString post[7] = {m_settings.PostName,   m_settings.PostAdress,      m_settings.PostInn,
                             m_settings.PostKpp,    m_settings.PostContactFace, m_settings.PostTels,
                             m_settings.MailForsend};
    for (int i = 0; i < 7; ++i) {
        m_org[i]->setText(org[i]);
        m_post[i]->setText(post[i]);
    }
    m_pathBase->setText(m_settings.PathBase);
    m_pathPicture->setText(m_settings.PathPicture);
    m_host->setText(m_settings.ConnectHostWWW);
    m_port->setValue(m_settings.ConnectPortWWW);
    m_user->setText(m_settings.ConnectUserNameWWW);
    m_password->setText(m_settings.ConnectPasswordWWW);
    m_passive->setChecked(m_settings.ConnectPassive);
    m_proxyHost->setText(m_settings.ProxyHost);
    m_proxyPort->setValue(m_settings.ProxyPort);
    m_proxyUser->setText(m_settings.ProxyUserName);
    m_proxyPassword->setText(m_settings.ProxyPassword);
    m_proxyType->setCurrentIndex(proxyItemOf(m_settings, m_proxyType->currentIndex()));
    m_importOnStart->setChecked(m_settings.IsImportOnStart > 0);
    m_inputKolByWindow->setChecked(m_settings.IsInputKolByWindow > 0);
}

void TAppConfigForm::chooseFolder(QLineEdit *edit, const QString &title)
{
    const QString current = edit->text().trimmed();
    const QString start = !current.isEmpty() && QFileInfo(current).isDir() ? current : QString();
    const QString chosen = pickFolder(title, start);
    if (chosen.trimmed().isEmpty())
        return;
    edit->setText(withTrailingSeparator(chosen));
}

void TAppConfigForm::SpeedButton2Click()
{
    QString *org[7] = {&m_settings.Orgname, &m_settings.OrgAdress,      &m_settings.OrgInn,
                       &m_settings.OrgKpp,  &m_settings.OrgContactFace, &m_settings.OrgTels,
                       &m_settings.OrgMail};
    QString *post[7] = {&m_settings.PostName,   &m_settings.PostAdress,      &m_settings.PostInn,
                        &m_settings.PostKpp,    &m_settings.PostContactFace, &m_settings.PostTels,
                        &m_settings.MailForsend};
    for (int i = 0; i < 7; ++i) {
        *org[i] = m_org[i]->text().trimmed();
        *post[i] = m_post[i]->text().trimmed();
    }
    m_settings.PathBase = withTrailingSeparator(m_pathBase->text());
    m_settings.PathPicture = withTrailingSeparator(m_pathPicture->text());
    m_settings.ConnectPasswordWWW = m_password->text().trimmed();
    m_settings.ConnectUserNameWWW = m_user->text().trimmed();
    m_settings.ConnectHostWWW = m_host->text().trimmed();
    m_settings.ConnectPortWWW = m_port->value();
    m_settings.ConnectPassive = m_passive->isChecked();
    m_settings.ProxyPassword = m_proxyPassword->text().trimmed();
    m_settings.ProxyUserName = m_proxyUser->text().trimmed();
    m_settings.ProxyHost = m_proxyHost->text().trimmed();
    m_settings.ProxyPort = m_proxyPort->value();
    applyProxyItem(m_settings, m_proxyType->currentIndex());
    m_settings.IsImportOnStart = m_importOnStart->isChecked() ? 1 : 0;
    m_settings.IsInputKolByWindow = m_inputKolByWindow->isChecked() ? 1 : 0;
    if (onSaved)
        onSaved();
    try {
        WriteSettings(m_settings, m_settings.WorkFolder, m_settings.ConfigFileName);
    } catch (const std::exception &e) {
        // The record keeps the new values; the dialog stays open for another try.
        m_prompts.error(QString::fromUtf8(e.what()));
        return;
    }
    accept();
}

void TAppConfigForm::SpeedButton1Click()
{
    reject();
}

void TAppConfigForm::done(int result)
{
    m_settings.FirstRun = false;
    QDialog::done(result);
}
