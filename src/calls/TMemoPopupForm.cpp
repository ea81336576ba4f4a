#include "TMemoPopupForm.h"

#include "DBMemo.h"
#include "DataSource.h"
#include "Dataset.h"
#include "RunGuarded.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

bool hasRows(const Dataset *dataset)
{
    return dataset && dataset->isActive() && !dataset->isEmpty();
}

} // namespace

TMemoPopupForm::TMemoPopupForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("MemoPopupForm"));
    setWindowTitle(tr("Notes"));
    setAccessibleName(tr("Notes"));
    setModal(true);

    DBMemo1 = new DBMemo(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setDataReadOnly(true);
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBMemo1->setAccessibleName(tr("Notes"));
    DBMemo1->setReadOnly(true);
    DBMemo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    OkButton = new QPushButton(tr("OK"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setAccessibleName(tr("OK"));
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, [this] { runGuarded([this] { accept(); }); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(DBMemo1, 1);
    layout->addLayout(buttons);

    setMinimumSize(240, 160);
    resize(440, 300);
    setSizeGripEnabled(true);

    // The reader scrolls the text from the keyboard at once; Tab reaches "OK".
    setTabOrder(DBMemo1, OkButton);
    DBMemo1->setFocus(Qt::OtherFocusReason);
}

void TMemoPopupForm::bind(DataSource *source, const QString &field)
{
    DBMemo1->setDataSource(source);
    DBMemo1->setDataField(field);
    DBMemo1->setAccessibleName(tr("Notes"));
    DBMemo1->moveCursor(QTextCursor::Start);
}

void TMemoPopupForm::setNotesText(const QString &text)
{
    DBMemo1->setDataSource(nullptr);
    // The memo would take text set from outside for typing and show its (absent) field again.
    const QSignalBlocker quiet(DBMemo1);
    DBMemo1->setPlainText(text);
    DBMemo1->moveCursor(QTextCursor::Start);
}

QString TMemoPopupForm::notesText() const
{
    return DBMemo1->toPlainText();
}

void TMemoPopupForm::showNotes(QWidget *parent, DataSource &source, const QString &field)
{
    if (!hasRows(source.dataset()))
        return;
    TMemoPopupForm form(parent);
    form.bind(&source, field);
    form.exec();
}

void TMemoPopupForm::showNotes(QWidget *parent, Dataset &dataset, const QString &field)
{
    if (!hasRows(&dataset))
        return;
    DataSource source(&dataset);
    showNotes(parent, source, field);
}

void TMemoPopupForm::showText(QWidget *parent, const QString &text)
{
    TMemoPopupForm form(parent);
    form.setNotesText(text);
    form.exec();
}
