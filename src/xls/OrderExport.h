#pragma once

#include <QString>

class UserPrompts;
class DesktopShell;
class Clock;
class OrderExportSource;

// "Экспорт заказа в MS Excel": the current order as an .xls workbook, saved where the user
// says and opened with the application the system associates with it.
class OrderExport {
public:
    // screenDpiY: the screen's vertical logical resolution; 0 when there is no screen.
    OrderExport(UserPrompts &prompts, DesktopShell &shell, const Clock &clock, int screenDpiY = 0);

    // Errors of the workbook writer (ECFileError, EXLSError) reach the caller; a failed save
    // leaves no file under the chosen name and opens nothing.
    void ExportOrder(const QString &customerName, const QString &customerInn,
                     const OrderExportSource &orderTable, const QString &catalogDateText);

    // The chosen file name with the extension ".xls" unless it already ends in ".xls" in any
    // letter case; empty when the user cancels. The filter is "description|mask".
    QString AskSaveFileName(const QString &title, const QString &initialFolder,
                            const QString &filter);

    static QString withXlsExtension(const QString &fileName);
    static QString tooManyLinesText(qsizetype lines);

private:
    UserPrompts &m_prompts;
    DesktopShell &m_shell;
    const Clock &m_clock;
    int m_screenDpiY;
};
