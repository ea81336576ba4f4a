#include "AdminCommandLine.h"

#include "DbError.h"
#include "DemoDataGenerator.h"
#include "Engine.h"
#include "LinkFile.h"
#include "ReportCommand.h"
#include "SqliteEngine.h"
#include "WholeNumber.h"

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMap>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

struct UsageError
{
    QString message;
};

const QStringList kValueOptions{"--database", "--workgroup", "--admin", "--link", "--user",
                                "--orgs", "--people", "--calls", "--actions-per-call", "--seed",
                                "--until", "--of", "--name", "--from", "--to", "--call-id",
                                "--pdf", "--csv"};
const QStringList kFlagOptions{"--read-only", "--help"};

QString csvField(const QVariant &v)
{
    if (v.isNull())
        return {};
    QString text;
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        text = QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
        break;
    case QMetaType::QDateTime:
        text = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        break;
    case QMetaType::Bool:
        text = v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        break;
    default: {
        text = v.toString();
        // Stored date-times carry milliseconds; the listing shows them to the second.
        static const QRegularExpression stored(
            QStringLiteral(R"(^\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3}$)"));
        if (text.size() == 23 && stored.match(text).hasMatch())
            text.truncate(19);
    }
    }
    if (text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r')) {
        text.replace(u'"', QStringLiteral("\"\""));
        text = u'"' + text + u'"';
    }
    return text;
}

int toCount(const QString &option, const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0)
        throw UsageError{QStringLiteral("%1 needs a whole number of 0 or more, not '%2'.").arg(option, text)};
    return n;
}

} // namespace

struct AdminCommandLine::Parsed
{
    QStringList words;
    QMap<QString, QString> options;
    QStringList flags;

    bool has(const QString &o) const { return options.contains(o) || flags.contains(o); }
    QString value(const QString &o) const { return options.value(o); }
    QString required(const QString &o) const
    {
        if (!options.contains(o) || options.value(o).isEmpty())
            throw UsageError{QStringLiteral("%1 is required.").arg(o)};
        return options.value(o);
    }
    void expectWords(int n) const
    {
        if (words.size() != n)
            throw UsageError{QStringLiteral("'%1' takes %2 word(s) after it, not %3.")
                                 .arg(words.join(u' ')).arg(n - 1).arg(words.size() - 1)};
    }
};

AdminCommandLine::AdminCommandLine(QTextStream &out, QTextStream &err, SecretReader readSecret)
    : m_out(out), m_err(err), m_readSecret(std::move(readSecret))
{
}

QString AdminCommandLine::usage()
{
    return QStringLiteral(
        "Usage: vellomar-admin COMMAND [OPTIONS]\n"
        "\n"
        "  create --database DB --workgroup WG --admin NAME [--link UDL]\n"
        "      a new database with its seed rows and a workgroup where NAME is an administrator\n"
        "  query CONNECTION --user NAME [--read-only] SQL\n"
        "      run one statement; a SELECT prints CSV, others the number of rows affected\n"
        "  user list | user add NAME | user delete NAME | user passwd NAME   CONNECTION --user NAME\n"
        "  group list [--of USER] | group join USER GROUP | group leave USER GROUP   CONNECTION --user NAME\n"
        "  demo-data CONNECTION --user NAME --orgs N --people N --calls N --actions-per-call N --seed S\n"
        "      [--until YYYY-MM-DD]\n"
        "  report CONNECTION --user NAME --name KEY [--from \"YYYY-MM-DD HH:MM:SS\"\n"
        "      --to \"YYYY-MM-DD HH:MM:SS\"] [--call-id N] (--pdf FILE | --csv FILE)\n"
        "      run the report whose ReportName in tblReport is KEY (letter case counting) to a\n"
        "      file; the date-range reports need --from and --to, CallByID needs --call-id\n"
        "\n"
        "CONNECTION is --link UDL, or --database DB --workgroup WG.\n"
        "Passwords come from VELLOMAR_PASSWORD (the new one of 'user passwd' from\n"
        "VELLOMAR_NEW_PASSWORD) or from a prompt; never from an argument.\n"
        "Exit codes: 0 success, 1 the engine refused (its message on stderr), 2 bad usage.\n");
}

bool AdminCommandLine::readSecretFromTerminal(const QString &prompt, QString *secret)
{
    const bool tty = isatty(STDIN_FILENO);
    termios saved{};
    if (tty) {
        std::cerr << prompt.toStdString() << std::flush;
        tcgetattr(STDIN_FILENO, &saved);
        termios silent = saved;
        silent.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &silent);
    }
    std::string line;
    const bool ok = bool(std::getline(std::cin, line));
    if (tty) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::cerr << std::endl;
    }
    if (!ok)
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    *secret = QString::fromStdString(line);
    return true;
}

QString AdminCommandLine::password(const char *envName, const QString &prompt)
{
    if (qEnvironmentVariableIsSet(envName))
        return qEnvironmentVariable(envName);
    QString secret;
    if (!m_readSecret(prompt, &secret))
        throw UsageError{QStringLiteral("No password: set %1 or type it at the prompt.")
                             .arg(QLatin1String(envName))};
    return secret;
}

QString AdminCommandLine::newPassword(const char *envName, const QString &prompt)
{
    const QString first = password(envName, prompt);
    // Typed at a terminal: once more, so that a slip of the finger does not lock anyone out.
    if (!qEnvironmentVariableIsSet(envName) && isatty(STDIN_FILENO)) {
        QString again;
        if (!m_readSecret(QStringLiteral("Retype it: "), &again) || again != first)
            throw UsageError{QStringLiteral("The two passwords typed differ; nothing was changed.")};
    }
    return first;
}

int AdminCommandLine::run(const QStringList &arguments)
{
    Parsed p;
    try {
        bool onlyWords = false;
        for (int i = 0; i < arguments.size(); ++i) {
            QString a = arguments[i];
            if (onlyWords || !a.startsWith(QLatin1String("--"))) {
                p.words << a;
                continue;
            }
            if (a == QLatin1String("--")) {
                onlyWords = true;
                continue;
            }
            QString value;
            bool hasValue = false;
            if (const qsizetype eq = a.indexOf(u'='); eq > 0) {
                value = a.mid(eq + 1);
                a = a.left(eq);
                hasValue = true;
            }
            if (kFlagOptions.contains(a)) {
                if (hasValue)
                    throw UsageError{QStringLiteral("%1 takes no value.").arg(a)};
                p.flags << a;
            } else if (kValueOptions.contains(a)) {
                if (!hasValue) {
                    if (i + 1 >= arguments.size())
                        throw UsageError{QStringLiteral("%1 needs a value.").arg(a)};
                    value = arguments[++i];
                }
                if (p.options.contains(a))
                    throw UsageError{QStringLiteral("%1 is given twice.").arg(a)};
                p.options.insert(a, value);
            } else {
                throw UsageError{QStringLiteral("Unknown option %1.").arg(a)};
            }
        }
        if (p.flags.contains(QLatin1String("--help"))) {
            m_out << usage();
            m_out.flush();
            return 0;
        }
        if (p.words.isEmpty())
            throw UsageError{QStringLiteral("No command given.")};
        return dispatch(p);
    } catch (const UsageError &e) {
        m_err << "vellomar-admin: " << e.message << "\n\n" << usage();
        m_err.flush();
        return 2;
    } catch (const DbError &e) {
        m_out.flush();
        m_err << "vellomar-admin: " << e.message() << "\n";
        m_err.flush();
        return 1;
    } catch (const std::exception &e) {
        m_out.flush();
        m_err << "vellomar-admin: " << e.what() << "\n";
        m_err.flush();
        return 1;
    }
}

int AdminCommandLine::dispatch(Parsed &p)
{
    const QString command = p.words.first();
    if (command == QLatin1String("create"))
        return create(p);
    if (command == QLatin1String("query"))
        return query(p);
    if (command == QLatin1String("user"))
        return user(p);
    if (command == QLatin1String("group"))
        return group(p);
    if (command == QLatin1String("demo-data"))
        return demoData(p);
    if (command == QLatin1String("report"))
        return report(p);
    throw UsageError{QStringLiteral("Unknown command '%1'.").arg(command)};
}

namespace {

// The options that name a connection, checked before any password is asked.
ConnectionInfo connectionOf(const AdminCommandLine &, const QMap<QString, QString> &options)
{
    const bool link = options.contains(QStringLiteral("--link"));
    const bool files = options.contains(QStringLiteral("--database")) ||
                       options.contains(QStringLiteral("--workgroup"));
    if (link && files)
        throw UsageError{QStringLiteral("Give either --link or --database with --workgroup, not both.")};
    if (link)
        return LinkFile::read(options.value(QStringLiteral("--link")));
    if (options.value(QStringLiteral("--database")).isEmpty() ||
        options.value(QStringLiteral("--workgroup")).isEmpty())
        throw UsageError{QStringLiteral("Name the database: --link UDL, or --database DB with --workgroup WG.")};
    return ConnectionInfo{QString::fromLatin1(LinkFile::kSqliteProvider),
                          options.value(QStringLiteral("--database")),
                          options.value(QStringLiteral("--workgroup"))};
}

} // namespace

int AdminCommandLine::create(Parsed &p)
{
    p.expectWords(1);
    const QString database = p.required(QStringLiteral("--database"));
    const QString workgroup = p.required(QStringLiteral("--workgroup"));
    const QString admin = p.required(QStringLiteral("--admin"));
    const QString link = p.value(QStringLiteral("--link"));
    if (!link.isEmpty() && QFileInfo::exists(link))
        throw DbError(QStringLiteral("The file '%1' already exists; it is left as it is.").arg(link));
    const QString pass = newPassword("VELLOMAR_PASSWORD", QStringLiteral("Password for %1: ").arg(admin));
    SqliteEngine::createDatabase(database, workgroup, admin, pass);
    if (!link.isEmpty())
        LinkFile::write(link, ConnectionInfo{QString::fromLatin1(LinkFile::kSqliteProvider),
                                             QFileInfo(database).absoluteFilePath(),
                                             QFileInfo(workgroup).absoluteFilePath()});
    m_out << "Created " << database << " and " << workgroup;
    if (!link.isEmpty())
        m_out << " with the link file " << link;
    m_out << "\n";
    m_out.flush();
    return 0;
}

namespace {

std::unique_ptr<Engine> openEngine(const ConnectionInfo &info, const QString &user,
                                   const QString &pass, bool readOnly)
{
    auto engine = Engine::forProvider(info.provider);
    engine->open(info, user, pass, readOnly ? Engine::Mode::ReadOnly : Engine::Mode::ReadWriteShared);
    return engine;
}

} // namespace

std::unique_ptr<Engine> AdminCommandLine::connect(Parsed &p, bool readOnly, QString *passwordUsed)
{
    const ConnectionInfo info = connectionOf(*this, p.options);
    const QString userName = p.required(QStringLiteral("--user"));
    const QString pass = password("VELLOMAR_PASSWORD", QStringLiteral("Password for %1: ").arg(userName));
    if (passwordUsed)
        *passwordUsed = pass;
    return openEngine(info, userName, pass, readOnly);
}

QString AdminCommandLine::verbOf(const Parsed &p, const QStringList &verbs)
{
    const QString command = p.words.first();
    if (p.words.size() < 2)
        throw UsageError{QStringLiteral("'%1' needs one of: %2.").arg(command, verbs.join(QStringLiteral(", ")))};
    if (!verbs.contains(p.words[1]))
        throw UsageError{QStringLiteral("Unknown '%1' command '%2'.").arg(command, p.words[1])};
    return p.words[1];
}

int AdminCommandLine::query(Parsed &p)
{
    p.expectWords(2);
    auto engine = connect(p, p.has(QStringLiteral("--read-only")));
    QSqlQuery q = engine->select(p.words[1]);
    if (!q.isSelect()) {
        m_out << q.numRowsAffected() << "\n";
        m_out.flush();
        return 0;
    }
    const QSqlRecord rec = q.record();
    QStringList header;
    for (int i = 0; i < rec.count(); ++i)
        header << csvField(rec.fieldName(i));
    m_out << header.join(u',') << "\n";
    QString line;
    while (q.next()) {
        line.clear();
        for (int i = 0; i < rec.count(); ++i) {
            if (i)
                line += u',';
            line += csvField(q.value(i));
        }
        m_out << line << "\n";
    }
    if (q.lastError().isValid())
        throw DbError(q.lastError().databaseText().isEmpty() ? q.lastError().text()
                                                            : q.lastError().databaseText());
    m_out.flush();
    return 0;
}

int AdminCommandLine::user(Parsed &p)
{
    const QString verb = verbOf(p, {"list", "add", "delete", "passwd"});
    p.expectWords(verb == QLatin1String("list") ? 2 : 3);
    QString pass;
    auto engine = connect(p, false, &pass);
    Catalog &catalog = engine->catalog();
    if (verb == QLatin1String("list")) {
        for (const QString &u : catalog.users())
            m_out << u << "\n";
    } else if (verb == QLatin1String("add")) {
        catalog.addUser(p.words[2], QString());
    } else if (verb == QLatin1String("delete")) {
        catalog.deleteUser(p.words[2]);
    } else {
        const QString target = p.words[2];
        const QString newPass = newPassword("VELLOMAR_NEW_PASSWORD",
                                         QStringLiteral("New password for %1: ").arg(target));
        if (target.compare(engine->userName(), Qt::CaseInsensitive) == 0)
            catalog.changePassword(target, pass, newPass);
        else
            catalog.setPassword(target, newPass);
    }
    m_out.flush();
    return 0;
}

int AdminCommandLine::group(Parsed &p)
{
    const QString verb = verbOf(p, {"list", "join", "leave"});
    p.expectWords(verb == QLatin1String("list") ? 2 : 4);
    if (verb != QLatin1String("list") && p.has(QStringLiteral("--of")))
        throw UsageError{QStringLiteral("--of belongs to 'group list'.")};
    auto engine = connect(p, false);
    Catalog &catalog = engine->catalog();
    if (verb == QLatin1String("list")) {
        const QStringList names = p.has(QStringLiteral("--of"))
                                      ? catalog.groupsOf(p.required(QStringLiteral("--of")))
                                      : catalog.groups();
        for (const QString &g : names)
            m_out << g << "\n";
    } else if (verb == QLatin1String("join")) {
        catalog.addToGroup(p.words[2], p.words[3]);
    } else {
        catalog.removeFromGroup(p.words[2], p.words[3]);
    }
    m_out.flush();
    return 0;
}

int AdminCommandLine::demoData(Parsed &p)
{
    p.expectWords(1);
    DemoDataOptions o;
    o.orgs = toCount(QStringLiteral("--orgs"), p.required(QStringLiteral("--orgs")));
    o.people = toCount(QStringLiteral("--people"), p.required(QStringLiteral("--people")));
    o.calls = toCount(QStringLiteral("--calls"), p.required(QStringLiteral("--calls")));
    o.actionsPerCall = toCount(QStringLiteral("--actions-per-call"),
                               p.required(QStringLiteral("--actions-per-call")));
    bool ok = false;
    o.seed = p.required(QStringLiteral("--seed")).toULongLong(&ok);
    if (!ok)
        throw UsageError{QStringLiteral("--seed needs a whole number.")};
    if (p.has(QStringLiteral("--until"))) {
        o.until = QDate::fromString(p.value(QStringLiteral("--until")), Qt::ISODate);
        if (!o.until.isValid())
            throw UsageError{QStringLiteral("--until needs a date written YYYY-MM-DD.")};
    }
    if (o.people > 0 && o.orgs == 0)
        throw UsageError{QStringLiteral("People need at least one organisation (--orgs).")};
    auto engine = connect(p, false);
    QString lastStage;
    int lastTenth = -1;
    o.progress = [&](const QString &stage, qint64 done, qint64 total) {
        const int tenth = total > 0 ? int(done * 10 / total) : 10;
        if (stage != lastStage || tenth != lastTenth) {
            m_err << stage << ": " << done << "/" << total << "\n";
            m_err.flush();
            lastStage = stage;
            lastTenth = tenth;
        }
    };
    const DemoDataSummary s = DemoDataGenerator::generate(*engine, o);
    m_out << "Added " << s.orgs << " organisations, " << s.people << " people, " << s.calls
          << " calls and " << s.actions << " actions\n";
    m_out.flush();
    return 0;
}

namespace {

// The run's values from --from/--to or --call-id, as far as the report asks for them; any of
// them given to a report that does not ask for it is refused.
ReportRunParameters reportParameters(const ReportDispatchEntry &entry,
                                     const QMap<QString, QString> &options)
{
    const QString from = QStringLiteral("--from");
    const QString to = QStringLiteral("--to");
    const QString callId = QStringLiteral("--call-id");
    const bool range = entry.parameter == ReportParameter::Range;
    const bool call = entry.parameter == ReportParameter::CallId;
    if (!range && (options.contains(from) || options.contains(to)))
        throw UsageError{QStringLiteral("The report %1 takes no --from or --to.").arg(entry.key)};
    if (!call && options.contains(callId))
        throw UsageError{QStringLiteral("The report %1 takes no --call-id.").arg(entry.key)};
    if (range) {
        if (!options.contains(from) || !options.contains(to))
            throw UsageError{QStringLiteral("The report %1 covers a date range: give --from and "
                                            "--to as \"YYYY-MM-DD HH:MM:SS\".")
                                 .arg(entry.key)};
        const QDateTime start = ReportCommand::parseDateTime(options.value(from));
        const QDateTime end = ReportCommand::parseDateTime(options.value(to));
        for (const auto &[option, value] : {std::pair{from, start}, std::pair{to, end}})
            if (!value.isValid())
                throw UsageError{QStringLiteral("%1 needs a date and time written \"YYYY-MM-DD "
                                                "HH:MM:SS\", not '%2'.")
                                     .arg(option, options.value(option))};
        return ReportRunParameters::range(start, end);
    }
    if (call) {
        if (!options.contains(callId))
            throw UsageError{QStringLiteral("The report %1 is about one call: give --call-id N.")
                                 .arg(entry.key)};
        const std::optional<int> number = parseWholeNumber(options.value(callId));
        if (!number)
            throw UsageError{QStringLiteral("--call-id needs a whole number, not '%1'.")
                                 .arg(options.value(callId))};
        return ReportRunParameters::call(*number);
    }
    return {};
}

} // namespace

int AdminCommandLine::report(Parsed &p)
{
    p.expectWords(1);
    const QString key = p.required(QStringLiteral("--name"));
    const bool pdf = p.has(QStringLiteral("--pdf"));
    if (pdf == p.has(QStringLiteral("--csv")))
        throw UsageError{
            QStringLiteral("Give the file to write: --pdf FILE or --csv FILE, one of them.")};
    const QString file = p.required(pdf ? QStringLiteral("--pdf") : QStringLiteral("--csv"));
    const ReportDispatchEntry *entry = ReportDispatch::find(key);
    if (!entry) {
        QStringList keys;
        for (const ReportDispatchEntry &e : ReportDispatch::table())
            keys << e.key;
        throw DbError(QStringLiteral("There is no report called '%1' (letter case counts). The "
                                     "reports are: %2.").arg(key, keys.join(QStringLiteral(", "))),
                      DbError::Kind::NotFound);
    }
    const ReportRunParameters parameters = reportParameters(*entry, p.options);
    // Laying out pages needs fonts, which come with the graphical application object (the
    // offscreen platform serves without a display).
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        throw DbError(QStringLiteral("Reports need a QGuiApplication; vellomar-admin makes one."),
                      DbError::Kind::Usage);

    auto engine = connect(p, p.has(QStringLiteral("--read-only")));
    if (!ReportCommand::isListed(*engine, key))
        throw DbError(QStringLiteral("The database lists no report '%1' in tblReport.").arg(key),
                      DbError::Kind::NotFound);
    const ReportCommand::Written written = ReportCommand::write(
        *engine, *entry, parameters, pdf ? ReportCommand::Format::Pdf : ReportCommand::Format::Csv,
        file);
    m_out << "Wrote " << file << ": " << written.pages
          << (written.pages == 1 ? " page, " : " pages, ") << written.rows
          << (written.rows == 1 ? " row" : " rows") << "\n";
    m_out.flush();
    return 0;
}
