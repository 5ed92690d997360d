#pragma once

#include "grid/DataGrid.h"
#include "tests/support/Controls.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QToolButton>

#include <vector>

// Drives the counter window as a cashier would: its controls by what they are,
// found by objectName (a missing one ends the test), and the steps tests repeat.
class CounterDriver
{
public:
    explicit CounterDriver(QWidget &counter)
        : m_counter(counter)
    { }

    // Header
    QLineEdit *shopName() const { return Find<QLineEdit>(m_counter, "Edit1"); }
    QLineEdit *ticketNumber() const { return Find<QLineEdit>(m_counter, "Edit2"); }
    QLineEdit *ticketTime() const { return Find<QLineEdit>(m_counter, "Edit3"); }
    QCheckBox *manualTime() const { return Find<QCheckBox>(m_counter, "CheckBox1"); }
    QCheckBox *withCustomer() const { return Find<QCheckBox>(m_counter, "CheckBox2"); }
    QLineEdit *customer() const { return Find<QLineEdit>(m_counter, "Edit4"); }
    QLineEdit *phone() const { return Find<QLineEdit>(m_counter, "Edit5"); }
    QLineEdit *address() const { return Find<QLineEdit>(m_counter, "Edit6"); }
    QAction *menuEntry(const char *name) const { return Find<QAction>(m_counter, name); }
    // Line entry
    QComboBox *product() const { return Find<QComboBox>(m_counter, "ComboBox1"); }
    QLineEdit *price() const { return Find<QLineEdit>(m_counter, "Edit7"); }
    QLineEdit *quantity() const { return Find<QLineEdit>(m_counter, "Edit8"); }
    QComboBox *discount() const { return Find<QComboBox>(m_counter, "ComboBox2"); }
    QLineEdit *amount() const { return Find<QLineEdit>(m_counter, "Edit9"); }
    QLineEdit *discounted() const { return Find<QLineEdit>(m_counter, "Edit10"); }
    QToolButton *dropFraction() const { return Find<QToolButton>(m_counter, "SpeedButton2"); }
    // Ticket lines
    QToolButton *add() const { return Find<QToolButton>(m_counter, "SpeedButton3"); }
    QToolButton *modify() const { return Find<QToolButton>(m_counter, "SpeedButton4"); }
    QToolButton *remove() const { return Find<QToolButton>(m_counter, "SpeedButton5"); }
    DataGrid *lines() const { return Find<DataGrid>(m_counter, "DBGridEh1"); }
    QLabel *totalQuantity() const { return Find<QLabel>(m_counter, "Label18"); }
    QLabel *totalAmount() const { return Find<QLabel>(m_counter, "Label19"); }
    QLabel *totalDiscounted() const { return Find<QLabel>(m_counter, "Label20"); }
    // Payment
    QLineEdit *cashier() const { return Find<QLineEdit>(m_counter, "Edit11"); }
    QLineEdit *payable() const { return Find<QLineEdit>(m_counter, "Edit12"); }
    QComboBox *paid() const { return Find<QComboBox>(m_counter, "ComboBox3"); }
    QLineEdit *change() const { return Find<QLineEdit>(m_counter, "Edit13"); }
    QToolButton *paymentMethods() const { return Find<QToolButton>(m_counter, "SpeedButton9"); }
    // Settings and actions
    QPlainTextEdit *remark() const { return Find<QPlainTextEdit>(m_counter, "Memo1"); }
    QComboBox *paperWidth() const { return Find<QComboBox>(m_counter, "ComboBox4"); }
    QComboBox *layout() const { return Find<QComboBox>(m_counter, "ComboBox5"); }
    QComboBox *copies() const { return Find<QComboBox>(m_counter, "ComboBox6"); }
    QToolButton *statistics() const { return Find<QToolButton>(m_counter, "SpeedButton6"); }
    QToolButton *preview() const { return Find<QToolButton>(m_counter, "SpeedButton7"); }
    QToolButton *printButton() const { return Find<QToolButton>(m_counter, "SpeedButton8"); }
    QLabel *waitingSales() const { return Find<QLabel>(m_counter, "WaitingSalesLabel"); }
    QLabel *setAsideSales() const { return Find<QLabel>(m_counter, "SetAsideSalesLabel"); }
    QLabel *scanMessage() const { return Find<QLabel>(m_counter, "ScanMessage"); }

    // Typing: one key press and release per character, as the keyboard sends them.
    static void type(QWidget *field, const QString &text);
    // Empties a field with the keyboard (select all, backspace), then types.
    static void retype(QWidget *field, const QString &text);
    static void erase(QWidget *field);
    static void click(QWidget *button);
    // A scanner's code: its characters msPerCharacter apart, then Enter, each
    // key to the widget that has the focus as it comes.
    static void scan(const QString &code, int msPerCharacter = 0);

    // Types a line's name, then its price (a null price keeps the looked-up
    // one), quantity and discount, without adding it.
    void enterLine(const QString &name, const QString &price, const QString &quantity,
                   const QString &discount = QStringLiteral("10")) const;
    // Sets a line's fields as a paste would and presses Add.
    void addLine(const QString &name, const QString &price, const QString &quantity) const;
    void clickLine(int row, Qt::KeyboardModifiers modifiers = {}) const;
    // Clicks the customer box until it is as asked.
    void showCustomer(bool shown) const;
    void print() const;
    // Opens 支付方式 by its button, or by F8, and returns it once active.
    QDialog *openPayments(bool byKey = false) const;
    // The amounts the payment dialog opens with, per method; it is closed again.
    std::vector<QString> chosenPayments() const;

    int lineCount() const;
    // Total quantity, amount and after discount, payable, change.
    std::vector<QString> totals() const;
    // Name, price, quantity, discount, amount, after discount.
    std::vector<QString> entry() const;
    // Whether Add, Modify and Delete are enabled.
    std::vector<bool> buttons() const;

private:
    QWidget &m_counter;
};
