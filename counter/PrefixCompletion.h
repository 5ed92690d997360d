#pragma once

#include <QObject>

class QComboBox;

// Completes what is typed into an editable drop-down box to the first list
// item that begins with it (ignoring case), selecting the completed part so
// that the next character replaces it. Deleting and pasting do not complete.
// completed() follows each completion: the box now shows a listed item.
class PrefixCompletion : public QObject
{
    Q_OBJECT
public:
    explicit PrefixCompletion(QComboBox *box);

signals:
    void completed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void complete(const QString &typed);

    QComboBox *m_box;
    bool m_typing = false; // the next text change comes from a typed character
};
