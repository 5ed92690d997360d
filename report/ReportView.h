#pragma once

#include <QWidget>

class Report;

// Shows a report's layout at 100 % zoom: one pixel per unit of 1/96 inch,
// whatever the screen's resolution. Its size follows the report's page.
class ReportView : public QWidget
{
    Q_OBJECT
public:
    // A report's design, or its page as printing fills it from its data.
    enum class Shows { Design, PrintedPage };

    explicit ReportView(const Report &report, QWidget *parent = nullptr, Shows shows = Shows::Design);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void followReport();

    const Report &m_report;
    Shows m_shows;
};
