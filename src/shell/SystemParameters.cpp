#include "SystemParameters.h"

#include "Dataset.h"
#include "ScratchQuery.h"

namespace {

const QString kSelect = QStringLiteral("SELECT * FROM tblSysParms");

} // namespace

void ReadSystemParameters(Dataset &ADOQuery1, SystemParameters &out)
{
    ScratchQuery scratch(ADOQuery1, kSelect);
    ADOQuery1.open();
    SystemParameters read;
    if (!ADOQuery1.isEmpty()) {
        ADOQuery1.first();
        read.DueDateDuration = ADOQuery1.field(QStringLiteral("DueDateDuration")).asFloat();
        read.AutoGenerateAction = ADOQuery1.field(QStringLiteral("AutoGenerateAction")).asBoolean();
        read.AllowCompleteCall = ADOQuery1.field(QStringLiteral("AllowCompleteCall")).asBoolean();
    }
    out = read;
}

void WriteSystemParameters(Dataset &ADOQuery1, const SystemParameters &params)
{
    ScratchQuery scratch(ADOQuery1, kSelect);
    ADOQuery1.open();
    ADOQuery1.first();
    if (ADOQuery1.isEmpty())
        ADOQuery1.insert();
    else
        ADOQuery1.edit();
    ADOQuery1.field(QStringLiteral("DueDateDuration")).setValue(params.DueDateDuration);
    ADOQuery1.field(QStringLiteral("AutoGenerateAction")).setValue(params.AutoGenerateAction);
    ADOQuery1.field(QStringLiteral("AllowCompleteCall")).setValue(params.AllowCompleteCall);
    ADOQuery1.post();
}
