#pragma once

#include <QImage>

class Report;

// A receipt as a receipt printer prints it: one image of every page of a
// print pass, one under the other, drawn by the same painter as the system
// printer, the preview and PDF. The paper width maps onto the printable
// width, so nothing is cut off; the length follows at the same scale. The
// result is 1 bit deep without dithering (QImage::Format_Mono, index 1 black),
// so that text and rules stay crisp. Its width is the printable width rounded
// down to whole bytes.
QImage RenderReceiptRaster(const Report &receipt, int dots);

// Black where a pixel is darker than mid-grey, white elsewhere.
QImage ThresholdToMono(const QImage &image);
