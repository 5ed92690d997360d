#include "records/DayEndWindow.h"

#include "checkout/PrintProgress.h"
#include "grid/Dialogs.h"
#include "grid/Handlers.h"
#include "printers/ReceiptPrinter.h"
#include "report/Report.h"
#include "report/ReportOutput.h"
#include "report/ReportView.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

DayEndWindow::DayEndWindow(std::unique_ptr<Report> report, ReceiptPrinter &printer, QWidget *parent)
    : QDialog(parent)
    , m_report(std::move(report))
    , m_printer(printer)
{
    setObjectName(QStringLiteral("DayEndForm"));
    setWindowTitle(QStringLiteral("日结报表"));
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(new ReportView(*m_report, nullptr, ReportView::Shows::PrintedPage));
    scroll->setAlignment(Qt::AlignHCenter);

    auto *printButton = new QPushButton(QStringLiteral("打印"), this);
    printButton->setObjectName(QStringLiteral("PrintButton"));
    auto *pdfButton = new QPushButton(QStringLiteral("保存PDF"), this);
    pdfButton->setObjectName(QStringLiteral("PdfButton"));
    auto *closeButton = new QPushButton(QStringLiteral("关闭"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {printButton, pdfButton, closeButton})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    layout->addLayout(buttons);
    resize(420, 640);

    ConnectHandler(printButton, &QPushButton::clicked, this, &DayEndWindow::printReport);
    ConnectHandler(pdfButton, &QPushButton::clicked, this, &DayEndWindow::saveAsPdf);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

DayEndWindow::~DayEndWindow() = default;

void DayEndWindow::printReport()
{
    PrintWithProgress(this, {[this] { m_printer.print(*m_report, QStringLiteral("日结报表")); }});
}

void DayEndWindow::saveAsPdf()
{
    QString path = Dialogs::SaveFileName(this, QStringLiteral("*.pdf"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    RenderReportToPdf(*m_report, path);
    Dialogs::Message(this, QStringLiteral("日结报表已保存！"), Dialogs::Icon::None);
}
