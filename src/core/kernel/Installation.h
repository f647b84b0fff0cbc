#pragma once

#include "core/kernel/KestSettings.h"

#include <QString>

// The first start is the installation: when the settings lack a folder, a default one is
// made under the user's data folder and written to the settings; a new data folder gets the
// six tables with the sample draws of both games, new template and filter folders get the
// sample files, from the installed data folder when there is one. Nothing that exists is
// overwritten, so a second start changes nothing.
namespace Installation {

// The data folder installed beside the programs (<prefix>/share/drawsage, holding the sample
// results files, templates, filters and help), or empty when the programs run from their build
// folder and take the built-in copies.
QString installedDataFolder();

// The folder the defaults live in: <XDG data>/Kestrix/Drawsage.
QString defaultRoot();

// Returns the names of the settings it wrote (empty when the installation was complete).
// Throws TKestError when a folder or table cannot be made or the settings cannot be written.
QStringList ensureInstalled(TKestSettings& settings);

} // namespace Installation
