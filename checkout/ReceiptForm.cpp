#include "checkout/ReceiptForm.h"

#include "grid/Dialogs.h"
#include "checkout/ReceiptFigures.h"
#include "checkout/ReceiptLayout.h"
#include "data/DataFile.h"
#include "data/Statements.h"
#include "report/ReportOutput.h"
#include "report/ReportView.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kTextFace = QStringLiteral("方正兰亭刊黑_GBK");
const QString kReportFace = QStringLiteral("Arial");
constexpr double kReportFontSize = 10;
const QColor kCream(255, 251, 240);
// Paper margins of every receipt, in millimetres: left, top, right, bottom.
const QMarginsF kMargins(5, 10, 5, 10);

QFont ItemFont(const ReceiptLayout::Item &item, double textPointSize)
{
    if (item.face == ReceiptLayout::Face::Report) {
        QFont font(kReportFace);
        font.setPointSizeF(kReportFontSize);
        return font;
    }
    QFont font(kTextFace);
    font.setPointSizeF(item.pointSize > 0 ? item.pointSize : textPointSize);
    font.setBold(item.bold);
    return font;
}

ReportBand::Kind BandKindOf(ReceiptLayout::BandKind kind)
{
    switch (kind) {
    case ReceiptLayout::BandKind::Title:
        return ReportBand::Kind::Title;
    case ReceiptLayout::BandKind::Detail:
        return ReportBand::Kind::Detail;
    case ReceiptLayout::BandKind::Summary:
        break;
    }
    return ReportBand::Kind::Summary;
}

} // namespace

TReceiptForm::TReceiptForm(const ReceiptLayout::Window &layout, QWidget *parent)
    : QDialog(parent)
    , ADODataSet1(ADOConnection1)
    , ADODataSet2(ADOConnection1)
    , m_lines(ADODataSet1)
    , m_settings(ADODataSet2)
{
    ADOConnection1.setObjectName(QStringLiteral("ADOConnection1"));
    ADODataSet1.setObjectName(QStringLiteral("ADODataSet1"));
    ADODataSet1.setStatement(Sql::SelectTicketLines);
    ADODataSet2.setObjectName(QStringLiteral("ADODataSet2"));
    ADODataSet2.setStatement(Sql::SelectSettings);

    DBMemo1 = new QPlainTextEdit(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setReadOnly(true);
    DBMemo1->hide();
    connect(&ADODataSet2, &RowSet::reset, this, &TReceiptForm::refreshRemark);
    connect(&ADODataSet2, &RowSet::rowChanged, this, &TReceiptForm::refreshRemark);

    QuickRep1 = buildReport(layout, false);
    QuickRep2 = buildReport(layout, true);
    QRRichText1 = QuickRep1->richText(QStringLiteral("QRRichText1"));
    QRRichText2 = QuickRep2->richText(QStringLiteral("QRRichText2"));
    QuickRep1->band(QStringLiteral("QRBand3"))->setBeforePrint([this] { QRBand3BeforePrint(); });
    QuickRep2->band(QStringLiteral("QRBand5"))->setBeforePrint([this] { QRBand5BeforePrint(); });

    buildWindow(layout);
    Dialogs::Guarded(this, [this] { FormCreate(); });
}

TReceiptForm::~TReceiptForm() = default;

Report *TReceiptForm::buildReport(const ReceiptLayout::Window &layout, bool customer)
{
    const ReceiptLayout::Report &table = customer ? layout.quickRep2 : layout.quickRep1;
    auto *report = new Report(QString::fromUtf8(table.name), this);
    report->setPaperWidthMm(layout.paperWidthMm);
    report->setMarginsMm(kMargins);
    report->setBandWidthMm(layout.bandWidthMm);
    report->setHeightUnits(table.designHeightUnits);
    report->setDetailData(&m_lines);

    for (const auto &bandTable : table.bands) {
        ReportBand *band = report->addBand(BandKindOf(bandTable.kind), QString::fromUtf8(bandTable.name),
                                           bandTable.heightUnits);
        for (const auto &item : bandTable.items) {
            const QString name = QString::fromUtf8(item.name);
            const QString text = QString::fromUtf8(item.text);
            const QFont font = ItemFont(item, layout.textPointSize);
            switch (item.kind) {
            case ReceiptLayout::ItemKind::Label:
                band->addLabel(name, text, item.leftMm, item.topMm, font);
                break;
            case ReceiptLayout::ItemKind::RichText:
                band->addRichText(name, item.leftMm, item.topMm, item.widthMm, item.heightUnits, font)
                    ->setLinePitchUnits(item.linePitchUnits);
                break;
            case ReceiptLayout::ItemKind::Field: {
                const ReportData &source =
                    item.source == ReceiptLayout::Source::Settings ? m_settings : m_lines;
                ReportField *field = band->addField(name, source, text, item.leftMm, item.topMm, font);
                switch (item.figure) {
                case ReceiptLayout::Figure::UnitPrice:
                    field->setPrintHook([this](QString &value) { QRDBText3Print(value); });
                    break;
                case ReceiptLayout::Figure::Quantity:
                    field->setPrintHook([this](QString &value) { QRDBText4Print(value); });
                    break;
                case ReceiptLayout::Figure::Amount:
                    field->setPrintHook([this](QString &value) { QRDBText5Print(value); });
                    break;
                case ReceiptLayout::Figure::None:
                    break;
                }
                break;
            }
            }
        }
    }
    return report;
}

QWidget *TReceiptForm::buildPage(const ReceiptLayout::Window &layout, Report *report, const QString &pageName,
                                 const QString &imageName, QLabel *&image)
{
    auto *page = new QWidget;
    page->setObjectName(pageName);
    auto *fill = new QVBoxLayout(page);
    fill->setContentsMargins(0, 0, 0, 0);
    image = new QLabel(page);
    image->setObjectName(imageName);
    image->setAutoFillBackground(true);
    QPalette cream = image->palette();
    cream.setColor(QPalette::Window, kCream);
    image->setPalette(cream);
    fill->addWidget(image);

    auto *view = new ReportView(*report, page);
    view->move(layout.reportPosition);
    view->raise();
    return page;
}

void TReceiptForm::buildWindow(const ReceiptLayout::Window &layout)
{
    setWindowTitle(QStringLiteral("打印预览"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(layout.clientSize);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(QRect(QPoint(0, 24), layout.pageControlSize));
    TabSheet1 = buildPage(layout, QuickRep1, QStringLiteral("TabSheet1"), QStringLiteral("Image1"), Image1);
    TabSheet2 = buildPage(layout, QuickRep2, QStringLiteral("TabSheet2"), QStringLiteral("Image2"), Image2);
    PageControl1->addTab(TabSheet1, QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet2, QStringLiteral("TabSheet2"));

    // The strip covers the page tabs, so the page shown is the one the program chose.
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, layout.clientSize.width(), 50);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel1->setAutoFillBackground(true);
    Panel1->raise();
}

void TReceiptForm::FormCreate()
{
    ADOConnection1.reconnect(RuntimeConnectionString());
    ADODataSet1.open();
    ADODataSet2.open();
}

void TReceiptForm::refreshRemark()
{
    const bool hasRow = ADODataSet2.isOpen() && ADODataSet2.currentIndex() >= 0;
    DBMemo1->setPlainText(hasRow ? ADODataSet2.text(QStringLiteral("备注")) : QString());
}

void TReceiptForm::QRDBText3Print(QString &value)
{
    value = FormatFigure(value);
}

void TReceiptForm::QRDBText4Print(QString &value)
{
    value = FormatFigure(value);
}

void TReceiptForm::QRDBText5Print(QString &value)
{
    value = FormatFigure(value);
}

void TReceiptForm::QRBand3BeforePrint()
{
    QRRichText1->setLines(MemoLines(DBMemo1->toPlainText()));
}

void TReceiptForm::QRBand5BeforePrint()
{
    QRRichText2->setLines(MemoLines(DBMemo1->toPlainText()));
}

void TReceiptForm::print(const Report *report) const
{
    PrintReport(*report);
}

void TReceiptForm::renderToPdf(const Report *report, const QString &path) const
{
    RenderReportToPdf(*report, path);
}

void TReceiptForm::showPage(QWidget *tabSheet)
{
    PageControl1->setCurrentWidget(tabSheet);
}

int TReceiptForm::ShowModal()
{
    return exec();
}
