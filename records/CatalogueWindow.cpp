#include "records/CatalogueWindow.h"

#include "base/PinyinInitials.h"
#include "data/shop/Catalogue.h"
#include "grid/DataGrid.h"
#include "grid/Dialogs.h"
#include "grid/Handlers.h"
#include "records/Controls.h"
#include "records/PriceCheck.h"
#include "records/PriceKey.h"
#include "records/RecordColumns.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

CatalogueWindow::CatalogueWindow(Session &session, QWidget *parent)
    : QDialog(parent)
    , m_products(session)
{
    buildLayout();
    connectHandlers();
}

CatalogueWindow::~CatalogueWindow() = default;

void CatalogueWindow::buildLayout()
{
    Controls::FixedWindow(this, "SpxxForm", QStringLiteral("商品信息"), 530, 456, 15);

    Controls::Label(this, "Label1", QStringLiteral("品名："), 32, 32);
    m_nameEdit = Controls::Edit(this, "Edit1", 80, 32, 217, 21);
    Controls::Label(this, "Label2", QStringLiteral("单价："), 320, 32);
    m_priceEdit = Controls::Edit(this, "Edit2", 368, 32, 121, 21);
    Controls::Label(this, "Label3", QStringLiteral("备注："), 32, 64);
    m_remarkEdit = Controls::Edit(this, "Edit3", 80, 64, 409, 21);
    Controls::Label(this, "Label4", QStringLiteral("条码："), 32, 96);
    m_barcodeEdit = Controls::Edit(this, "Edit4", 80, 96, 217, 21);
    Controls::Label(this, "Label5", QStringLiteral("简码："), 320, 96);
    m_shortCodeEdit = Controls::Edit(this, "Edit5", 368, 96, 121, 21);

    m_addButton = Controls::SpeedButton(this, "SpeedButton1", QStringLiteral("添加"), 56, 136, 97, 25);
    m_modifyButton = Controls::SpeedButton(this, "SpeedButton2", QStringLiteral("修改"), 208, 136, 97, 25);
    m_deleteButton = Controls::SpeedButton(this, "SpeedButton3", QStringLiteral("删除"), 360, 136, 97, 25);
    m_addButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    m_modifyButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_deleteButton->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    for (QToolButton *button : {m_addButton, m_modifyButton, m_deleteButton})
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    m_productGrid = new DataGrid(this);
    m_productGrid->setObjectName(QStringLiteral("DBGridEh1"));
    m_productGrid->setGeometry(16, 184, 497, 257);
    m_productGrid->setColumns(RecordColumns::Products());
    m_productGrid->setRowSet(&m_products);

    Controls::BottomStatusBar(this);

    setTabOrder(m_nameEdit, m_priceEdit);
    setTabOrder(m_priceEdit, m_remarkEdit);
    setTabOrder(m_remarkEdit, m_barcodeEdit);
    setTabOrder(m_barcodeEdit, m_shortCodeEdit);
    setTabOrder(m_shortCodeEdit, m_productGrid);
    m_priceEdit->installEventFilter(this);
    setRowChosen(false);
}

void CatalogueWindow::connectHandlers()
{
    ConnectHandler(m_productGrid, &DataGrid::cellClicked, this, &CatalogueWindow::showChosenProduct);
    ConnectHandler(m_addButton, &QToolButton::clicked, this, &CatalogueWindow::addProduct);
    ConnectHandler(m_modifyButton, &QToolButton::clicked, this, &CatalogueWindow::modifyChosenProduct);
    ConnectHandler(m_deleteButton, &QToolButton::clicked, this, &CatalogueWindow::deleteChosenProduct);
    connect(this, &QDialog::finished, this, &CatalogueWindow::catalogueChanged);
}

void CatalogueWindow::reload(const QString &barcode)
{
    Catalogue::OpenAll(m_products);
    emptyBoxes();
    m_barcodeEdit->setText(barcode);
    setRowChosen(false);
}

void CatalogueWindow::setRowChosen(bool chosen)
{
    m_addButton->setEnabled(!chosen);
    m_modifyButton->setEnabled(chosen);
    m_deleteButton->setEnabled(chosen);
}

void CatalogueWindow::emptyBoxes()
{
    m_nameEdit->clear();
    m_priceEdit->clear();
    m_remarkEdit->clear();
    m_barcodeEdit->clear();
    m_shortCodeEdit->clear();
}

void CatalogueWindow::showChosenProduct()
{
    if (m_products.recordCount() == 0) {
        setRowChosen(false);
        return;
    }
    setRowChosen(true);
    m_nameEdit->setText(m_products.text(QStringLiteral("品名")));
    m_priceEdit->setText(m_products.text(QStringLiteral("单价")));
    m_remarkEdit->setText(m_products.text(QStringLiteral("备注")));
    m_barcodeEdit->setText(m_products.text(QStringLiteral("条码")));
    m_shortCodeEdit->setText(m_products.text(QStringLiteral("简码")));
}

void CatalogueWindow::writeBoxesToCurrentRow()
{
    m_products.setText(QStringLiteral("品名"), m_nameEdit->text());
    m_products.setText(QStringLiteral("单价"), m_priceEdit->text());
    m_products.setText(QStringLiteral("备注"), m_remarkEdit->text());
    m_products.setText(QStringLiteral("条码"), m_barcodeEdit->text().trimmed());
    m_products.setText(QStringLiteral("简码"), m_shortCodeEdit->text().trimmed());
    m_products.post();
}

bool CatalogueWindow::priceIsStorable()
{
    const QString problem = PriceProblem(m_priceEdit->text());
    if (problem.isEmpty())
        return true;
    Dialogs::Message(this, problem, Dialogs::Icon::Warning);
    return false;
}

// Refuses, naming its product, a barcode another row holds; modifiedRow is the
// row being modified, -1 when adding.
bool CatalogueWindow::barcodeIsFree(int modifiedRow)
{
    const QString barcode = m_barcodeEdit->text().trimmed();
    const int codes = m_products.columnIndex(QStringLiteral("条码"));
    const int names = m_products.columnIndex(QStringLiteral("品名"));
    for (int row = 0; !barcode.isEmpty() && row < m_products.recordCount(); ++row)
        if (row != modifiedRow && m_products.textAt(row, codes) == barcode) {
            Dialogs::Message(
                this,
                QStringLiteral("条码 %1 已属于商品“%2”，不能重复使用！").arg(barcode, m_products.textAt(row, names)),
                Dialogs::Icon::Warning);
            return false;
        }
    return true;
}

void CatalogueWindow::addProduct()
{
    if (m_nameEdit->text().isEmpty() && m_priceEdit->text().isEmpty()) {
        Dialogs::Message(this, QStringLiteral("添加商品不能为空！"), Dialogs::Icon::None);
        return;
    }
    if (!priceIsStorable() || !barcodeIsFree(-1))
        return;
    if (m_shortCodeEdit->text().trimmed().isEmpty())
        m_shortCodeEdit->setText(PinyinInitials(m_nameEdit->text()));
    m_products.last();
    m_products.append();
    writeBoxesToCurrentRow();
    emptyBoxes();
}

void CatalogueWindow::modifyChosenProduct()
{
    // An empty list has no row to overwrite (the grid's own deletion may have
    // emptied it since the row was chosen); editing would begin a new row.
    if (m_nameEdit->text().isEmpty() || m_products.recordCount() == 0 || !priceIsStorable()
        || !barcodeIsFree(m_products.currentIndex()))
        return;
    m_products.edit();
    writeBoxesToCurrentRow();
    emptyBoxes();
    setRowChosen(false);
}

void CatalogueWindow::deleteChosenProduct()
{
    if (m_products.recordCount() == 0)
        return;
    m_products.deleteCurrent();
    emptyBoxes();
    setRowChosen(false);
}

bool CatalogueWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_priceEdit || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    // Only typed characters are filtered; keys that move the caret or the
    // focus, or close the window, are not characters of the box.
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    const QString typed = key->text();
    for (QChar character : typed) {
        if (!PriceKeyAccepted(m_priceEdit->text(), character))
            return true;
    }
    return false;
}
