#pragma once

#include <QString>

class ReportDefinition;

// The page frame every report of the program shares.
//
// Page header: the product name at the top right, the title (the text "TitleLabel") in large
// bold type, optionally the range line "Date Range:" "FromLabel" "To" "ToLabel", and a red rule.
// Page footer: "Produced By Vellomar" at the left, the page number in the middle and the date and
// time the report was produced at the right.
namespace ReportPageFrame {

enum class RangeLine { Without, With };

// Adds the frame to the definition's page header and footer and returns the header's height so
// far: column captions go below it (setting the header's height to take them in).
double add(ReportDefinition &definition, const QString &title, RangeLine rangeLine);

// As add(), with room for column captions between the title lines and the red rule, which then
// rules them off below. Returns the captions' top; the header's height takes in the rule.
double addWithCaptions(ReportDefinition &definition, const QString &title, RangeLine rangeLine,
                       double captionsHeight);

} // namespace ReportPageFrame
