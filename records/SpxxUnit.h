#pragma once

#include "data/Connection.h"
#include "data/RowSet.h"

#include <QDialog>

class DataGrid;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;

// The product catalogue: lists, adds, modifies and deletes the products of spxx.
class TSpxxForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSpxxForm(QWidget *parent = nullptr);
    ~TSpxxForm() override;

    QLabel *Label1, *Label2, *Label3;
    QLineEdit *Edit1; // name
    QLineEdit *Edit2; // price
    QLineEdit *Edit3; // remark
    QToolButton *SpeedButton1; // add
    QToolButton *SpeedButton2; // modify
    QToolButton *SpeedButton3; // delete
    DataGrid *DBGridEh1 = nullptr;
    QStatusBar *StatusBar1;

    Connection ADOConnection1;
    RowSet ADOQuery1{ADOConnection1};

    // Brings the window up to date before each opening: reconnects, reloads the
    // list, empties the boxes and enables Add only.
    void Reload();

    void DBGridEh1CellClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    // Whether the price box takes the typed character.
    bool Edit2KeyPress(QChar typed) const;
    void FormClose();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildLayout();
    void ConnectHandlers();
    void SetRowChosen(bool chosen);
    void EmptyBoxes();
};
