#pragma once

#include <QDialog>

class QLineEdit;
class Session;

// 备用金: sets the opening float of the shift now open; it stays for the
// following shifts until set again.
class OpeningFloatDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OpeningFloatDialog(Session &session, QWidget *parent = nullptr);

private:
    void save();

    Session &m_session;
    QLineEdit *m_box;
};
