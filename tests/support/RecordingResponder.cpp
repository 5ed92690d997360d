#include "tests/support/RecordingResponder.h"

RecordingResponder::RecordingResponder()
{
    Dialogs::SetResponder(this);
}

RecordingResponder::~RecordingResponder()
{
    Dialogs::SetResponder(nullptr);
}

void RecordingResponder::message(const Dialogs::Shown &s)
{
    shown.push_back(s);
}

bool RecordingResponder::confirm(const Dialogs::Shown &s)
{
    shown.push_back(s);
    return confirmAnswer;
}

QString RecordingResponder::fileName(Dialogs::FileDialog, const QString &filter)
{
    fileFilters.push_back(filter);
    if (fileAnswers.empty())
        return {};
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::vector<QString> RecordingResponder::texts() const
{
    std::vector<QString> result;
    for (const auto &s : shown)
        result.push_back(s.text);
    return result;
}
