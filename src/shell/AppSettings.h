#pragma once

#include <QString>
#include <memory>

class QSettings;
class TKELDMainMDIForm;

// The per-user settings: QSettings("KELD", "Vellomar"), or an INI file that tests choose.
//
//   "DataSource", "SystemDb"   text, read only (an installer writes them)
//   "Top", "Left", "Width", "Height"   32-bit integers: the main window's position (its frame)
//                              and the size of its inside, as move() and resize() take them
//   "InvertGrids"              0 or 1
//
// Reading goes in exactly that order and stops silently at the first value that is missing or
// of the wrong type (a missing text counts as empty): what was applied before stays, the rest
// keeps its default. So a store without "Top" leaves the bounds and InvertGrids alone, even when
// the later values are there.
namespace AppSettings {

// The store in use. With a file set (tests), that INI file; otherwise the user's own store.
std::unique_ptr<QSettings> open();
// Points every later open() at an INI file; an empty path means the user's store again.
void setStoreFile(const QString &iniPath);

// Reads the values into the main window (its Session, bounds and InvertGrids).
void ReadSettings(TKELDMainMDIForm &form);
// Writes Top, Left, Width, Height and InvertGrids; throws std::runtime_error naming the store
// when it cannot be written.
void WriteSettings(const TKELDMainMDIForm &form);

} // namespace AppSettings
