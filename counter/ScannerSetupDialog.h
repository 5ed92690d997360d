#pragma once

#include "counter/ScannerSettings.h"

#include <QDialog>

class QRadioButton;
class QSpinBox;

// "扫码设置": how this machine reads the scales' codes, kept in counter.conf.
// OK saves the settings shown; a range whose first prefix lies past its last
// is refused with a message.
class ScannerSetupDialog : public QDialog
{
    Q_OBJECT
public:
    // Throws AppError for a settings file that cannot be used.
    explicit ScannerSetupDialog(QWidget *parent = nullptr, const QString &confPath = CounterConfPath());

    // The settings as the controls show them.
    ScannerSettings chosen() const;

private:
    void saveAndClose();

    QString m_confPath;
    QSpinBox *m_from, *m_to;
    QRadioButton *m_byAmount, *m_byWeight;
};
