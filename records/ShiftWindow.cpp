#include "records/ShiftWindow.h"

#include "base/AppError.h"
#include "checkout/PrintProgress.h"
#include "data/shop/PrintSettings.h"
#include "data/store/Session.h"
#include "grid/Dialogs.h"
#include "grid/Handlers.h"
#include "printers/ReceiptPrinter.h"
#include "records/ShiftReport.h"
#include "report/Report.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ShiftWindow::ShiftWindow(Session &session, ReceiptPrinter &printer, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_printer(printer)
    , m_shift(Shift::Current(session))
    , m_text(new QPlainTextEdit(this))
    , m_floatBox(new QLineEdit(this))
    , m_countedBox(new QLineEdit(this))
    , m_difference(new QLabel(this))
{
    setObjectName(QStringLiteral("ShiftForm"));
    setWindowTitle(QStringLiteral("交班"));
    if (m_shift.cashier.isEmpty())
        m_shift.cashier = LoadPrintSettings(session).cashier;
    m_text->setObjectName(QStringLiteral("ReportText"));
    m_text->setReadOnly(true);
    m_floatBox->setObjectName(QStringLiteral("FloatBox"));
    m_floatBox->setText(m_shift.openingFloat.displayText());
    m_countedBox->setObjectName(QStringLiteral("CountedBox"));
    m_difference->setObjectName(QStringLiteral("DifferenceLabel"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("备用金"), m_floatBox);
    form->addRow(QStringLiteral("现金实点"), m_countedBox);
    form->addRow(QStringLiteral("差额"), m_difference);
    auto *confirmButton = new QPushButton(QStringLiteral("确认交班"), this);
    confirmButton->setObjectName(QStringLiteral("ConfirmButton"));
    auto *cancelButton = new QPushButton(QStringLiteral("取消"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirmButton);
    buttons->addWidget(cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(360, 560);

    connect(m_floatBox, &QLineEdit::textChanged, this, &ShiftWindow::showReport);
    connect(m_countedBox, &QLineEdit::textChanged, this, &ShiftWindow::showReport);
    ConnectHandler(confirmButton, &QPushButton::clicked, this, &ShiftWindow::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    showReport();
}

// The report with the float and the count as typed; a box that holds no
// amount counts as zero until confirming refuses it.
void ShiftWindow::showReport()
{
    m_shift.openingFloat = Amount::tryFromText(m_floatBox->text()).value_or(Amount());
    m_shift.counted = Amount::tryFromText(m_countedBox->text()).value_or(Amount());
    m_text->setPlainText(ShiftReportLines(m_shift).join(QLatin1Char('\n')));
    const Amount difference = m_shift.difference();
    const QString name = Shift::DifferenceName(difference);
    m_difference->setText(m_countedBox->text().trimmed().isEmpty() ? QString()
                                                                   : difference.cents().figureText()
                                  + (name.isEmpty() ? QString() : QLatin1Char(' ') + name));
}

void ShiftWindow::confirm()
{
    for (QLineEdit *box : {m_floatBox, m_countedBox})
        if (!Amount::tryFromText(box->text()).has_value()) {
            box->setFocus();
            throw AppError(box == m_floatBox ? QStringLiteral("备用金不是有效的金额。")
                                             : QStringLiteral("请输入点出的现金金额。"));
        }
    showReport();
    Shift::Close(m_session, m_shift);
    // The shift is kept whatever the printer does; 交班记录 reprints it.
    Dialogs::Guarded(this, [this] {
        const std::unique_ptr<Report> slip = BuildShiftReport(ShiftReportLines(m_shift),
                                                              LoadPrintSettings(m_session).pos);
        PrintWithProgress(this, {[this, &slip] {
                              m_printer.print(*slip, QStringLiteral("交班报表"));
                              m_printer.saleFinished(); // opens the drawer
                          }});
    });
    accept();
}
