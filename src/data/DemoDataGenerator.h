#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <functional>

class Engine;

struct DemoDataOptions
{
    int orgs = 100;
    int people = 300;
    int calls = 1000;
    int actionsPerCall = 3;
    quint64 seed = 1;
    QDate until;   // last day of the generated history; invalid = today
    // Told at the start of each stage ("Organisations", "People", "Calls", "Actions"), every
    // few tens of thousands of rows, and when the stage is done (done == total).
    std::function<void(const QString &stage, qint64 done, qint64 total)> progress;
};

struct DemoDataSummary
{
    qint64 orgs = 0;
    qint64 people = 0;
    qint64 calls = 0;
    qint64 actions = 0;
};

// Fills a database with a believable help-desk history: organisations with their contacts, a
// few members of staff in one internal organisation, calls over several years (older ones
// mostly closed) and their actions. The same options and seed always give the same rows when
// added to the same database. Rows are added to what is there; the keys of the values lists
// are looked up by category name and description.
//
// Throws DbError: Usage for options that cannot be met (checked before any row is written),
// NotFound for a values list that lacks a value the data needs, and the engine's own error
// when a write fails (the block being written is rolled back; earlier blocks stay).
class DemoDataGenerator
{
public:
    static DemoDataSummary generate(Engine &engine, const DemoDataOptions &options);
};
