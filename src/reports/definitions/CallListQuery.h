#pragma once

#include <QString>

// The query of the reports that list calls one by one: every call with its people, its
// contact's organisation and the descriptions of its values, whether or not they are set.
namespace CallListQuery {

// The quote the blank between first and last names is written with (" or ').
QString text(QChar nameBlankQuote = u'"');

// The live calls: those whose status is described as open (in any letter case).
QString liveCallsText(QChar nameBlankQuote = u'"');

} // namespace CallListQuery
