#include "receipts/ReceiptWindow.h"

#include "receipts/ReceiptLayout.h"
#include "receipts/ReceiptRenderer.h"
#include "report/Report.h"
#include "report/ReportView.h"

#include <QFrame>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QColor kCream(255, 251, 240);
constexpr int kPanelHeight = 50;
constexpr int kPagesTop = 24;

QString ObjectNameOf(ReceiptTemplate which)
{
    switch (which) {
    case ReceiptTemplate::OnePart58:
        return QStringLiteral("Dy58Form");
    case ReceiptTemplate::OnePart76:
        return QStringLiteral("Dy76Form");
    case ReceiptTemplate::TwoPart58:
        return QStringLiteral("Edy58Form");
    case ReceiptTemplate::TwoPart76:
        break;
    }
    return QStringLiteral("Edy76Form");
}

int IndexOf(ReceiptReport report)
{
    return report == ReceiptReport::Plain ? 0 : 1;
}

QWidget *CreamPage(const QString &pageName, const QString &imageName)
{
    auto *page = new QWidget;
    page->setObjectName(pageName);
    auto *fill = new QVBoxLayout(page);
    fill->setContentsMargins(0, 0, 0, 0);
    auto *image = new QLabel(page);
    image->setObjectName(imageName);
    image->setAutoFillBackground(true);
    QPalette cream = image->palette();
    cream.setColor(QPalette::Window, kCream);
    image->setPalette(cream);
    fill->addWidget(image);
    return page;
}

} // namespace

ReceiptWindow::ReceiptWindow(ReceiptTemplate which, QWidget *parent)
    : QDialog(parent)
    , m_template(which)
{
    const ReceiptLayout::Window &layout = ReceiptLayout::OfTemplate(which);
    setObjectName(ObjectNameOf(which));
    setWindowTitle(QStringLiteral("打印预览"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(layout.clientSize);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setGeometry(QRect(QPoint(0, kPagesTop), layout.pageControlSize));
    m_pageWidgets = {CreamPage(QStringLiteral("TabSheet1"), QStringLiteral("Image1")),
                     CreamPage(QStringLiteral("TabSheet2"), QStringLiteral("Image2"))};
    for (QWidget *page : m_pageWidgets)
        m_pages->addTab(page, page->objectName());
    for (ReceiptReport variant : {ReceiptReport::Plain, ReceiptReport::Customer})
        setReport(variant, BuildReceiptLayout(which, variant), ReportView::Shows::Design);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(0, 0, layout.clientSize.width(), kPanelHeight);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    panel->raise();
}

ReceiptWindow::~ReceiptWindow()
{
    // The views go before the reports they show.
    for (ReportView *view : m_views)
        delete view;
}

void ReceiptWindow::showPage(ReceiptReport report)
{
    m_pages->setCurrentIndex(IndexOf(report));
}

void ReceiptWindow::showReceipt(const ReceiptOrder &order)
{
    for (ReceiptReport variant : {ReceiptReport::Plain, ReceiptReport::Customer})
        setReport(variant, BuildReceipt(m_template, variant, order), ReportView::Shows::PrintedPage);
}

void ReceiptWindow::setReport(ReceiptReport variant, std::unique_ptr<Report> report, ReportView::Shows shows)
{
    const int index = IndexOf(variant);
    delete m_views[index];
    m_reports[index] = std::move(report);
    m_views[index] = new ReportView(*m_reports[index], m_pageWidgets[index], shows);
    m_views[index]->move(ReceiptLayout::OfTemplate(m_template).reportPosition);
    m_views[index]->show();
    m_views[index]->raise();
}
