#include "app/Windows.h"

#include "checkout/ReceiptWindow.h"
#include "checkout/SystemPrinter.h"
#include "counter/MainUnit.h"
#include "records/SpxxUnit.h"
#include "records/XsmxUnit.h"
#include "records/XstjUnit.h"

TMainForm *MainForm = nullptr;
TXstjForm *XstjForm = nullptr;
TXsmxForm *XsmxForm = nullptr;
TSpxxForm *SpxxForm = nullptr;
ReceiptWindow *Dy58Form = nullptr;
ReceiptWindow *Dy76Form = nullptr;
ReceiptWindow *Edy76Form = nullptr;
ReceiptWindow *Edy58Form = nullptr;
ReceiptPrinter *ReceiptOutput = nullptr;

void CreateWindows()
{
    MainForm = new TMainForm();
    XstjForm = new TXstjForm();
    XsmxForm = new TXsmxForm();
    SpxxForm = new TSpxxForm();
    Dy58Form = new ReceiptWindow(ReceiptTemplate::OnePart58);
    Dy76Form = new ReceiptWindow(ReceiptTemplate::OnePart76);
    Edy76Form = new ReceiptWindow(ReceiptTemplate::TwoPart76);
    Edy58Form = new ReceiptWindow(ReceiptTemplate::TwoPart58);
    ReceiptOutput = new SystemPrinter();
}

template <typename Window>
static void destroy(Window *&window)
{
    delete window;
    window = nullptr;
}

void DestroyWindows()
{
    destroy(ReceiptOutput);
    destroy(Edy58Form);
    destroy(Edy76Form);
    destroy(Dy76Form);
    destroy(Dy58Form);
    destroy(SpxxForm);
    destroy(XsmxForm);
    destroy(XstjForm);
    destroy(MainForm);
}
