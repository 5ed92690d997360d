#pragma once

#include "receipts/CheckoutPlan.h"
#include "report/ReportView.h"

#include <QDialog>

#include <array>
#include <memory>

class QTabWidget;
class Report;
struct ReceiptOrder;

// A receipt template's preview window ("打印预览"): the report without the
// customer block on TabSheet1 and the one with it on TabSheet2, each on a
// cream picture; a strip (Panel1) lies over the page tabs so that the page
// shown is the one the program chose. It shows the template's placeholders
// until a receipt is filled through the template, then that receipt.
class ReceiptWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ReceiptWindow(ReceiptTemplate which, QWidget *parent = nullptr);
    ~ReceiptWindow() override;

    ReceiptTemplate receiptTemplate() const { return m_template; }
    // Makes the page of a variant the visible one.
    void showPage(ReceiptReport report);
    // Both pages show this order's receipt, at its length.
    void showReceipt(const ReceiptOrder &order);

private:
    void setReport(ReceiptReport variant, std::unique_ptr<Report> report, ReportView::Shows shows);

    ReceiptTemplate m_template;
    QTabWidget *m_pages = nullptr;
    std::array<QWidget *, 2> m_pageWidgets{};
    std::array<std::unique_ptr<Report>, 2> m_reports;
    std::array<ReportView *, 2> m_views{};
};
