#include "ui/TitleHeaderView.h"

#include <QPainter>
#include <QStyleOptionHeader>

TitleHeaderView::TitleHeaderView(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TitleHeaderView::setTwoLevel(bool on)
{
    m_twoLevel = on;
    updateGeometry();
    viewport()->update();
}

void TitleHeaderView::setSortedSection(int section)
{
    m_sorted = section;
    viewport()->update();
}

QSize TitleHeaderView::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    const int line = fontMetrics().height() + 6;
    size.setHeight(m_twoLevel ? 2 * line : line);
    return size;
}

QString TitleHeaderView::titleOf(int logicalIndex) const
{
    return model() ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString()
                   : QString();
}

QRect TitleHeaderView::upperSpan(int section, const QString &upper) const
{
    // Neighbours in visual order with the same upper title share one upper band.
    int first = visualIndex(section);
    int last = first;
    auto upperAt = [&](int visual) {
        const int logical = logicalIndex(visual);
        if (logical < 0 || isSectionHidden(logical))
            return QString();
        const QString t = titleOf(logical);
        const qsizetype bar = t.indexOf(u'|');
        return bar < 0 ? QString() : t.left(bar);
    };
    while (first > 0 && upperAt(first - 1) == upper)
        --first;
    while (last + 1 < count() && upperAt(last + 1) == upper)
        ++last;
    const int left = sectionViewportPosition(logicalIndex(first));
    const int right = sectionViewportPosition(logicalIndex(last)) + sectionSize(logicalIndex(last));
    return QRect(left, 0, right - left, height() / 2);
}

void TitleHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const QString title = titleOf(logicalIndex);
    const qsizetype bar = title.indexOf(u'|');
    const Qt::Alignment alignment = m_centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;

    auto paintCell = [&](const QRect &cell, const QString &text, bool sorted) {
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = cell;
        opt.section = logicalIndex;
        opt.text = QString();
        opt.textAlignment = alignment;
        opt.sortIndicator = sorted ? QStyleOptionHeader::SortUp : QStyleOptionHeader::None;
        painter->save();
        style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
        if (sorted) {
            // The sorted title stands out on the grey-text colour.
            painter->fillRect(cell.adjusted(1, 1, -1, -1),
                              palette().color(QPalette::Disabled, QPalette::Text));
        }
        QRect textRect = cell.adjusted(3, 0, -3, 0);
        if (sorted) {
            QStyleOptionHeader arrow = opt;
            const int side = qMin(cell.height() - 6, 9);
            arrow.rect = QRect(cell.right() - side - 3, cell.center().y() - side / 2, side, side);
            style()->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &arrow, painter, this);
            textRect.setRight(arrow.rect.left() - 2);
        }
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->drawText(textRect, int(alignment) | Qt::TextSingleLine,
                          fontMetrics().elidedText(text, Qt::ElideRight, textRect.width()));
        painter->restore();
    };

    if (!m_twoLevel || bar < 0) {
        paintCell(rect, title, logicalIndex == m_sorted);
        return;
    }
    const QString upper = title.left(bar);
    const QString lower = title.mid(bar + 1);
    const QRect upperRect(rect.left(), rect.top(), rect.width(), rect.height() / 2);
    const QRect lowerRect(rect.left(), upperRect.bottom() + 1, rect.width(),
                          rect.height() - upperRect.height());
    paintCell(lowerRect, lower, logicalIndex == m_sorted);

    // The upper band: this section's share of it, with the shared text clipped to it and no
    // dividing line inside the span.
    const QRect span = upperSpan(logicalIndex, upper);
    painter->save();
    painter->fillRect(upperRect, palette().color(QPalette::Button));
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(upperRect.bottomLeft(), upperRect.bottomRight());
    if (upperRect.right() >= span.right() - 1)
        painter->drawLine(upperRect.topRight(), upperRect.bottomRight());
    painter->setClipRect(upperRect);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(span, Qt::AlignCenter | Qt::TextSingleLine, upper);
    painter->restore();
}
