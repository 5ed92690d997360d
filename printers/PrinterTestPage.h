#pragma once

#include <memory>

class QString;
class Report;

// The page the printer set-up prints to check a printer: the shop name, the
// printable width in dots, a ruler across that width (a mark every 5 mm,
// numbered every 10 mm, and one at the right edge) and a line of Chinese
// text. Its paper is as wide as the printable width at 8 dots per millimetre.
std::unique_ptr<Report> BuildPrinterTestPage(const QString &shopName, int dots);
