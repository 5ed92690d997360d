#pragma once

#include "grid/Dialogs.h"

#include <deque>
#include <vector>

// Answers the program's dialogs in tests and records what they showed.
// Installed for its lifetime.
class RecordingResponder : public Dialogs::Responder
{
public:
    RecordingResponder();
    ~RecordingResponder() override;

    void message(const Dialogs::Shown &shown) override;
    bool confirm(const Dialogs::Shown &shown) override;
    QString fileName(Dialogs::FileDialog kind, const QString &filter) override;

    std::vector<Dialogs::Shown> shown; // messages, errors and questions, in order
    std::vector<QString> texts() const;
    bool confirmAnswer = true;
    std::deque<QString> fileAnswers; // next file dialog answers; empty text = cancel
    std::vector<QString> fileFilters;
};
