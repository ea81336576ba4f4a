#include "TAboutInfo.h"

const TAboutInfo &TAboutInfo::product()
{
    static const TAboutInfo info{
        QStringLiteral("Vellomar"),
        QStringLiteral("1.00"),
        QStringLiteral("KELD Software"),
        QStringLiteral("www.keld.example"),
        QStringLiteral("https://www.keld.example/"),
        QStringLiteral("mailto:support@keld.example"),
        QStringLiteral("support@keld.example"),
        QStringLiteral("Copyright \u00A9 2002-2026 KELD Software. All rights reserved."),
        QStringLiteral("Win95/98/NT"),
        QStringLiteral("This software is protected by copyright law throughout the world."),
        QStringLiteral("KELD Software"),
    };
    return info;
}
