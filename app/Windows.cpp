#include "app/Windows.h"

#include "checkout/Dy58Unit.h"
#include "checkout/Dy76Unit.h"
#include "checkout/Edy58Unit.h"
#include "checkout/Edy76Unit.h"
#include "counter/MainUnit.h"
#include "data/Connection.h"
#include "data/DataFile.h"
#include "records/CatalogueWindow.h"
#include "records/SaleDetailWindow.h"
#include "records/StatisticsWindow.h"

TMainForm *MainForm = nullptr;
StatisticsWindow *XstjForm = nullptr;
SaleDetailWindow *XsmxForm = nullptr;
CatalogueWindow *SpxxForm = nullptr;
// The records windows' shared session, until the application object owns the one session.
static Connection *RecordsSession = nullptr;
TDy58Form *Dy58Form = nullptr;
TDy76Form *Dy76Form = nullptr;
TEdy76Form *Edy76Form = nullptr;
TEdy58Form *Edy58Form = nullptr;

void CreateWindows()
{
    MainForm = new TMainForm();
    RecordsSession = new Connection();
    RecordsSession->setConnectionString(DataFile::Path());
    XsmxForm = new SaleDetailWindow(*RecordsSession);
    XstjForm = new StatisticsWindow(*RecordsSession, *XsmxForm);
    SpxxForm = new CatalogueWindow(*RecordsSession);
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
    destroy(RecordsSession);
    destroy(MainForm);
}
