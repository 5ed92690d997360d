#pragma once

#include <QString>

#include <optional>
#include <vector>

// What the checkout prints, worked out from the print settings.

// The four receipt templates.
enum class ReceiptTemplate { OnePart58, TwoPart58, OnePart76, TwoPart76 };

// The template the paper width ("58", "76") and part count ("一联", "两联")
// texts choose, compared exactly; none for any other text.
std::optional<ReceiptTemplate> ChooseReceipt(const QString &paperWidth, const QString &parts);

// The paper of a template's receipt without lines and remark, in 1/96 inch.
int BaseLengthUnits(ReceiptTemplate which);

// Lengths in units of 1/96 inch: the remark box grows 17 units per remark
// line, the paper as well and by the height of a detail row per ticket line.
int RemarkBoxHeightUnits(int remarkLines);
int PaperLengthUnits(int remarkLines, int ticketLines, int lineUnits, int baseLengthUnits);

// The two reports of a template: without and with the customer block.
enum class ReceiptReport { Plain, Customer };

struct PrintRun
{
    ReceiptReport report;
    int copies; // 0 when the copies text is neither "1" nor "2"
};

// The report the customer flag chooses, printed or previewed.
ReceiptReport ReportFor(bool withCustomer);
PrintRun ChoosePrintRun(bool withCustomer, const QString &copies);
