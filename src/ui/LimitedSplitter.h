#pragma once

#include <QSplitter>
#include <QSplitterHandle>
#include <functional>

// A splitter between a filling area and one panel of its own size (the resized panel). A move
// that would leave the filling area below its minimum, or that the window's rule refuses, does
// not happen at all: the splitter stays where it was.
class LimitedSplitter : public QSplitter {
    Q_OBJECT
public:
    // resizedIndex: 0 when the resized panel is before the handle, 1 when after it.
    LimitedSplitter(Qt::Orientation orientation, int resizedIndex, QWidget *parent = nullptr);

    void setMinSize(int size) { m_minSize = size; }
    // The window's rule: may the resized panel take this size?
    std::function<bool(int newSize)> canResize;

    // Moves the handle to `pos` (as a mouse drag would); false when refused.
    bool tryMove(int pos);
    // The size of the resized panel if the handle were at `pos`.
    int resizedSizeAt(int pos) const;
    // The handle position that gives the resized panel this size.
    int positionFor(int resizedSize) const;

protected:
    QSplitterHandle *createHandle() override;

private:
    int m_resizedIndex;
    int m_minSize = 0;
};

class LimitedSplitterHandle : public QSplitterHandle {
    Q_OBJECT
public:
    LimitedSplitterHandle(Qt::Orientation orientation, LimitedSplitter *parent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int pick(const QPoint &p) const;
    LimitedSplitter *m_splitter;
    int m_offset = 0;
    bool m_dragging = false;
};
