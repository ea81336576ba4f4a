#include "ReportControl.h"

ReportControl::~ReportControl() = default;

bool ReportControl::isShown(const ReportContext &context) const
{
    return m_visible && (!m_shownIf || m_shownIf(context));
}
