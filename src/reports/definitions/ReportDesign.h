#pragma once

#include "ReportPageFrame.h"

#include <QFont>
#include <QString>

class ColumnBlock;
class ReportBand;
class ReportDefinition;

// What the program's reports share beyond the page frame: type, the call and action blocks,
// the count of calls in the summary.
namespace ReportDesign {

inline constexpr auto kDateFormat = "ddddd hh:nn";
inline constexpr double kLineHeight = 12;

QFont captionFont();   // column captions and fixed words
QFont valueFont();     // the data
QFont headingFont();   // group headings

// The page frame, with the block's captions (when given) between the title lines and the rule.
void addFrame(ReportDefinition &definition, const QString &title, ReportPageFrame::RangeLine rangeLine,
              const ColumnBlock *captions = nullptr);

// The summary band: the count of every row of the report and "Total Calls".
void addTotalCalls(ReportDefinition &definition);

// The six rows of a call: organisation, dates, people, values, the five user fields (captioned
// UserLabel1..5) and the notes. With the turnaround, "Days" and "hh:mm" end its first row.
enum class Turnaround { Without, With };
ColumnBlock callBlock(Turnaround turnaround = Turnaround::Without);

// The four rows of an action, right of the word "Action" that begins the action's band.
ColumnBlock actionBlock();
void addActionWord(ReportBand &band);

} // namespace ReportDesign
