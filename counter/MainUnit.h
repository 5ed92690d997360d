#pragma once

#include "data/Connection.h"
#include "data/RowSet.h"

#include <QWidget>

class DataGrid;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QMouseEvent;
class QPlainTextEdit;
class QStatusBar;
class QTimer;
class QToolButton;

// The sales counter: the application's main window.
class TMainForm : public QWidget
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // Header and chrome
    QLabel *Image1, *Image2, *Image3, *Image4;
    QToolButton *SpeedButton1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6;
    QCheckBox *CheckBox1, *CheckBox2;
    QFrame *Panel2;
    // Line entry
    QLabel *Label6, *Label7, *Label8, *Label9, *Label10, *Label11;
    QComboBox *ComboBox1, *ComboBox2;
    QLineEdit *Edit7, *Edit8, *Edit9, *Edit10;
    QToolButton *SpeedButton2;
    // Lines
    QToolButton *SpeedButton3, *SpeedButton4, *SpeedButton5;
    DataGrid *DBGridEh1 = nullptr;
    QFrame *Panel1;
    QLabel *Label17, *Label18, *Label19, *Label20;
    // Payment
    QLabel *Label12, *Label13, *Label14, *Label15;
    QLineEdit *Edit11, *Edit12, *Edit13;
    QComboBox *ComboBox3;
    // Bottom
    QLabel *Label16, *Label21, *Label22, *Label23;
    QPlainTextEdit *Memo1;
    QComboBox *ComboBox4, *ComboBox5, *ComboBox6;
    QToolButton *SpeedButton6, *SpeedButton7, *SpeedButton8;
    QStatusBar *StatusBar1;
    // Non-visual
    QTimer *Timer1;
    QMenu *PopupMenu1;
    QAction *N1, *N2, *N3, *N4, *N5, *N6, *N7, *N8, *N9;

    Connection ADOConnection1;
    RowSet ADOQuery1; // products: the name list, then the price look-up
    RowSet ADOQuery2; // the current ticket's lines (xsxx)
    RowSet ADOQuery3; // the settings row (dynr)

    // Start-up and header
    void FormCreate();
    void ReloadProductList();
    void Timer1Timer();
    void CheckBox1Click();
    void CheckBox2Click();
    void Image2Click();
    void Image3Click();
    void SpeedButton1Click();

    // Line entry and pricing
    void ComboBox1Click();
    void RecomputeLine();

    // Ticket lines
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void DBGridEh1CellClick();
    void RefreshTotals();

    // Payment and change
    void ComputeChange();
    void SpeedButton2Click();

    // Checkout and preview
    void SpeedButton8Click();
    void SpeedButton7Click();

    // Records windows
    void N1Click();
    void N2Click();
    void SpeedButton6Click();

    // Maintenance
    void N4Click();
    void N5Click();
    void N7Click();
    void N8Click();
    void N9Click();

protected:
    // The banner drags the frameless window.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildLayout();
    // Each part of the window wires its own controls.
    void ConnectHeader();
    void ConnectLineEntry();
    void ConnectTicketLines();
    void ConnectPayment();
    void ConnectCheckout();
    void ConnectPreview();
    void ConnectRecords();
    void ConnectMaintenance();
};
