#pragma once

#include <QString>

// The maker's web pages: the options menu opens them and the status bar shows
// the site.
namespace WebAddresses {

inline const QString Site = QStringLiteral("https://www.tindrel.com/");
inline const QString Faq = Site + QStringLiteral("ques.htm");

} // namespace WebAddresses
