#pragma once

#include <QWidget>

class GridModel;
class QTableView;

// The footer row under a grid's rows: one cell per column, lined up with the
// columns as they are resized and scrolled.
class FooterBar : public QWidget
{
    Q_OBJECT
public:
    FooterBar(GridModel *model, QTableView *view, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GridModel *m_model;
    QTableView *m_view;
};
