#pragma once

#include <QString>

class Dataset;

// The record-position indicator of the editing windows: "Adding" while a new row is being
// inserted, "None" for an empty or closed list, otherwise "recNo/recordCount" ("3/17").
QString recordPositionText(const Dataset &dataset);
