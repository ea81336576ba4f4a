#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>

class Engine;

// vellomar-admin: the administrator's command line. run() parses the arguments (options may
// stand before or after the positional words), does the work and returns the exit code:
// 0 success, 1 an engine error (its message on err), 2 bad usage (the usage on err).
class AdminCommandLine
{
public:
    // Asks for a secret; prompt is the text to show. Returns false when none could be read.
    using SecretReader = std::function<bool(const QString &prompt, QString *secret)>;

    AdminCommandLine(QTextStream &out, QTextStream &err, SecretReader readSecret);

    int run(const QStringList &arguments);   // arguments without the program name

    static QString usage();

    // The terminal reader: VELLOMAR_PASSWORD / VELLOMAR_NEW_PASSWORD are read by run(); this
    // prompts on the terminal with echo off, or reads one line of standard input.
    static bool readSecretFromTerminal(const QString &prompt, QString *secret);

private:
    struct Parsed;
    int dispatch(Parsed &p);
    int create(Parsed &p);
    int query(Parsed &p);
    int user(Parsed &p);
    int group(Parsed &p);
    int demoData(Parsed &p);
    int report(Parsed &p);

    QString password(const char *envName, const QString &prompt);
    QString newPassword(const char *envName, const QString &prompt);
    // Opens the connection the options name, as --user, asking for the password.
    std::unique_ptr<Engine> connect(Parsed &p, bool readOnly, QString *passwordUsed = nullptr);
    static QString verbOf(const Parsed &p, const QStringList &verbs);

    QTextStream &m_out;
    QTextStream &m_err;
    SecretReader m_readSecret;
};
