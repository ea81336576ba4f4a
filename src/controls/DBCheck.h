#pragma once

#include "FieldControl.h"

#include <QCheckBox>

// A tick box over a yes/no field of the current record. Ticking it (mouse or Space) puts the
// dataset into Edit state and writes the new value at once; an empty field shows unticked.
// Its caption, when it has one, is its name for assistive technology.
class DBCheck : public QCheckBox, public FieldControl
{
    Q_OBJECT
public:
    explicit DBCheck(QWidget *parent = nullptr);
    explicit DBCheck(const QString &text, QWidget *parent = nullptr);

signals:
    void writeFailed(const QString &message);

protected:
    void nextCheckState() override;

private:
    void followField() override;
    void updateEditability() override;
    bool hasCaption() const override { return !text().isEmpty(); }
    void showField();
};
