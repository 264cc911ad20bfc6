#include "GridHeader.h"
#include "GridModel.h"
#include <QPainter>

GridHeader::GridHeader(GridModel *model, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
    , m_grid(model)
{ }

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const std::optional<CellSpan> span = m_grid->headerSpanCovering(logicalIndex);
    if (!span) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    // Every section of the span draws the whole span, so it looks the same whichever part of
    // it is repainted.
    int left = rect.left(), right = rect.right();
    bool first = true;
    for (int s = span->col; s < span->col + span->cols && s < count(); ++s) {
        if (isSectionHidden(s))
            continue;
        const int x = sectionViewportPosition(s);
        const int r = x + sectionSize(s) - 1;
        left = first ? x : std::min(left, x);
        right = first ? r : std::max(right, r);
        first = false;
    }
    const QRect whole(QPoint(left, rect.top()), QPoint(right, rect.bottom()));
    painter->save();
    painter->setClipRect(whole);
    QHeaderView::paintSection(painter, whole, span->col);
    painter->restore();
}
