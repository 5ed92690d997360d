#pragma once

#include "checkout/ReceiptForm.h"

#include <memory>

// The four template windows by name, for tables of cases.
enum class Template { Dy58, Dy76, Edy58, Edy76 };

std::unique_ptr<TReceiptForm> MakeWindow(Template which);
const char *TemplateName(Template which);

// The base paper length of a template's receipts, in 1/96 inch.
int BaseLengthUnits(Template which);
