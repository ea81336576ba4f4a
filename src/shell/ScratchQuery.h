#pragma once

#include <QString>

class Dataset;

// One use of the data module's scratch query: on entry it is closed and its statement and
// parameters are cleared before the new statement is set; on leaving, whatever happened, it is
// closed and its statement cleared again, so the next user finds it empty.
class ScratchQuery
{
public:
    ScratchQuery(Dataset &query, const QString &jetSql);
    ~ScratchQuery();
    ScratchQuery(const ScratchQuery &) = delete;
    ScratchQuery &operator=(const ScratchQuery &) = delete;

    Dataset &query() const { return m_query; }

private:
    Dataset &m_query;
};
