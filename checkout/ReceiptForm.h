#pragma once

#include "data/Connection.h"
#include "data/RowSet.h"
#include "report/Report.h"
#include "report/RowSetData.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QTabWidget;
class ReportView;

namespace ReceiptLayout {
struct Window;
}

// A receipt template window: two reports of one receipt layout, QuickRep1
// without and QuickRep2 with the customer block, fed by the window's own
// connection; shown as the print preview.
//
// How the checkout drives a window W:
//   W->FormCreate();                                 reconnect and re-read xsxx and dynr
//   W->QuickRep1->setHeightUnits(units);             page length, in 1/96 inch
//   W->QRRichText1->setHeightUnits(units);           remark box height
//   W->QuickRep1->label("QRLabel4")->setCaption(t);  any label, by its name
//   W->print(W->QuickRep1);                          one job, default printer; throws AppError
//   W->renderToPdf(W->QuickRep1, path);              the same pages as a PDF file
// W->QuickRep1->run() lays a print out without printing: where every item
// lands, as (page, left mm, top mm, text).
class TReceiptForm : public QDialog
{
    Q_OBJECT
public:
    ~TReceiptForm() override;

    Connection ADOConnection1;
    RowSet ADODataSet1; // "select * from xsxx": the ticket's lines, one detail band each
    RowSet ADODataSet2; // "select * from dynr": the settings row
    QPlainTextEdit *DBMemo1; // hidden; follows 备注 of the settings row

    Report *QuickRep1;
    Report *QuickRep2;
    ReportRichText *QRRichText1; // remark box of QuickRep1
    ReportRichText *QRRichText2; // remark box of QuickRep2

    // Preview window
    QFrame *Panel1;            // lies over the page tabs
    QTabWidget *PageControl1;
    QWidget *TabSheet1;        // QuickRep1
    QWidget *TabSheet2;        // QuickRep2
    QLabel *Image1, *Image2;   // cream background of each page

    // Closes the connection, points it at the data file, opens it and both row sets.
    void FormCreate();

    // Print hooks of the unit price, quantity and amount fields of both reports.
    void QRDBText3Print(QString &value);
    void QRDBText4Print(QString &value);
    void QRDBText5Print(QString &value);
    // Before the summary bands print: the remark box takes the settings row's 备注.
    void QRBand3BeforePrint();
    void QRBand5BeforePrint();

    void print(const Report *report) const;
    void renderToPdf(const Report *report, const QString &path) const;

    // Makes a page (TabSheet1 or TabSheet2) the visible one.
    void showPage(QWidget *tabSheet);
    // Shows the window modally until the user closes it.
    int ShowModal();

protected:
    explicit TReceiptForm(const ReceiptLayout::Window &layout, QWidget *parent = nullptr);

private:
    Report *buildReport(const ReceiptLayout::Window &layout, bool customer);
    QWidget *buildPage(const ReceiptLayout::Window &layout, Report *report, const QString &pageName,
                       const QString &imageName, QLabel *&image);
    void buildWindow(const ReceiptLayout::Window &layout);
    void refreshRemark();

    RowSetData m_lines;
    RowSetData m_settings;
};
