#pragma once

#include <QByteArray>

class QImage;

// The ESC/POS commands a receipt job is made of. Every printer that speaks
// ESC/POS understands these, whatever fonts or code pages it has.
namespace EscPos {

// ESC @: resets the printer to its power-on state.
QByteArray Initialize();
// GS v 0 raster blocks of at most kMaxRowsPerBlock rows each, top to bottom.
// The image is Format_Mono with index 1 black; each row is padded to whole
// bytes with white.
QByteArray RasterImage(const QImage &mono);
// ESC d: feeds the end of the print past the cutter.
QByteArray FeedPastCutter();
// GS V 1: a partial cut.
QByteArray PartialCut();
// ESC p 0: a pulse on the drawer's pin 2 (50 ms on, 500 ms off).
QByteArray DrawerPulse();

inline constexpr int kMaxRowsPerBlock = 255;

// One receipt as one cut piece: reset, the image, the feed, and the cut when
// cutting is on.
QByteArray ReceiptJob(const QImage &mono, bool cut);
// Opens the cash drawer.
QByteArray DrawerJob();

} // namespace EscPos
