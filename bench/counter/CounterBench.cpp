// Times the counter's price look-up and line add against a large catalogue and
// a long ticket, and how quickly the grid shows a very large row set.
#include "app/Application.h"
#include "bench/support/BenchDataFile.h"
#include "bench/support/SalesHistory.h"
#include "counter/CounterWindow.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "grid/DataGrid.h"
#include "tests/support/Controls.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <cstdio>

namespace {

double Milliseconds(const QElapsedTimer &timer, int runs)
{
    return double(timer.nsecsElapsed()) / 1e6 / runs;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchDataFile data;
    const QString file = data.path();

    Session connection;
    connection.setConnectionString(file);
    GenerateProducts(connection, 5000);

    Session session;
    Application program(session);
    CounterWindow &form = program.counter();
    auto *productBox = Find<QComboBox>(form, "ComboBox1");
    auto *priceEdit = Find<QLineEdit>(form, "Edit7");
    auto *quantityEdit = Find<QLineEdit>(form, "Edit8");
    auto *addButton = Find<QToolButton>(form, "SpeedButton3");
    const int picks = 200;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < picks; ++i) {
        productBox->setEditText(QStringLiteral("商品%1").arg(1 + (i * 37) % 5000));
        emit productBox->activated(0); // a pick from the list
    }
    std::printf("price look-up, 5,000 products:       %.3f ms (last price %s)\n", Milliseconds(timer, picks),
                qPrintable(priceEdit->text()));

    auto enter = [&] {
        productBox->setEditText(QStringLiteral("商品1"));
        priceEdit->setText(QStringLiteral("3.3"));
        quantityEdit->setText(QStringLiteral("3"));
        QTest::keyClick(quantityEdit, Qt::Key_End); // the amounts follow the key
    };
    for (int i = 0; i < 100; ++i) {
        enter();
        addButton->click();
    }
    const int adds = 50;
    double total = 0;
    for (int i = 0; i < adds; ++i) {
        enter();
        timer.restart();
        addButton->click();
        total += double(timer.nsecsElapsed()) / 1e6;
    }
    std::printf("add with totals, ticket of 100+ lines: %.3f ms\n", total / adds);

    connection.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 200000) "
                                   "insert into xsmx (单号, 品名, 单价, 数量, 金额, 折后) "
                                   "select 'T' || i, 'p' || i, 1.5, 2, 3, 2.85 from n"));
    RowSet rows(connection);
    rows.setStatement(QStringLiteral("select * from xsmx"));
    timer.restart();
    rows.open();
    const double openMs = Milliseconds(timer, 1);
    DataGrid grid;
    GridColumn number;
    number.rowNumbers = true;
    GridColumn amount;
    amount.field = QStringLiteral("折后");
    amount.displayFormat = QStringLiteral("#0.##");
    amount.footer = FooterKind::Sum;
    grid.setColumns({number, amount});
    grid.setFooterVisible(true);
    grid.resize(600, 400);
    timer.restart();
    grid.setRowSet(&rows);
    grid.show();
    grid.repaint();
    std::printf("200,000 rows: row set opens in %.1f ms, grid shows them in %.1f ms\n", openMs, Milliseconds(timer, 1));
    timer.restart();
    rows.last();
    grid.repaint();
    std::printf("200,000 rows: moving to the last row and repainting: %.1f ms\n", Milliseconds(timer, 1));
    return 0;
}
