#pragma once

#include "printers/PrinterConf.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
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

private:
    void buildControls();
    void showConf(const PrinterConf &conf);
    void updateEnabled();
    void saveAndClose();
    void printTestPage();

    ReceiptPrinter &m_systemPrinter;
    QString m_shopName;
    QString m_confPath;
    QComboBox *m_kindBox = nullptr;
    QComboBox *m_connectionBox = nullptr;
    QLineEdit *m_locationEdit = nullptr;
    QComboBox *m_widthBox = nullptr;
    QSpinBox *m_dotsBox = nullptr;
    QCheckBox *m_cutBox = nullptr;
    QCheckBox *m_drawerBox = nullptr;
};
