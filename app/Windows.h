#pragma once

class TMainForm;
class TXstjForm;
class TXsmxForm;
class TSpxxForm;
class ReceiptWindow;
class ReceiptPrinter;

// The program's windows: each created once, hidden, and reached through its
// one global instance until the program ends.
extern TMainForm *MainForm;
extern TXstjForm *XstjForm;
extern TXsmxForm *XsmxForm;
extern TSpxxForm *SpxxForm;
extern ReceiptWindow *Dy58Form;
extern ReceiptWindow *Dy76Form;
extern ReceiptWindow *Edy76Form;
extern ReceiptWindow *Edy58Form;
// Where the checkout prints: the system's default printer.
extern ReceiptPrinter *ReceiptOutput;

// Creates the windows in order: main, statistics, detail, catalogue, one-part
// 58 mm, one-part 76 mm, two-part 76 mm, two-part 58 mm.
void CreateWindows();
// Destroys them again (the end of the program, and tests).
void DestroyWindows();
