#include "ui/LimitedSplitter.h"

#include <QMouseEvent>
#include <QPainter>

LimitedSplitter::LimitedSplitter(Qt::Orientation orientation, int resizedIndex, QWidget *parent)
    : QSplitter(orientation, parent), m_resizedIndex(resizedIndex)
{
    setChildrenCollapsible(false);
    setOpaqueResize(true);
}

QSplitterHandle *LimitedSplitter::createHandle()
{
    return new LimitedSplitterHandle(orientation(), this);
}

int LimitedSplitter::resizedSizeAt(int pos) const
{
    const int total = orientation() == Qt::Vertical ? height() : width();
    return m_resizedIndex == 0 ? pos : total - pos - handleWidth();
}

int LimitedSplitter::positionFor(int resizedSize) const
{
    const int total = orientation() == Qt::Vertical ? height() : width();
    return m_resizedIndex == 0 ? resizedSize : total - resizedSize - handleWidth();
}

bool LimitedSplitter::tryMove(int pos)
{
    const int total = orientation() == Qt::Vertical ? height() : width();
    const int resized = resizedSizeAt(pos);
    const int other = total - resized - handleWidth();
    if (resized < m_minSize || other < m_minSize)
        return false;
    if (canResize && !canResize(resized))
        return false;
    moveSplitter(pos, 1);
    return true;
}

LimitedSplitterHandle::LimitedSplitterHandle(Qt::Orientation orientation, LimitedSplitter *parent)
    : QSplitterHandle(orientation, parent), m_splitter(parent)
{
}

int LimitedSplitterHandle::pick(const QPoint &p) const
{
    return orientation() == Qt::Vertical ? p.y() : p.x();
}

void LimitedSplitterHandle::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_offset = pick(event->position().toPoint());
        m_dragging = true;
    }
}

void LimitedSplitterHandle::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    const int pos = pick(m_splitter->mapFromGlobal(event->globalPosition().toPoint())) - m_offset;
    m_splitter->tryMove(pos);
}

void LimitedSplitterHandle::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
}

void LimitedSplitterHandle::paintEvent(QPaintEvent *)
{
    // A thin black bar.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}
