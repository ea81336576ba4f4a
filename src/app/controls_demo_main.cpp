// vellomar-controls-demo: every data-aware control over a live database, for looking at them.
//
//   vellomar-controls-demo --link FILE.udl --user NAME     (password from VELLOMAR_PASSWORD)
#include "ControlColors.h"
#include "DBCheck.h"
#include "DBEdit.h"
#include "DBGrid.h"
#include "DBLookupCombo.h"
#include "DBMemo.h"
#include "DBNavigator.h"
#include "DBText.h"
#include "DataSource.h"
#include "Dataset.h"
#include "LinkFile.h"
#include "RecordPosition.h"
#include "TDBDateTimePanel.h"
#include "TDBGridPlus.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>
#include <cstdio>

namespace {

QLabel *buddyLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    buddy->setAccessibleName(QString(text).remove(u'&').remove(u':'));
    return label;
}

GridColumn column(const QString &field, const QString &caption, int width)
{
    GridColumn c;
    c.fieldName = field;
    c.caption = caption;
    c.width = width;
    return c;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&](const QString &name) {
        const int i = int(args.indexOf(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
    };
    std::unique_ptr<Engine> engine;
    try {
        ConnectionInfo info;
        engine = Engine::forLinkFile(option(QStringLiteral("--link")), &info);
        engine->open(info, option(QStringLiteral("--user")), qEnvironmentVariable("VELLOMAR_PASSWORD"));
    } catch (const DbError &e) {
        std::fprintf(stderr, "vellomar-controls-demo: %s\n", qPrintable(e.message()));
        return 1;
    }

    Dataset orgs(engine.get()), countries(engine.get()), calls(engine.get()), urgency(engine.get());
    orgs.setSql(QStringLiteral("SELECT * FROM tblOrganization ORDER BY OrganizationName"));
    countries.setSql(QStringLiteral(
        "SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValuesList.ValueID\n"
        "FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = "
        "tblValuesList.ValueCategoryID\nWHERE (((tblValueCategory.ValueCategory)=\"Country\"));"));
    calls.setSql(QStringLiteral("Select * from tblCall\nWhere (OrgID = :OrgID)\nOrder by DueDate"));
    urgency.setTableName(QStringLiteral("tblUrgency"));
    urgency.setIndexName(QStringLiteral("ValueID"));
    DataSource orgSource(&orgs), countrySource(&countries), callSource(&calls), urgencySource(&urgency);
    calls.setMasterSource(&orgSource);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Vellomar controls"));
    auto *top = new QVBoxLayout(&window);

    auto *bar = new QHBoxLayout;
    auto *navigator = new DBNavigator;
    navigator->setDataSource(&orgSource);
    auto *position = new QLabel;
    position->setAccessibleName(QStringLiteral("Organisation position"));
    bar->addWidget(navigator);
    bar->addWidget(position);
    bar->addStretch();
    top->addLayout(bar);

    auto *orgBox = new QGroupBox(QStringLiteral("Organisation"));
    auto *form = new QFormLayout(orgBox);
    auto *id = new DBText;
    id->setDataSource(&orgSource);
    id->setDataField(QStringLiteral("OrgID"));
    ControlColors::applyIdentifier(id);
    form->addRow(buddyLabel(QStringLiteral("Org ID:"), id), id);
    auto *name = new DBEdit;
    name->setDataSource(&orgSource);
    name->setDataField(QStringLiteral("OrganizationName"));
    form->addRow(buddyLabel(QStringLiteral("&Name:"), name), name);
    auto *phone = new DBEdit;
    phone->setDataSource(&orgSource);
    phone->setDataField(QStringLiteral("Phone"));
    form->addRow(buddyLabel(QStringLiteral("&Phone:"), phone), phone);
    auto *country = new DBLookupCombo;
    country->setDataSource(&orgSource);
    country->setDataField(QStringLiteral("CountryID"));
    country->setListSource(&countrySource);
    country->setKeyField(QStringLiteral("ValueID"));
    country->setListField(QStringLiteral("Description"));
    form->addRow(buddyLabel(QStringLiteral("&Country:"), country), country);
    auto *notes = new DBMemo;
    notes->setDataSource(&orgSource);
    notes->setDataField(QStringLiteral("Notes"));
    notes->setMaximumHeight(70);
    form->addRow(buddyLabel(QStringLiteral("N&otes:"), notes), notes);

    auto *callBox = new QGroupBox(QStringLiteral("Calls of the organisation"));
    auto *callLayout = new QVBoxLayout(callBox);
    auto *due = new TDBDateTimePanel;
    due->setDataSource(&callSource);
    due->setDataField(QStringLiteral("DueDate"));
    due->SetDefaultOffset(2.0);
    due->setMinimumWidth(260);
    auto *dueRow = new QHBoxLayout;
    dueRow->addWidget(buddyLabel(QStringLiteral("When &Due:"), due));
    dueRow->addWidget(due);
    dueRow->addStretch();
    callLayout->addLayout(dueRow);
    auto *callGrid = new TDBGridPlus;
    callGrid->setDataSource(&callSource);
    callGrid->setColumns({column(QStringLiteral("CallID"), QStringLiteral("Call"), 50),
                          column(QStringLiteral("DueDate"), QStringLiteral("Due"), 130),
                          column(QStringLiteral("Notes"), QStringLiteral("Notes"), 330)});
    callGrid->setDefaultRowHeight(34);
    callGrid->setRowSizingAllowed(true);
    callGrid->setAccessibleName(QStringLiteral("Calls"));
    callLayout->addWidget(callGrid);

    auto *urgencyBox = new QGroupBox(QStringLiteral("Urgency levels"));
    auto *urgencyLayout = new QVBoxLayout(urgencyBox);
    auto *urgencyGrid = new DBGrid;
    urgencyGrid->setDataSource(&urgencySource);
    urgencyGrid->setColumns({column(QStringLiteral("Description"), QStringLiteral("Description"), 120),
                             column(QStringLiteral("ThresholdTime"), QStringLiteral("Threshold Time"), 100),
                             column(QStringLiteral("IsSys"), QStringLiteral("System"), 60)});
    urgencyGrid->setAccessibleName(QStringLiteral("Urgency levels"));
    auto *isSys = new DBCheck(QStringLiteral("&Required by the system"));
    isSys->setDataSource(&urgencySource);
    isSys->setDataField(QStringLiteral("IsSys"));
    urgencyLayout->addWidget(urgencyGrid);
    urgencyLayout->addWidget(isSys);

    auto *lower = new QHBoxLayout;
    lower->addWidget(callBox, 3);
    lower->addWidget(urgencyBox, 2);
    top->addWidget(orgBox);
    top->addLayout(lower, 1);

    auto showPosition = [&] { position->setText(recordPositionText(orgs)); };
    QObject::connect(&orgSource, &DataSource::recordChanged, &window, showPosition);
    QObject::connect(&orgSource, &DataSource::stateChanged, &window, showPosition);
    try {
        orgs.open();
        countries.open();
        calls.open();
        urgency.open();
    } catch (const DbError &e) {
        std::fprintf(stderr, "vellomar-controls-demo: %s\n", qPrintable(e.message()));
        return 1;
    }
    showPosition();
    window.resize(980, 680);
    window.show();
    return app.exec();
}
