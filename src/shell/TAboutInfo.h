#pragma once

#include <QString>

// The product's identity texts, shown by the login dialog, the main window caption, the splash
// window and the about box. There is one constant instance, TAboutInfo::product().
struct TAboutInfo
{
    QString applicationName;   // product name; also the main window caption and application title
    QString version;
    QString companyName;
    QString webText;           // the web address as displayed
    QString webLink;           // the address opened when the web text is clicked
    QString emailLink;         // a mailto: address opened when the e-mail text is clicked
    QString emailText;         // the e-mail address as displayed
    QString copyright;
    QString platform;
    QString warning;           // one-line copyright notice
    QString headingCompany;    // the maker's name for the splash heading

    static const TAboutInfo &product();
};
