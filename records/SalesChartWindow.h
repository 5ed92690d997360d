#pragma once

#include "data/shop/DayEnd.h"

#include <QDialog>

#include <vector>

class QChartView;

// Each day's discounted sales and returns as bars and their net as a line,
// with the number of tickets as a line on an axis of its own; the chart can
// be saved as PNG.
class SalesChartWindow : public QDialog
{
    Q_OBJECT
public:
    explicit SalesChartWindow(const std::vector<DayEnd::DaySales> &days, QWidget *parent = nullptr);
    ~SalesChartWindow() override;

private:
    void saveAsPng();

    QChartView *m_view = nullptr;
};
