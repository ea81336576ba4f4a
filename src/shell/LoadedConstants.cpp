#include "LoadedConstants.h"

#include "DbError.h"
#include "Dataset.h"
#include "Prompter.h"

#include <array>

namespace {

struct CategoryConstants
{
    const char *name;
    int LoadedConstants::*category;
    int LoadedConstants::*defaultValue;
};

// The categories whose keys and defaults the program keeps, in the order they are looked up.
constexpr std::array<CategoryConstants, 6> kCategories{{
    {"Status", &LoadedConstants::StatusCategoryID, &LoadedConstants::DefaultStatusID},
    {"Call Method", &LoadedConstants::CallMethodCategoryID, &LoadedConstants::DefaultCallMethodID},
    {"Call Type", &LoadedConstants::CallTypeCategoryID, &LoadedConstants::DefaultCallTypeID},
    {"Country", &LoadedConstants::CountryCategoryID, &LoadedConstants::DefaultCountryID},
    {"Person Type", &LoadedConstants::PersonTypeCategoryID, &LoadedConstants::DefaultPersonTypeID},
    {"Organization Type", &LoadedConstants::OrganizationTypeCategoryID,
     &LoadedConstants::DefaultOrganizationTypeID},
}};

const QString kCategoryName = QStringLiteral("ValueCategory");
const QString kCategoryID = QStringLiteral("ValueCategoryID");

// Closes both tables on the way out, whatever happened.
class TablesCloser
{
public:
    TablesCloser(Dataset &categories, Dataset &values) : m_categories(categories), m_values(values)
    {
    }
    ~TablesCloser()
    {
        try {
            m_values.close();
            m_categories.close();
        } catch (...) {
        }
    }
    TablesCloser(const TablesCloser &) = delete;
    TablesCloser &operator=(const TablesCloser &) = delete;

private:
    Dataset &m_categories;
    Dataset &m_values;
};

void openIfClosed(Dataset &table)
{
    if (!table.isActive())
        table.open();
}

// Moves the category table to the category of that name (the whole name, letter for letter).
void positionOnCategory(Dataset &categories, const QString &name)
{
    if (!categories.locate(kCategoryName, name))
        throw DbError(QStringLiteral("Failed to get Category %1").arg(name),
                      DbError::Kind::NotFound);
}

// The first value of the category marked default, in the values table's order; -1 when there is
// none, and the values table goes back to its first row.
int firstDefaultOf(Dataset &values, int categoryId)
{
    for (values.first(); !values.eof(); values.next()) {
        if (values.field(kCategoryID).asInteger() == categoryId &&
            values.field(QStringLiteral("IsDefault")).asBoolean())
            return values.field(QStringLiteral("ValueID")).asInteger();
    }
    values.first();
    return -1;
}

// With the category table on the value's category: the key of the value of that description, or a
// plain message and the identifier left as it is.
void findNamedValue(Dataset &values, const QString &description, int &id, const QString &message)
{
    if (values.locate(QStringLiteral("Description"), description))
        id = values.field(QStringLiteral("ValueID")).asInteger();
    else
        Prompter::instance().message(message);
}

} // namespace

void LoadDBConstants(Dataset &ValueCategoryADOTable, Dataset &ValueListADOTable,
                     Dataset &ValuesListOrgTypeADOQuery, LoadedConstants &constants)
{
    TablesCloser closer(ValueCategoryADOTable, ValueListADOTable);
    openIfClosed(ValueCategoryADOTable);
    openIfClosed(ValueListADOTable);

    for (const CategoryConstants &c : kCategories) {
        positionOnCategory(ValueCategoryADOTable, QString::fromLatin1(c.name));
        const int id = ValueCategoryADOTable.field(kCategoryID).asInteger();
        constants.*c.category = id;
        constants.*c.defaultValue = firstDefaultOf(ValueListADOTable, id);
    }

    ValuesListOrgTypeADOQuery.setParamValue(QStringLiteral("OrgTypeCategory"),
                                            constants.OrganizationTypeCategoryID);

    positionOnCategory(ValueCategoryADOTable, QStringLiteral("Status"));
    findNamedValue(ValueListADOTable, QStringLiteral("Closed"), constants.StatusClosedID,
                   QStringLiteral("Failed to get Status Closed Value in LoadDBConstants"));
    findNamedValue(ValueListADOTable, QStringLiteral("Open"), constants.StatusOpenID,
                   QStringLiteral("Failed to get Status Open Value in LoadDBConstants"));

    positionOnCategory(ValueCategoryADOTable, QStringLiteral("Person Type"));
    findNamedValue(ValueListADOTable, QStringLiteral("User"), constants.PersonTypeUserID,
                   QStringLiteral("Failed to get PersonType User Value in LoadDBConstants"));
}

void ReloadDefaultValues(Dataset &ValueCategoryADOTable, Dataset &ValueListADOTable,
                         LoadedConstants &constants)
{
    TablesCloser closer(ValueCategoryADOTable, ValueListADOTable);
    // The values table follows the category table, so each category's values are searched with
    // the category table on that category, by the key stored at start-up.
    openIfClosed(ValueCategoryADOTable);
    openIfClosed(ValueListADOTable);
    for (const CategoryConstants &c : kCategories) {
        const int id = constants.*c.category;
        constants.*c.defaultValue = ValueCategoryADOTable.locate(kCategoryID, id)
                                        ? firstDefaultOf(ValueListADOTable, id)
                                        : -1;
    }
}
