#pragma once

#include "counter/ScannerSettings.h"
#include "data/shop/Catalogue.h"

#include <QString>

class Session;

// An EAN-8, UPC-A or EAN-13 code (8, 12 or 13 digits) whose last digit is its
// check digit; any other text has none to check and fits.
bool CheckDigitFits(const QString &code);

// What the text in the product box names when Enter is pressed there.
struct ScanResult
{
    enum class Kind {
        Product, // a catalogue product: sold at its price, one of it
        Weighed, // a scale's code: the product at its price, the quantity weighed
        Typed, // no product: one typed by hand, priced by the cashier
        Refused, // an unknown or misread code: nothing to add
    };
    Kind kind = Kind::Typed;
    Catalogue::Product product;
    QString quantity; // for a product and a weighed one
    QString amount; // for a weighed one sold by amount: the code's; else empty
    QString refusal; // why nothing is added
};

// The barcode, then the short code, then the name; a scale's code of an
// unknown barcode; otherwise an unknown code (8 or more digits) or a product
// typed by hand.
ScanResult ReadScan(Session &session, const QString &text, const ScannerSettings &scales);
