#include "TResTypeForm.h"

#include "ControlColors.h"
#include "DBGrid.h"
#include "EditorParts.h"
#include "RunGuarded.h"
#include "TDataModule1.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

TResTypeForm::TResTypeForm(TDataModule1 &dm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("ResTypeForm"));
    setWindowTitle(tr("Select Resolution Type"));
    setAccessibleName(tr("Select Resolution Type"));
    setModal(true);

    DBGrid1 = new DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(tr("Resolution Type"));
    DBGrid1->setReadOnly(true);
    DBGrid1->setDataSource(dm.ValuesListResolutionTypeDataSource);
    DBGrid1->setColumns({GridColumn{QStringLiteral("Description"), QString(), 220, true, {}}});
    QPalette cream = DBGrid1->palette();
    cream.setColor(QPalette::Base, ControlColors::kCream);
    DBGrid1->setPalette(cream);
    DBGrid1->installEventFilter(this);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this,
            [this] { runGuarded([this] { accept(); }); });

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setAccessibleName(tr("OK"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { runGuarded([this] { accept(); }); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1);
    layout->addLayout(buttons);

    setFixedSize(300, 260);
    DBGrid1->setFocus(Qt::OtherFocusReason);
}

int TResTypeForm::chosenValueID(const TDataModule1 &dm)
{
    const QVariant key = EditorParts::currentKey(*dm.ValuesListResolutionTypeADOQuery,
                                                 QStringLiteral("ValueID"));
    return key.isNull() ? 0 : key.toInt();
}

bool TResTypeForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            runGuarded([this] { accept(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
