#pragma once

#include "FieldControl.h"

#include <QLabel>

// A display-only view of one field of the current record: its display text on white. It never
// writes, so its link is read-only from the start.
class DBText : public QLabel, public FieldControl
{
    Q_OBJECT
public:
    explicit DBText(QWidget *parent = nullptr);

private:
    void followField() override { showField(); }
    void showField();
};
