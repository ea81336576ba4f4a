#pragma once

class Dataset;

// Identifiers looked up once in the values tables at start-up, so that the rest of the program
// can compare and default by key: six value categories, the default value of each (-1 when the
// category has none) and the three values the program recognises by name.
struct LoadedConstants
{
    int StatusCategoryID = 0;
    int CallMethodCategoryID = 0;
    int CallTypeCategoryID = 0;
    int CountryCategoryID = 0;
    int PersonTypeCategoryID = 0;
    int OrganizationTypeCategoryID = 0;

    int DefaultStatusID = -1;
    int DefaultCallMethodID = -1;
    int DefaultCallTypeID = -1;
    int DefaultCountryID = -1;
    int DefaultPersonTypeID = -1;
    int DefaultOrganizationTypeID = -1;

    int StatusClosedID = 0; // a call or action is closed exactly when its status is this
    int StatusOpenID = 0;
    int PersonTypeUserID = 0;
};

// Fills the constants from the category table (tblValueCategory) and its detail, the values table
// (tblValuesList, linked on ValueCategoryID), and gives the organisation-type list query its
// OrgTypeCategory parameter (the query itself is opened later, with the other datasets).
//
// A missing "Closed", "Open" or "User" value is reported with a plain message and loading goes
// on, the identifier keeping its value. A missing category, like any engine error, is raised as a
// DbError for the start-up sequence to report. Both tables are closed afterwards, also when an
// error passes through.
void LoadDBConstants(Dataset &ValueCategoryADOTable, Dataset &ValueListADOTable,
                     Dataset &ValuesListOrgTypeADOQuery, LoadedConstants &constants);

// Works out the six defaults again from the stored category identifiers (after the values list
// changed), -1 where a category has no default. Both tables are closed afterwards.
void ReloadDefaultValues(Dataset &ValueCategoryADOTable, Dataset &ValueListADOTable,
                         LoadedConstants &constants);
