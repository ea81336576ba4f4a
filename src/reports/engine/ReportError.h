#pragma once

#include <QString>
#include <stdexcept>

// A report that cannot be laid out or written: a definition naming something the data lacks, a
// file or printer that cannot be opened. The message is meant for the user as it stands.
class ReportError : public std::runtime_error
{
public:
    explicit ReportError(const QString &message);

    QString message() const { return m_message; }

private:
    QString m_message;
};
