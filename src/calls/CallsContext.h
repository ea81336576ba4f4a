#pragma once

#include "LoadedConstants.h"
#include "SessionState.h"
#include "SystemParameters.h"
#include "TDataModule1.h"
#include "TKELDMainMDIForm.h"

// What the calls and actions windows work with: the main window (its commands, child-window
// references and session), the shared datasets, and the constants and site options read at
// start-up. The referenced objects outlive every window that holds this.
struct CallsContext
{
    TKELDMainMDIForm &main;
    TDataModule1 &dm;
    const LoadedConstants &constants;
    const SystemParameters &parameters;

    const SessionState &session() const { return main.Session; }
    // The database is open read-only (an archive).
    bool archive() const { return main.isReadOnly && main.isReadOnly(); }
};
