#include "ReportValueFormat.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(ReportValueFormat, ValuesPrintInTheProgramsForms)
{
    const QDateTime when(QDate(2004, 2, 7), QTime(9, 5, 59));
    const QString shortDate = QLocale().toString(when.date(), QLocale::ShortFormat);
    struct Case
    {
        QVariant value;
        QString format;
        QString text;
    } cases[] = {
        {when, "ddddd hh:nn", shortDate + " 09:05"},
        {when, "", shortDate + " 09:05"},
        {when, "dd/mm/yyyy hh:nn:ss", "07/02/2004 09:05:59"},
        {when, "hh:nn", "09:05"},
        {QTime(18, 0), "hh:nn", "18:00"},
        {QVariant(2.5), "", "2.5"},
        {QVariant(3.0), "", "3"},
        {QVariant(2.0 / 3.0), "0.00", "0.67"},
        {QVariant(qint64(12)), "", "12"},
        {QVariant(7), "0.0", "7.0"},
        {QVariant(true), "", "True"},
        {QVariant(QStringLiteral("text")), "0.00", "text"},
        {QVariant(), "ddddd", ""},
        {QVariant(QMetaType(QMetaType::QDateTime)), "ddddd hh:nn", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ReportValueFormat::format(c.value, c.format), c.text)
            << c.value.toString().toStdString() << " as " << c.format.toStdString();
}

} // namespace
