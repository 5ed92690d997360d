#pragma once

#include "report/PrintedReport.h"
#include "report/ReportBand.h"
#include "report/ReportData.h"

#include <QMarginsF>
#include <QObject>

#include <memory>
#include <vector>

// A banded report on custom paper: a title band, a detail band printed once
// per row of its data, a summary band. The paper's width is fixed in
// millimetres; its length follows the report's height, in units of 1/96 inch,
// which the program may set before every print. Bands that do not fit the rest
// of a page start a new one.
class Report : public QObject
{
    Q_OBJECT
public:
    explicit Report(const QString &name, QObject *parent = nullptr);
    ~Report() override;

    void setPaperWidthMm(double widthMm);
    double paperWidthMm() const { return m_paperWidthMm; }
    void setMarginsMm(const QMarginsF &margins);
    QMarginsF marginsMm() const { return m_margins; }
    void setBandWidthMm(double widthMm);
    double bandWidthMm() const { return m_bandWidthMm; }

    // The page length, in units of 1/96 inch.
    void setHeightUnits(int units);
    int heightUnits() const { return m_heightUnits; }
    double pageLengthMm() const;

    // Bands print in the order title, detail, summary, whatever order they are added in.
    ReportBand *addBand(ReportBand::Kind kind, const QString &name, int heightUnits);
    void setDetailData(const ReportData *data) { m_detailData = data; }
    // Keeps data alive as long as the report, for reports built from values.
    const ReportData &adoptData(std::unique_ptr<const ReportData> data);

    // One print pass: runs the fields' print hooks and lays the bands out on
    // as many pages as they need.
    PrintedReport run() const;
    // The layout as the design view shows it, on one page: each band once,
    // labels with their captions, fields as their field names, no hooks run.
    PrintedReport design() const;

    // Called by the items when something they show changes.
    void notifyChanged();

signals:
    void changed();

private:
    std::vector<const ReportBand *> bandsInPrintOrder() const;

    double m_paperWidthMm = 210;
    QMarginsF m_margins;
    double m_bandWidthMm = 200;
    int m_heightUnits = 1123;
    std::vector<std::unique_ptr<ReportBand>> m_bands;
    const ReportData *m_detailData = nullptr;
    std::vector<std::unique_ptr<const ReportData>> m_ownedData;
};
