#pragma once

#include <QString>

class Session;
class QWidget;
class ReceiptPrinter;

// Reprints the receipt of the ticket recorded under `number` for a window's
// button, telling the user why when nothing can be printed.
void ReprintTicket(QWidget *window, Session &session, ReceiptPrinter &printer, const QString &number);
