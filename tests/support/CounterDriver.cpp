#include "tests/support/CounterDriver.h"

#include "data/store/RowSet.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTableView>
#include <QTest>

void CounterDriver::type(QWidget *field, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

void CounterDriver::erase(QWidget *field)
{
    if (auto *box = qobject_cast<QComboBox *>(field))
        box->lineEdit()->selectAll();
    else if (auto *text = qobject_cast<QPlainTextEdit *>(field))
        text->selectAll();
    else
        static_cast<QLineEdit *>(field)->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
}

void CounterDriver::retype(QWidget *field, const QString &text)
{
    erase(field);
    type(field, text);
}

void CounterDriver::click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void CounterDriver::scan(const QString &code, int msPerCharacter)
{
    for (const QChar c : code) {
        QTest::qWait(msPerCharacter);
        type(QApplication::focusWidget(), QString(c));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

void CounterDriver::enterLine(const QString &name, const QString &price, const QString &quantity,
                              const QString &discount) const
{
    type(product(), name);
    if (!price.isNull())
        retype(this->price(), price);
    retype(this->quantity(), quantity);
    retype(this->discount(), discount);
}

void CounterDriver::addLine(const QString &name, const QString &price, const QString &quantity) const
{
    product()->setEditText(name);
    this->price()->setText(price);
    this->quantity()->setText(quantity);
    click(add());
}

void CounterDriver::clickLine(int row, Qt::KeyboardModifiers modifiers) const
{
    QTableView *view = lines()->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                      view->visualRect(view->model()->index(row, 1)).center());
}

void CounterDriver::showCustomer(bool shown) const
{
    if (withCustomer()->isChecked() != shown)
        withCustomer()->click();
}

void CounterDriver::print() const
{
    click(printButton());
}

QDialog *CounterDriver::openPayments(bool byKey) const
{
    if (byKey) {
        m_counter.activateWindow();
        if (!QTest::qWaitForWindowActive(&m_counter))
            throw std::runtime_error("the counter is not active");
        QTest::keyClick(&m_counter, Qt::Key_F8);
    } else {
        click(paymentMethods());
    }
    for (QDialog *dialog : m_counter.findChildren<QDialog *>(QStringLiteral("PaymentDialog"))) {
        // Active of its own, not through its parent: its boxes take the focus.
        dialog->activateWindow();
        if (dialog->isVisible() && QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }))
            return dialog;
    }
    throw std::runtime_error("no payment dialog");
}

std::vector<QString> CounterDriver::chosenPayments() const
{
    QDialog *dialog = openPayments(true);
    std::vector<QString> amounts;
    for (const char *box : {"PayCash", "PayWeChat", "PayAlipay", "PayCard", "PayOther"})
        amounts.push_back(Find<QLineEdit>(dialog, box)->text());
    dialog->reject();
    return amounts;
}

int CounterDriver::lineCount() const
{
    return lines()->rowSet()->recordCount();
}

std::vector<QString> CounterDriver::totals() const
{
    return {totalQuantity()->text(), totalAmount()->text(), totalDiscounted()->text(), payable()->text(),
            change()->text()};
}

std::vector<QString> CounterDriver::entry() const
{
    return {product()->currentText(),  price()->text(),  quantity()->text(),
            discount()->currentText(), amount()->text(), discounted()->text()};
}

std::vector<bool> CounterDriver::buttons() const
{
    return {add()->isEnabled(), modify()->isEnabled(), remove()->isEnabled()};
}
