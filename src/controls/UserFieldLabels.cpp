#include "UserFieldLabels.h"

#include "Dataset.h"

#include <QLabel>

QStringList userFieldLabelTexts(Dataset &labelQuery)
{
    if (!labelQuery.isActive())
        labelQuery.open();
    QStringList texts;
    const Field &description = labelQuery.field(QStringLiteral("Description"));
    const int rows = labelQuery.recordCount();
    for (int row = 0; row < rows && texts.size() < 5; ++row)
        texts << labelQuery.valueAt(row, description).toString();
    while (!texts.isEmpty() && texts.size() < 5)
        texts << texts.constLast();
    while (texts.size() < 5)
        texts << QString();
    return texts;
}

void LoadUserFieldLabels(Dataset &labelQuery, const std::array<QLabel *, 5> &labels)
{
    const QStringList texts = userFieldLabelTexts(labelQuery);
    for (int i = 0; i < 5; ++i)
        if (labels[i])
            labels[i]->setText(texts[i]);
}
