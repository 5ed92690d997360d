#pragma once

class TMainForm;
class StatisticsWindow;
class SaleDetailWindow;
class CatalogueWindow;
class TDy58Form;
class TDy76Form;
class TEdy58Form;
class TEdy76Form;

// The program's windows: each created once, hidden, and reached through its
// one global instance until the program ends.
extern TMainForm *MainForm;
extern StatisticsWindow *XstjForm;
extern SaleDetailWindow *XsmxForm;
extern CatalogueWindow *SpxxForm;
extern TDy58Form *Dy58Form;
extern TDy76Form *Dy76Form;
extern TEdy76Form *Edy76Form;
extern TEdy58Form *Edy58Form;

// Creates the windows in order: main, statistics, detail, catalogue, one-part
// 58 mm, one-part 76 mm, two-part 76 mm, two-part 58 mm.
void CreateWindows();
// Destroys them again (the end of the program, and tests).
void DestroyWindows();
