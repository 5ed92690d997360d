#pragma once

#include "data/store/RowSet.h"

#include <QDialog>

class Session;
class DataGrid;
class QEvent;
class QLineEdit;
class QToolButton;

// The product catalogue: lists, adds, modifies and deletes the products of spxx.
class CatalogueWindow : public QDialog
{
    Q_OBJECT
public:
    explicit CatalogueWindow(Session &session, QWidget *parent = nullptr);
    ~CatalogueWindow() override;

    // Brings the window up to date before each opening: lists the products as
    // the data file holds them, empties the boxes but for a barcode to add a
    // product with, and enables Add only.
    void reload(const QString &barcode = {});

signals:
    // The window closed; products may have been added, modified or deleted.
    void catalogueChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void connectHandlers();
    void showChosenProduct();
    void addProduct();
    void modifyChosenProduct();
    void deleteChosenProduct();
    // Warns of a price that cannot be stored.
    bool priceIsStorable();
    bool barcodeIsFree(int modifiedRow);
    void writeBoxesToCurrentRow();
    void setRowChosen(bool chosen);
    void emptyBoxes();

    RowSet m_products;
    QLineEdit *m_nameEdit = nullptr;
    QLineEdit *m_priceEdit = nullptr;
    QLineEdit *m_remarkEdit = nullptr;
    QLineEdit *m_barcodeEdit = nullptr;
    QLineEdit *m_shortCodeEdit = nullptr;
    QToolButton *m_addButton = nullptr;
    QToolButton *m_modifyButton = nullptr;
    QToolButton *m_deleteButton = nullptr;
    DataGrid *m_productGrid = nullptr;
};
