#include "ui/MessageBoxPrompts.h"

#include "app/AppTitle.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

void showOk(QWidget *parent, QMessageBox::Icon icon, const QString &caption, const QString &text)
{
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace

bool MessageBoxPrompts::confirm(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Подтверждение"), text,
                    QMessageBox::NoButton, m_parent);
    QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void MessageBoxPrompts::info(const QString &text)
{
    showOk(m_parent, QMessageBox::Information, QStringLiteral("Информация"), text);
}

void MessageBoxPrompts::error(const QString &text)
{
    showError(m_parent, text);
}

void MessageBoxPrompts::message(const QString &text)
{
    showOk(m_parent, QMessageBox::NoIcon, AppTitle(), text);
}

QString MessageBoxPrompts::askSaveFileName(const QString &caption, const QString &defaultName,
                                           const QString &filter, const QString &defaultExtension)
{
    QString name = QFileDialog::getSaveFileName(m_parent, caption, defaultName, filter);
    if (!name.isEmpty() && !defaultExtension.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + defaultExtension;
    return name;
}

void MessageBoxPrompts::showError(QWidget *parent, const QString &text)
{
    showOk(parent, QMessageBox::Critical, QStringLiteral("Ошибка"), text);
}
