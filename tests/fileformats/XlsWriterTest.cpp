#include "fileformats/XlsWriter.h"

#include "base/AppError.h"
#include "tests/fileformats/ReadBack.h"
#include "tests/support/PrintTo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <memory>

namespace {

class XlsWriterTest : public ::testing::Test
{
protected:
    // Always the same file: a save replaces what an earlier one left.
    std::vector<ReadSheet> saveAndRead(XlsWriter &book) const
    {
        book.save(file);
        return ReadWorkbook(file);
    }

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("book.xls"));
};

// Texts that need every kind of storage: one byte per character, UTF-16,
// and a text long enough to run over into a continued record (one boundary:
// the reader used here mishandles a string spread over three records).
TEST_F(XlsWriterTest, NumbersAndTextsReadBackExactlyAndUnsetCellsStayEmpty)
{
    const QString longText = QString(5000, QChar(0x4E2D)) + QStringLiteral("end");
    XlsWriter book;
    book.addSheet(QStringLiteral("Sheet1"));
    book.setText(0, 0, QStringLiteral("单号"));
    book.setText(0, 1, QStringLiteral("收银员"));
    book.setText(0, 3, QStringLiteral("Zahl ü"));
    book.setNumber(1, 0, 12.345);
    book.setText(1, 1, QStringLiteral("张三 Zhang"));
    book.setText(1, 2, QString()); // an empty text is no cell
    book.setNumber(1, 3, -0.5);
    book.setNumber(2, 0, 1e-5);
    book.setNumber(2, 1, 123456789012345.0);
    book.setNumber(2, 2, 0.0);
    book.setText(2, 3, QStringLiteral("20240102030405"));
    book.setText(4, 2, longText);

    const auto sheets = saveAndRead(book);

    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].name, QStringLiteral("Sheet1"));
    const std::vector<QStringList> expected = {
        {TextCell(QStringLiteral("单号")), TextCell(QStringLiteral("收银员")), QString(),
         TextCell(QStringLiteral("Zahl ü"))},
        {NumberCell(12.345), TextCell(QStringLiteral("张三 Zhang")), QString(), NumberCell(-0.5)},
        {NumberCell(1e-5), NumberCell(123456789012345.0), NumberCell(0.0), TextCell(QStringLiteral("20240102030405"))},
        {QString(), QString(), QString(), QString()},
        {QString(), QString(), TextCell(longText), QString()},
    };
    EXPECT_EQ(sheets[0].rows, expected);
}

// Thousands of shared strings of varied length and width fill the string
// table's records to every possible split point.
TEST_F(XlsWriterTest, ManySharedStringsSurviveTheSplitIntoContinuedRecords)
{
    XlsWriter book;
    book.addSheet(QStringLiteral("Sheet1"));
    std::vector<QStringList> expected;
    for (int row = 0; row < 3000; ++row) {
        const QString ascii = QStringLiteral("ticket-%1-").arg(row) + QString(row % 41, QLatin1Char('x'));
        const QString chinese = QStringLiteral("收银员%1").arg(row) + QString(row % 37, QChar(0x6C49));
        const QString repeated = row % 2 ? QStringLiteral("张三") : QStringLiteral("Li");
        book.setText(row, 0, ascii);
        book.setText(row, 1, chinese);
        book.setText(row, 2, repeated);
        expected.push_back({TextCell(ascii), TextCell(chinese), TextCell(repeated)});
    }

    const auto sheets = saveAndRead(book);

    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].rows, expected);
}

// Small workbooks live in the compound file's mini stream, from 4096 bytes on
// in ordinary sectors.
TEST_F(XlsWriterTest, WorkbooksAroundTheMiniStreamCutoffReadBack)
{
    const auto bookWithText = [](int length) {
        auto book = std::make_unique<XlsWriter>();
        book->addSheet(QStringLiteral("Sheet1"));
        book->setText(0, 0, QString(length, QLatin1Char('a')));
        return book;
    };
    const qint64 baseSize = bookWithText(1)->workbookSize();
    for (const int streamSize : {4700, 4097, 4096, 4095, int(baseSize)}) {
        SCOPED_TRACE(streamSize);
        const int length = 1 + streamSize - int(baseSize);
        const auto book = bookWithText(length);
        ASSERT_EQ(book->workbookSize(), streamSize);

        const auto sheets = saveAndRead(*book);

        ASSERT_EQ(sheets.size(), 1u);
        EXPECT_EQ(sheets[0].rows, std::vector<QStringList>{{TextCell(QString(length, QLatin1Char('a')))}});
    }
}

// Over 7 MB the allocation table outgrows the 109 sectors the file header
// lists, over about 15.5 MB one index sector more; every sheet must still be
// found at its offset. A full sheet of three number columns takes about 3.5 MB:
// three sheets need one index sector, five need two.
TEST_F(XlsWriterTest, FullSheetsReadBackPastEachIndexSector)
{
    for (const auto &[sheetCount, indexSectors] : {std::pair{3, 1u}, std::pair{5, 2u}}) {
        SCOPED_TRACE(sheetCount);
        XlsWriter book;
        for (int s = 0; s < sheetCount; ++s) {
            book.addSheet(QStringLiteral("表%1").arg(s + 1));
            for (int row = 0; row < XlsWriter::MaxRows; ++row) {
                book.setNumber(row, 0, row);
                book.setNumber(row, 1, s + row / 1000.0);
                book.setNumber(row, 2, -row);
            }
        }

        const auto sheets = saveAndRead(book);

        QFile saved(file);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        // The header's count of allocation-table index sectors.
        EXPECT_EQ(qFromLittleEndian<quint32>(saved.read(76).constData() + 72), indexSectors);
        ASSERT_EQ(sheets.size(), size_t(sheetCount));
        for (int s = 0; s < sheetCount; ++s) {
            SCOPED_TRACE(s);
            EXPECT_EQ(sheets[s].name, QStringLiteral("表%1").arg(s + 1));
            ASSERT_EQ(sheets[s].rows.size(), size_t(XlsWriter::MaxRows));
            for (int row = 0; row < XlsWriter::MaxRows; row += 997) {
                const QStringList expected = {NumberCell(row), NumberCell(s + row / 1000.0), NumberCell(-row)};
                ASSERT_EQ(sheets[s].rows[row], expected) << "row " << row;
            }
            EXPECT_EQ(sheets[s].rows.back()[2], NumberCell(-(XlsWriter::MaxRows - 1)));
        }
    }
}

TEST_F(XlsWriterTest, AnUnwritableTargetThrowsNamingTheFileAndLeavesNoFile)
{
    QDir(dir.path()).mkdir(QStringLiteral("existing folder"));
    for (const QString &target :
         {dir.filePath(QStringLiteral("no such folder/export.xls")), dir.filePath(QStringLiteral("existing folder"))}) {
        SCOPED_TRACE(target.toStdString());
        XlsWriter book;
        book.addSheet(QStringLiteral("Sheet1"));
        book.setText(0, 0, QStringLiteral("x"));
        try {
            book.save(target);
            FAIL() << "no error";
        } catch (const AppError &error) {
            EXPECT_TRUE(
                error.message().startsWith(QStringLiteral("无法写入文件 %1：").arg(QDir::toNativeSeparators(target))))
                << error.message().toStdString();
        }
        EXPECT_EQ(QDir(QFileInfo(target).absolutePath()).entryList(QDir::Files),
                  QStringList()); // no temporary file left behind either
    }
}

} // namespace
