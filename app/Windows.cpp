#include "app/Windows.h"

#include "checkout/Dy58Unit.h"
#include "checkout/Dy76Unit.h"
#include "checkout/Edy58Unit.h"
#include "checkout/Edy76Unit.h"
#include "counter/MainUnit.h"
#include "records/SpxxUnit.h"
#include "records/XsmxUnit.h"
#include "records/XstjUnit.h"

TMainForm *MainForm = nullptr;
TXstjForm *XstjForm = nullptr;
TXsmxForm *XsmxForm = nullptr;
TSpxxForm *SpxxForm = nullptr;
TDy58Form *Dy58Form = nullptr;
TDy76Form *Dy76Form = nullptr;
TEdy76Form *Edy76Form = nullptr;
TEdy58Form *Edy58Form = nullptr;

void CreateWindows()
{
    MainForm = new TMainForm();
    XstjForm = new TXstjForm();
    XsmxForm = new TXsmxForm();
    SpxxForm = new TSpxxForm();
    Dy58Form = new TDy58Form();
    Dy76Form = new TDy76Form();
    Edy76Form = new TEdy76Form();
    Edy58Form = new TEdy58Form();
}

template <typename Window>
static void destroy(Window *&window)
{
    delete window;
    window = nullptr;
}

void DestroyWindows()
{
    destroy(Edy58Form);
    destroy(Edy76Form);
    destroy(Dy76Form);
    destroy(Dy58Form);
    destroy(SpxxForm);
    destroy(XsmxForm);
    destroy(XstjForm);
    destroy(MainForm);
}
