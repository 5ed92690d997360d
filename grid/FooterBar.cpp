#include "grid/FooterBar.h"

#include "grid/GridModel.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

FooterBar::FooterBar(GridModel *model, QTableView *view, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_view(view)
{
    QWidget *self = this;
    const auto repaint = [self] { self->update(); };
    connect(model, &GridModel::footerChanged, this, repaint);
    connect(view->horizontalHeader(), &QHeaderView::sectionResized, this, repaint);
    connect(view->horizontalHeader(), &QHeaderView::geometriesChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
}

QSize FooterBar::sizeHint() const
{
    return {0, fontMetrics().height() + 6};
}

void FooterBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width(), 0);

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const QHeaderView *titles = m_view->horizontalHeader();
    const int left = m_view->viewport()->mapTo(parentWidget(), QPoint(0, 0)).x() - x();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const QRect cell(left + titles->sectionViewportPosition(c), 1, titles->sectionSize(c), height() - 1);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(cell.topRight(), cell.bottomRight());
        const QString text = m_model->footerText(c);
        if (text.isEmpty())
            continue;
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(cell.adjusted(2, 0, -2, 0),
                         int(m_model->columns().at(size_t(c)).footerAlignment | Qt::AlignVCenter), text);
    }
}
