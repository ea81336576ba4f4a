#include "ReportDesign.h"

#include "ColumnBlock.h"
#include "ReportAggregate.h"
#include "ReportDefinition.h"
#include "ReportText.h"

namespace ReportDesign {
namespace {

using Kind = ColumnBlock::Kind;

// The body of A4 with 10 mm margins is 538 points wide: three columns of a call or an action,
// with room at the right end for the turnaround.
constexpr double kLeft = 0;
constexpr double kMiddle = 180;
constexpr double kRight = 355;
constexpr double kBlockWidth = 538;
constexpr double kActionIndent = 45;

QRectF cell(double x, int row, double width)
{
    return {x, row * kLineHeight, width, kLineHeight};
}

QFont font(double points, bool bold)
{
    QFont f = ReportText::defaultFont();
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace

QFont captionFont() { return font(8, true); }
QFont valueFont() { return font(8, false); }
QFont headingFont() { return font(10, true); }

void addFrame(ReportDefinition &definition, const QString &title, ReportPageFrame::RangeLine rangeLine,
              const ColumnBlock *captions)
{
    definition.setTitle(title);
    if (!captions) {
        ReportPageFrame::add(definition, title, rangeLine);
        return;
    }
    const double top = ReportPageFrame::addWithCaptions(definition, title, rangeLine, captions->height());
    captions->addCaptions(definition.pageHeader(), top);
}

void addTotalCalls(ReportDefinition &definition)
{
    const QString total = QStringLiteral("TotalCalls");
    definition.addAggregate(ReportAggregate::count(total));
    ReportBand &summary = definition.summary();
    summary.setHeight(kLineHeight + 6);
    summary.addAggregate(total, {0, 4, 60, kLineHeight}).setFont(headingFont());
    summary.addLabel(QStringLiteral("Total Calls"), {65, 4, 150, kLineHeight}).setFont(headingFont());
}

ColumnBlock callBlock(Turnaround turnaround)
{
    ColumnBlock block;
    block
        .add(QStringLiteral("Organization"), QStringLiteral("OrganizationName"), Kind::Text,
             cell(kLeft, 0, 175))
        .add(QStringLiteral("CallID"), QStringLiteral("CallID"), Kind::Text, cell(kMiddle, 0, 170))
        .add(QStringLiteral("Status"), QStringLiteral("Status"), Kind::Text, cell(kRight, 0, 110));
    if (turnaround == Turnaround::With)
        block.add(QStringLiteral("Days"), QStringLiteral("Days"), Kind::Text, cell(470, 0, 30))
            .add(QStringLiteral("hh:mm"), QStringLiteral("HoursMins"), Kind::Time, cell(503, 0, 35));
    block.add(QStringLiteral("Input Date"), QStringLiteral("InputDate"), Kind::Date, cell(kLeft, 1, 175))
        .add(QStringLiteral("CallRef"), QStringLiteral("CallRef"), Kind::Text, cell(kMiddle, 1, 170))
        .add(QStringLiteral("Type"), QStringLiteral("Type"), Kind::Text, cell(kRight, 1, 180))
        .add(QStringLiteral("Due Date"), QStringLiteral("DueDate"), Kind::Date, cell(kLeft, 2, 175))
        .add(QStringLiteral("Owner"), QStringLiteral("OwnerName"), Kind::Text, cell(kMiddle, 2, 170))
        .add(QStringLiteral("Method"), QStringLiteral("Method"), Kind::Text, cell(kRight, 2, 180))
        .add(QStringLiteral("Resolved Date"), QStringLiteral("ResolvedDate"), Kind::Date, cell(kLeft, 3, 175))
        .add(QStringLiteral("Contact"), QStringLiteral("ContactName"), Kind::Text, cell(kMiddle, 3, 170))
        .add(QStringLiteral("Resolution"), QStringLiteral("Resolution"), Kind::Text, cell(kRight, 3, 180));
    const double userWidth = kBlockWidth / 5;
    for (int i = 1; i <= 5; ++i)
        block.add(QStringLiteral("User%1").arg(i), QStringLiteral("User%1").arg(i), Kind::Text,
                   cell((i - 1) * userWidth, 4, userWidth - 4), QStringLiteral("UserLabel%1").arg(i));
    block.add(QStringLiteral("Notes"), QStringLiteral("Notes"), Kind::Memo, cell(kLeft, 5, kBlockWidth));
    return block;
}

ColumnBlock actionBlock()
{
    const double x1 = kActionIndent;
    const double x2 = kMiddle + 20;
    const double x3 = kRight + 20;
    ColumnBlock block;
    block
        .add(QStringLiteral("Action Input Date"), QStringLiteral("ActionInputDate"), Kind::Date,
             cell(x1, 0, 150))
        .add(QStringLiteral("Action ID"), QStringLiteral("ActionID"), Kind::Text, cell(x2, 0, 150))
        .add(QStringLiteral("Action Status"), QStringLiteral("ActionStatus"), Kind::Text, cell(x3, 0, 160))
        .add(QStringLiteral("Action Due Date"), QStringLiteral("ActionDueDate"), Kind::Date, cell(x1, 1, 150))
        .add(QStringLiteral("Action Ref"), QStringLiteral("ActionRef"), Kind::Text, cell(x2, 1, 150))
        .add(QStringLiteral("Action Resolved Date"), QStringLiteral("ActionResolvedDate"), Kind::Date,
              cell(x1, 2, 150))
        .add(QStringLiteral("Action Owner"), QStringLiteral("ActionOwner"), Kind::Text, cell(x2, 2, 150))
        .add(QStringLiteral("Notes"), QStringLiteral("ActionNotes"), Kind::Memo,
              cell(x1, 3, kBlockWidth - kActionIndent));
    return block;
}

void addActionWord(ReportBand &band)
{
    band.addLabel(QStringLiteral("Action"), {0, 0, kActionIndent - 5, kLineHeight}).setFont(headingFont());
}

} // namespace ReportDesign
