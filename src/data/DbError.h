#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the data layer: the engine's own message text, shown to the user unchanged.
class DbError : public std::runtime_error
{
public:
    enum class Kind {
        General,        // anything else the engine reports
        Login,          // wrong user name or password, or an account that may not log in
        Permission,     // the user's groups do not allow the change
        Constraint,     // foreign key, text size, uniqueness
        ReadOnly,       // a write on a connection opened read-only
        NotFound,       // a file, user, group or saved query that does not exist
        Conflict,       // another workstation changed or deleted the row meanwhile
        Usage           // a call the data layer cannot serve (wrong state, bad argument)
    };

    explicit DbError(const QString &message, Kind kind = Kind::General);

    QString message() const { return m_message; }
    Kind kind() const { return m_kind; }

private:
    QString m_message;
    Kind m_kind;
};
