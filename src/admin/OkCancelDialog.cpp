#include "OkCancelDialog.h"

#include "RunGuarded.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

OkCancelButtons layOutOkCancel(QDialog *dialog, QLayout *fields, std::function<void()> onOk)
{
    auto *buttons = new QDialogButtonBox(dialog);
    QPushButton *ok = buttons->addButton(QObject::tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setAccessibleName(QObject::tr("OK"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(QObject::tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAccessibleName(QObject::tr("Cancel"));
    QObject::connect(ok, &QPushButton::clicked, dialog, [onOk = std::move(onOk)] { runGuarded(onOk); });
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);

    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return {ok, cancel};
}
