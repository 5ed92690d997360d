#include "counter/RemarkLines.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A remark box as the main window has it.
std::unique_ptr<QPlainTextEdit> remarkBox(const QString &text)
{
    auto box = std::make_unique<QPlainTextEdit>();
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setGeometry(80, 520, 281, 129);
    box->setPlainText(text);
    return box;
}

TEST(RemarkLinesTest, CountsTheLinesTheBoxShows)
{
    struct Case
    {
        const char *text;
        int lines;
    };
    const Case cases[] = {
        {"", 0},
        {"欢迎光临", 1},
        {"欢迎光临\n谢谢惠顾\n请保留小票", 3},
        {"欢迎光临\n谢谢惠顾\n", 2}, // the trailing empty line does not count
        {"欢迎光临\n\n谢谢惠顾", 3}, // an empty line inside does
        {"\n", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ShownLineCount(*remarkBox(QString::fromUtf8(c.text))), c.lines);
    }
}

TEST(RemarkLinesTest, WrappedLineCountsOncePerShownLine)
{
    const QString longLine = QString(60, QChar(0x6D4B)); // far wider than the box
    auto hidden = remarkBox(longLine + QStringLiteral("\n短"));
    const int lines = ShownLineCount(*hidden);
    EXPECT_GT(lines, 2);

    // A box that has been shown counts the same as one never shown, and as
    // many lines as it displays.
    auto shown = remarkBox(longLine + QStringLiteral("\n短"));
    shown->show();
    EXPECT_EQ(ShownLineCount(*shown), lines);
    int displayed = 0;
    for (QTextBlock block = shown->document()->begin(); block.isValid(); block = block.next()) {
        shown->document()->documentLayout()->blockBoundingRect(block);
        displayed += block.layout()->lineCount();
    }
    EXPECT_EQ(displayed, lines);

    // A narrower box wraps into more lines.
    shown->resize(150, 129);
    EXPECT_GT(ShownLineCount(*shown), lines);
}

// Every wrap boundary: a line of 1 to 150 characters counts exactly as many
// lines as the shown box lays out (one document margin too few or too many
// moves a boundary by a character).
TEST(RemarkLinesTest, MatchesTheBoxAtEveryWrapBoundary)
{
    auto box = remarkBox(QString());
    box->show();
    for (int length = 1; length <= 150; ++length) {
        box->setPlainText(QString(length, QChar(0x6D4B)));
        int displayed = 0;
        for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
            box->document()->documentLayout()->blockBoundingRect(block);
            displayed += block.layout()->lineCount();
        }
        ASSERT_EQ(ShownLineCount(*box), displayed) << length << " characters";
    }
}

} // namespace
