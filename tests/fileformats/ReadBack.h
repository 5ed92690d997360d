#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A workbook as an independent reader (libfreexl) sees it. Each cell reads as
// "" when empty, "n:<shortest decimal>" for a number, "t:<text>" for a text.
struct ReadSheet
{
    QString name;
    std::vector<QStringList> rows; // as many rows and columns as the sheet declares
};

// Throws std::runtime_error naming the reader's error code when it refuses the file.
std::vector<ReadSheet> ReadWorkbook(const QString &fileName);

QString NumberCell(double value);
QString TextCell(const QString &text);
