#pragma once
#include <QHeaderView>

class GridModel;

// The column-header row. Cells joined on the header row are drawn as one section carrying the
// text of the first one.
class GridHeader : public QHeaderView
{
    Q_OBJECT
public:
    GridHeader(GridModel *model, QWidget *parent = nullptr);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    GridModel *m_grid;
};
