#pragma once

#include <QHeaderView>
#include <QSet>

// Column titles of the catalog grids: a "|" in a title splits it into an upper title shared
// by neighbouring columns and a lower one; a sorted title carries the ascending marker on a
// grey background. Clicking a title never flips the marker: the window decides the sort.
class TitleHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit TitleHeaderView(QWidget *parent = nullptr);

    void setTwoLevel(bool on);
    void setCentredTitles(bool on) { m_centred = on; }
    // The section shown sorted (-1: none).
    void setSortedSection(int section);
    int sortedSection() const { return m_sorted; }

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    QString titleOf(int logicalIndex) const;
    QRect upperSpan(int section, const QString &upper) const;

    bool m_twoLevel = false;
    bool m_centred = false;
    int m_sorted = -1;
};
