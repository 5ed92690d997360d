#include "records/SalesChartWindow.h"

#include "base/AppError.h"
#include "grid/Dialogs.h"
#include "grid/Handlers.h"
#include "records/ChartScale.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

QValueAxis *ValueAxis(const ChartScale &scale, const QString &title)
{
    auto *axis = new QValueAxis;
    axis->setRange(scale.low, scale.high);
    axis->setTickCount(scale.tickCount());
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(scale.decimals()));
    axis->setTitleText(title);
    return axis;
}

} // namespace

SalesChartWindow::SalesChartWindow(const std::vector<DayEnd::DaySales> &days, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ChartForm"));
    setWindowTitle(QStringLiteral("销售图表"));

    auto *sales = new QBarSet(QStringLiteral("销售"));
    auto *returns = new QBarSet(QStringLiteral("退货"));
    auto *net = new QLineSeries;
    net->setObjectName(QStringLiteral("NetLine"));
    net->setName(QStringLiteral("净额"));
    auto *tickets = new QLineSeries;
    tickets->setObjectName(QStringLiteral("TicketLine"));
    tickets->setName(QStringLiteral("单数"));
    // A line through a single day has no length: its point shows it.
    for (QLineSeries *line : {net, tickets})
        line->setPointsVisible(true);
    QStringList dayNames;
    double highest = 0;
    double lowest = 0; // returns go below zero
    int mostTickets = 0;
    for (int i = 0; i < int(days.size()); ++i) {
        const DayEnd::DaySales &day = days[size_t(i)];
        sales->append(day.sales);
        returns->append(day.returns);
        net->append(i, day.net);
        tickets->append(i, day.tickets);
        dayNames << day.day.toString(QStringLiteral("MM-dd"));
        highest = std::max({highest, day.sales, day.net});
        lowest = std::min({lowest, day.returns, day.net});
        mostTickets = std::max(mostTickets, day.tickets);
    }
    auto *bars = new QBarSeries;
    bars->setObjectName(QStringLiteral("SalesBars"));
    bars->append(sales);
    bars->append(returns);

    auto *chart = new QChart;
    chart->addSeries(bars);
    chart->addSeries(net);
    chart->addSeries(tickets);
    auto *dayAxis = new QBarCategoryAxis;
    dayAxis->append(dayNames);
    auto *salesAxis = ValueAxis(ScaleFor(lowest, highest, false), QStringLiteral("折后金额"));
    auto *ticketAxis = ValueAxis(ScaleFor(0, mostTickets, true), QStringLiteral("单数"));
    chart->addAxis(dayAxis, Qt::AlignBottom);
    chart->addAxis(salesAxis, Qt::AlignLeft);
    chart->addAxis(ticketAxis, Qt::AlignRight);
    for (QAbstractSeries *onSales : std::initializer_list<QAbstractSeries *>{bars, net}) {
        onSales->attachAxis(dayAxis);
        onSales->attachAxis(salesAxis);
    }
    tickets->attachAxis(dayAxis);
    tickets->attachAxis(ticketAxis);
    chart->setTitle(QStringLiteral("每日销售"));

    m_view = new QChartView(chart, this);
    m_view->setObjectName(QStringLiteral("ChartView"));
    m_view->setRenderHint(QPainter::Antialiasing);

    auto *saveButton = new QPushButton(QStringLiteral("保存图片"), this);
    saveButton->setObjectName(QStringLiteral("SaveButton"));
    auto *closeButton = new QPushButton(QStringLiteral("关闭"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addLayout(buttons);
    resize(900, 560);

    ConnectHandler(saveButton, &QPushButton::clicked, this, &SalesChartWindow::saveAsPng);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

SalesChartWindow::~SalesChartWindow() = default;

void SalesChartWindow::saveAsPng()
{
    QString path = Dialogs::SaveFileName(this, QStringLiteral("*.png"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    if (!m_view->grab().save(path, "PNG"))
        throw AppError(QStringLiteral("无法写入文件 %1").arg(path));
    Dialogs::Message(this, QStringLiteral("图表已保存！"), Dialogs::Icon::None);
}
