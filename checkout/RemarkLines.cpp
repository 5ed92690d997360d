#include "checkout/RemarkLines.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

int ShownLineCount(QPlainTextEdit &memo)
{
    // A box that was never shown has not been told its size yet and would not
    // wrap; give it the resize it gets when it is first shown.
    if (memo.testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent resize(memo.size(), QSize());
        QCoreApplication::sendEvent(&memo, &resize);
    }
    const QTextDocument *document = memo.document();
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    int lines = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block == document->lastBlock() && block.text().isEmpty())
            break;
        layout->blockBoundingRect(block); // lays the block out at the box's width
        lines += block.layout()->lineCount();
    }
    return lines;
}
