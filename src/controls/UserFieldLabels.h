#pragma once

#include <QStringList>
#include <array>

class Dataset;
class QLabel;

// The captions of the free fields User1 to User5 of a window, from its label query (the values
// of its user-field category, Description first column, ordered by Sequence): the first five
// descriptions in order; with fewer, the rest repeat the last one; with none, all are empty.
// Opens the query when it is closed and reads its rows without moving its cursor.
QStringList userFieldLabelTexts(Dataset &labelQuery);

// Sets the five labels from the label query (LoadUserFieldLabels of every window over a record
// with user fields).
void LoadUserFieldLabels(Dataset &labelQuery, const std::array<QLabel *, 5> &labels);
