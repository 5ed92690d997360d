#pragma once

#include "data/Connection.h"
#include "data/RowSet.h"

#include <QDialog>

class DataGrid;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;

// The sales statistics: lists, searches, deletes and exports the recorded
// tickets of xstj; a double-click shows a ticket's sold lines.
class TXstjForm : public QDialog
{
    Q_OBJECT
public:
    explicit TXstjForm(QWidget *parent = nullptr);
    ~TXstjForm() override;

    QToolButton *SpeedButton1; // export
    QToolButton *SpeedButton2; // delete
    QToolButton *SpeedButton3; // close
    QGroupBox *GroupBox1;
    QLabel *Label1, *Label2, *Label3;
    QLineEdit *Edit1; // ticket number
    QLineEdit *Edit2; // cashier
    QToolButton *SpeedButton4; // query
    QCheckBox *CheckBox1;      // search by dates
    QDateEdit *DateTimePicker1, *DateTimePicker2;
    QToolButton *SpeedButton5; // refresh
    DataGrid *DBGridEh1 = nullptr;
    QStatusBar *StatusBar1;
    QLineEdit *Edit3; // hidden: the ticket number handed to the detail window

    Connection ADOConnection1;
    RowSet ADOQuery1{ADOConnection1};

    // Brings the window up to date before each opening: reconnects and lists
    // every ticket in ticket-number order.
    void Reload();

    void FormShow();
    void CheckBox1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void DBGridEh1DblClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildLayout();
    void ConnectHandlers();
};
