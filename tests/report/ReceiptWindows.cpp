#include "tests/report/ReceiptWindows.h"

#include "checkout/Dy58Unit.h"
#include "checkout/Dy76Unit.h"
#include "checkout/Edy58Unit.h"
#include "checkout/Edy76Unit.h"

std::unique_ptr<TReceiptForm> MakeWindow(Template which)
{
    switch (which) {
    case Template::Dy58:
        return std::make_unique<TDy58Form>();
    case Template::Dy76:
        return std::make_unique<TDy76Form>();
    case Template::Edy58:
        return std::make_unique<TEdy58Form>();
    case Template::Edy76:
        break;
    }
    return std::make_unique<TEdy76Form>();
}

const char *TemplateName(Template which)
{
    switch (which) {
    case Template::Dy58:
        return "TDy58Form";
    case Template::Dy76:
        return "TDy76Form";
    case Template::Edy58:
        return "TEdy58Form";
    case Template::Edy76:
        break;
    }
    return "TEdy76Form";
}

int BaseLengthUnits(Template which)
{
    return which == Template::Dy58 || which == Template::Dy76 ? 350 : 500;
}
