#pragma once

#include <QDialog>

#include <memory>

class ReceiptPrinter;
class Report;

// The day-end report's preview, the page as it prints: prints it on the receipt printer or saves it as PDF.
class DayEndWindow : public QDialog
{
    Q_OBJECT
public:
    DayEndWindow(std::unique_ptr<Report> report, ReceiptPrinter &printer, QWidget *parent = nullptr);
    ~DayEndWindow() override;

private:
    void printReport();
    void saveAsPdf();

    std::unique_ptr<Report> m_report;
    ReceiptPrinter &m_printer;
};
