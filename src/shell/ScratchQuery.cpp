#include "ScratchQuery.h"

#include "Dataset.h"

namespace {

void clear(Dataset &query)
{
    query.close();
    query.setSql(QString());
    query.clearParams();
}

} // namespace

ScratchQuery::ScratchQuery(Dataset &query, const QString &jetSql) : m_query(query)
{
    clear(m_query);
    m_query.setSql(jetSql);
}

ScratchQuery::~ScratchQuery()
{
    try {
        clear(m_query);
    } catch (...) {
        // closing drops a pending edit; nothing here may stop the error already on its way
    }
}
