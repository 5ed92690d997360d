#include "records/ShiftHistoryWindow.h"

#include "base/AppError.h"
#include "checkout/PrintProgress.h"
#include "data/shop/PrintSettings.h"
#include "data/shop/Shift.h"
#include "grid/Handlers.h"
#include "printers/ReceiptPrinter.h"
#include "records/ShiftReport.h"
#include "report/Report.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ShiftHistoryWindow::ShiftHistoryWindow(Session &session, ReceiptPrinter &printer, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_printer(printer)
    , m_from(new QDateEdit(QDate::currentDate().addDays(-30), this))
    , m_to(new QDateEdit(QDate::currentDate(), this))
    , m_table(new QTableWidget(this))
{
    setObjectName(QStringLiteral("ShiftHistoryForm"));
    setWindowTitle(QStringLiteral("交班记录"));
    for (QDateEdit *edit : {m_from, m_to}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    m_from->setObjectName(QStringLiteral("FromDate"));
    m_to->setObjectName(QStringLiteral("ToDate"));
    m_table->setObjectName(QStringLiteral("ShiftTable"));
    const QStringList headers{QStringLiteral("班次"),     QStringLiteral("收银员"), QStringLiteral("开始"),
                              QStringLiteral("结束"),     QStringLiteral("备用金"), QStringLiteral("现金应有"),
                              QStringLiteral("现金实点"), QStringLiteral("差额"),   QStringLiteral("单数"),
                              QStringLiteral("净额")};
    m_table->setColumnCount(int(headers.size()));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();

    auto *searchButton = new QPushButton(QStringLiteral("查询"), this);
    searchButton->setObjectName(QStringLiteral("SearchButton"));
    auto *reprintButton = new QPushButton(QStringLiteral("重打"), this);
    reprintButton->setObjectName(QStringLiteral("ReprintButton"));
    auto *closeButton = new QPushButton(QStringLiteral("关闭"), this);
    auto *filter = new QHBoxLayout;
    filter->addWidget(new QLabel(QStringLiteral("自"), this));
    filter->addWidget(m_from);
    filter->addWidget(new QLabel(QStringLiteral("至"), this));
    filter->addWidget(m_to);
    filter->addWidget(searchButton);
    filter->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(reprintButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filter);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    resize(900, 480);

    ConnectHandler(searchButton, &QPushButton::clicked, this, &ShiftHistoryWindow::reload);
    ConnectHandler(reprintButton, &QPushButton::clicked, this, &ShiftHistoryWindow::reprint);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void ShiftHistoryWindow::reload()
{
    if (m_from->date() > m_to->date())
        throw AppError(QStringLiteral("开始日期不能晚于结束日期。"));
    const std::vector<Shift::ClosedShift> shifts = Shift::Closed(m_session, m_from->date(), m_to->date());
    m_table->setRowCount(int(shifts.size()));
    for (int row = 0; row < int(shifts.size()); ++row) {
        const Shift::ClosedShift &s = shifts[size_t(row)];
        const QStringList cells{QString::number(s.number),
                                s.cashier,
                                s.start,
                                s.end,
                                s.openingFloat.figureText(),
                                s.expectedCash.figureText(),
                                s.counted.figureText(),
                                s.difference.figureText(),
                                QString::number(s.tickets),
                                s.net.figureText()};
        for (int column = 0; column < int(cells.size()); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_table->resizeColumnsToContents();
}

void ShiftHistoryWindow::reprint()
{
    const int row = m_table->currentRow();
    if (row < 0)
        throw AppError(QStringLiteral("请先选择要重打的交班记录。"));
    const Shift::Report shift = Shift::Reported(m_session, m_table->item(row, 0)->text().toInt());
    const std::unique_ptr<Report> slip = BuildShiftReport(ShiftReportLines(shift), LoadPrintSettings(m_session).pos);
    PrintWithProgress(this, {[this, &slip] { m_printer.print(*slip, QStringLiteral("交班报表")); }});
}
