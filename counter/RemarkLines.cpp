#include "counter/RemarkLines.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <limits>

int ShownLineCount(QPlainTextEdit &memo)
{
    // A box that was never shown has not placed its viewport yet; give it the
    // resize it gets when it is first shown.
    if (memo.testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent resize(memo.size(), QSize());
        QCoreApplication::sendEvent(&memo, &resize);
    }
    // Lay each line out as the box does: at the viewport's width inside the
    // document margins, in the box's font and wrap mode.
    const QTextDocument &document = *memo.document();
    const qreal width = memo.lineWrapMode() == QPlainTextEdit::NoWrap
        ? qreal(std::numeric_limits<int>::max())
        : memo.viewport()->width() - 2 * document.documentMargin();
    int lines = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block == document.lastBlock() && block.text().isEmpty())
            break;
        QTextLayout layout(block.text(), document.defaultFont());
        layout.setTextOption(document.defaultTextOption());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++lines;
        }
        layout.endLayout();
    }
    return lines;
}
