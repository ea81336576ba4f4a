#include "EditorParts.h"

#include "DBLookupCombo.h"
#include "DBText.h"
#include "DataSource.h"
#include "Dataset.h"
#include "Field.h"
#include "TDBDateTimePanel.h"
#include "TKELDMainMDIForm.h"
#include "Clock.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QToolButton>

namespace EditorParts {
namespace {

constexpr int kIconSide = 16;

// "&Owner:" -> "Owner"
QString plainCaption(QString caption)
{
    caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
    if (caption.endsWith(u':'))
        caption.chop(1);
    return caption.trimmed();
}

QToolButton *ellipsisButton(QWidget *parent, const QString &accessibleName)
{
    auto *b = new QToolButton(parent);
    b->setText(QStringLiteral("..."));
    b->setToolTip(accessibleName);
    b->setAccessibleName(accessibleName);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

bool hasKey(const QVariant &key)
{
    return !key.isNull() && key.isValid();
}

} // namespace

void describeByValue(DBText *display)
{
    // The display follows its field first (connected when it was made), then says so.
    const auto describe = [display] { display->setAccessibleDescription(display->text()); };
    QObject::connect(&display->link(), &FieldDataLink::dataChange, display, describe);
    describe();
}

QLabel *captionFor(QWidget *control, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(control);
    control->setAccessibleName(plainCaption(caption));
    return label;
}

ChooserRow addChooserRow(QGridLayout *grid, int row, int column, QWidget *parent,
                         const ChooserBinding &binding)
{
    ChooserRow r;
    r.chooser = new DBLookupCombo(parent);
    r.chooser->setListSource(binding.list);
    r.chooser->setKeyField(binding.keyField);
    r.chooser->setListField(binding.listField);
    r.chooser->setDataSource(binding.source);
    r.chooser->setDataField(binding.field);
    r.chooser->setMinimumContentsLength(18);
    r.label = captionFor(r.chooser, binding.caption, parent);
    r.button = ellipsisButton(parent, binding.buttonName);
    grid->addWidget(r.label, row, column);
    grid->addWidget(r.chooser, row, column + 1);
    grid->addWidget(r.button, row, column + 2);
    return r;
}

DBText *addDisplayRow(QGridLayout *grid, int row, int column, QWidget *parent,
                      const QString &caption, DataSource *source, const QString &field)
{
    auto *display = new DBText(parent);
    display->setDataSource(source);
    display->setDataField(field);
    display->setFrameShape(QFrame::StyledPanel);
    display->setMinimumWidth(120);
    display->setEnabled(false);
    describeByValue(display);
    QLabel *label = captionFor(display, caption, parent);
    grid->addWidget(label, row, column);
    grid->addWidget(display, row, column + 1);
    return display;
}

void bindCommand(QToolButton *button, QAction *command, const QString &accessibleName)
{
    if (command)
        button->setDefaultAction(command);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // The command's own text is "..."; the name says what the button opens.
    button->setAccessibleName(accessibleName);
}

QIcon findIcon()
{
    QPixmap pixmap(kIconSide, kIconSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.8));
    p.setBrush(QColor(0xD8, 0xE8, 0xFF));
    p.drawEllipse(QRectF(2, 2, 8, 8));
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    p.end();
    return QIcon(pixmap);
}

QIcon closeIcon()
{
    QPixmap pixmap(kIconSide, kIconSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // an open door with an arrow leaving it
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.4));
    p.setBrush(QColor(0xC8, 0x9C, 0x60));
    p.drawRect(QRectF(2, 2, 7, 12));
    p.setPen(QPen(QColor(0xB0, 0x00, 0x00), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 8), QPointF(14, 8));
    p.drawLine(QPointF(11.5, 5.5), QPointF(14, 8));
    p.drawLine(QPointF(11.5, 10.5), QPointF(14, 8));
    p.end();
    return QIcon(pixmap);
}

QDateTime wholeSeconds(const QDateTime &time)
{
    return time.addMSecs(-time.time().msec());
}

QVariant currentKey(const Dataset &dataset, const QString &field)
{
    if (!dataset.isActive() || (dataset.isEmpty() && !dataset.isEditing()))
        return {};
    const Field *f = dataset.findField(field);
    return f ? f->value() : QVariant();
}

BusySaving::BusySaving(std::initializer_list<Dataset *> datasets)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (Dataset *d : datasets) {
        d->disableControls();
        m_datasets << d;
    }
}

BusySaving::~BusySaving()
{
    for (auto it = m_datasets.crbegin(); it != m_datasets.crend(); ++it)
        (*it)->enableControls();
    QApplication::restoreOverrideCursor();
}

// ------------------------------------------------------------------------------------ zooms

void zoomToPerson(TKELDMainMDIForm &main, const QVariant &personId)
{
    main.execute(QStringLiteral("People1"));
    if (main.PeopleForm && main.locatePerson && hasKey(personId))
        main.locatePerson(main.PeopleForm, personId.toInt());
}

void zoomToContact(TKELDMainMDIForm &main, const QList<QVariant> &candidates,
                   const QVariant &orgId)
{
    main.execute(QStringLiteral("People1"));
    if (!main.PeopleForm)
        return;
    for (const QVariant &person : candidates)
        if (hasKey(person) && main.locatePerson && main.locatePerson(main.PeopleForm, person.toInt()))
            return;
    if (!hasKey(orgId))
        return;
    if (main.locateFirstPersonOfOrganisation &&
        main.locateFirstPersonOfOrganisation(main.PeopleForm, orgId.toInt()))
        return;
    if (main.startPersonInOrganisation)
        main.startPersonInOrganisation(main.PeopleForm, orgId.toInt());
}

void zoomToOrganisation(TKELDMainMDIForm &main, const QVariant &orgId)
{
    main.execute(QStringLiteral("OrgsPeople1"));
    if (main.OrgForm && main.locateOrganisation && hasKey(orgId))
        main.locateOrganisation(main.OrgForm, orgId.toInt());
}

TDBDateTimePanel *addDueDateRow(QGridLayout *grid, int row, QWidget *parent, DataSource *source,
                                double dueDateDuration)
{
    auto *panel = new TDBDateTimePanel(parent);
    panel->setObjectName(QStringLiteral("DueDateDBDateTimePanel"));
    panel->now = [] { return Clock::now(); };
    panel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    panel->SetDefaultOffset(dueDateDuration);
    panel->setDataSource(source);
    panel->setDataField(QStringLiteral("DueDate"));
    grid->addWidget(captionFor(panel, QObject::tr("When Due:"), parent), row, 0);
    grid->addWidget(panel, row, 1, 1, 2);
    return panel;
}

} // namespace EditorParts
