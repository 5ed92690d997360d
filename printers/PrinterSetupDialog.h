#pragma once

#include "printers/PrinterConf.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class ReceiptPrinter;

// "打印机设置": which printer this machine prints receipts on, kept in
// printer.conf. OK saves the choice; the test-page
// button prints on the printer as currently chosen, saved or not.
class PrinterSetupDialog : public QDialog
{
    Q_OBJECT
public:
    // systemPrinter prints the test page when the system printer is chosen;
    // shopName heads the test page.
    PrinterSetupDialog(ReceiptPrinter &systemPrinter, const QString &shopName, QWidget *parent = nullptr,
                       const QString &confPath = PrinterConfPath());

    // The settings as the controls show them; throws AppError for a location
    // an ESC/POS printer cannot be reached at, or a file that is no device.
    PrinterConf chosenConf() const;
    // The counter's receipt template width ("58", "76"): a printer chosen
    // that does not fit it is warned of.
    void setTemplateWidth(const QString &paperWidth);

private:
    void buildControls();
    void showConf(const PrinterConf &conf);
    void updateEnabled();
    void saveAndClose();
    void printTestPage();

    ReceiptPrinter &m_systemPrinter;
    QString m_shopName;
    QString m_confPath;
    QString m_templateWidth;
    QComboBox *m_kindBox = nullptr;
    QComboBox *m_connectionBox = nullptr;
    QLineEdit *m_locationEdit = nullptr;
    QComboBox *m_widthBox = nullptr;
    QSpinBox *m_dotsBox = nullptr;
    QCheckBox *m_cutBox = nullptr;
    QCheckBox *m_drawerBox = nullptr;
    QLabel *m_widthWarning = nullptr;
};
