#include "xls/OrderExport.h"

#include "common/Clock.h"
#include "common/DesktopShell.h"
#include "common/UserPrompts.h"
#include "xls/OrderExportSource.h"
#include "xls/OrderWorkbook.h"
#include "xls/XLSFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// "description|mask|..." as a file dialog filter "description (masks);;...". The masks are
// offered in both letter cases, since the files may come from a system that ignores case.
QString dialogFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        if (description.endsWith(u')')) {
            const qsizetype open = description.lastIndexOf(u'(');
            if (open >= 0)
                description = description.left(open).trimmed();
        }
        QStringList patterns;
        for (const QString &mask : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            patterns << mask;
            if (mask.toLower() != mask)
                patterns << mask.toLower();
        }
        entries << description + u" ("_s + patterns.join(u' ') + u')';
    }
    return entries.join(u";;"_s);
}

} // namespace

OrderExport::OrderExport(UserPrompts &prompts, DesktopShell &shell, const Clock &clock,
                         int screenDpiY)
    : m_prompts(prompts), m_shell(shell), m_clock(clock), m_screenDpiY(screenDpiY)
{
}

QString OrderExport::tooManyLinesText(qsizetype lines)
{
    return u"Заказ содержит %1 строк, а лист MS Excel вмещает не более %2 строк заказа. "
           u"Разделите заказ на части и экспортируйте каждую отдельно."_s.arg(lines)
               .arg(OrderWorkbook::kMaxLines);
}

void OrderExport::ExportOrder(const QString &customerName, const QString &customerInn,
                              const OrderExportSource &orderTable, const QString &catalogDateText)
{
    const qsizetype lines = orderTable.lineCount();
    if (lines == 0) {
        m_prompts.message(u"Заказ не содержит ни одной строки"_s);
        return;
    }
    // More lines would run past the sheet's last row; refuse before anything is asked.
    if (lines > OrderWorkbook::kMaxLines) {
        m_prompts.error(tooManyLinesText(lines));
        return;
    }

    TXLSFile file(TDisplayMetrics::forScreenDpi(m_screenDpiY));
    OrderWorkbook::fill(file, customerName, customerInn, orderTable, catalogDateText,
                        m_clock.now().toString(u"dd.MM.yyyy hh:mm:ss"_s));

    const QString fileName = AskSaveFileName(u"Укажите имя файла для заказа"_s, QString(),
                                             u"Рабочая книга MS Excel (*.xls)|*.XLS"_s);
    if (fileName.isEmpty())
        return;
    file.SaveAs(fileName);
    if (QFileInfo::exists(fileName))
        m_shell.openDocument(fileName);
}

QString OrderExport::AskSaveFileName(const QString &title, const QString &initialFolder,
                                     const QString &filter)
{
    const QString chosen =
        m_prompts.askSaveFileName(title, initialFolder, dialogFilter(filter), QString());
    if (chosen.isEmpty())
        return {};
    return withXlsExtension(chosen);
}

QString OrderExport::withXlsExtension(const QString &fileName)
{
    const qsizetype delimiter = QDir::fromNativeSeparators(fileName).lastIndexOf(u'/');
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot > delimiter) {
        if (QStringView(fileName).mid(dot).compare(u".XLS", Qt::CaseInsensitive) == 0)
            return fileName;
        return fileName.left(dot) + u".xls"_s;
    }
    return fileName + u".xls"_s;
}
