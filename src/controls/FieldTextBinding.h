#pragma once

#include <QString>

#include <functional>

class FieldDataLink;
class QKeyEvent;

// Keeps the text typed into a text control until it is written into the bound field, or dropped.
//
// The control reports each change of its text made by the user; the first puts the dataset into
// Edit state (when the data source allows it) and marks the link modified. The control gives the
// binding its current text, the way it shows the field's value, and the way it reports a write
// the data layer refused.
class FieldTextBinding
{
public:
    struct Control {
        std::function<QString()> text;
        std::function<void()> showField;
        std::function<void(const QString &message)> reportRefusal;
    };

    FieldTextBinding(FieldDataLink &link, Control control);

    // Keys that change the text, so that the record must be put into Edit state first: printable
    // text, deleting and the clipboard and undo keys.
    static bool changesText(const QKeyEvent *event);

    bool isModified() const { return m_dirty; }   // typed text not yet in the field

    // The field, its record or the dataset's state changed: drop the typed text and show the
    // field's value, unless this is the dataset going into Edit for the text being typed.
    void followField();
    // Puts the dataset into Edit state unless it is there; false (after reporting a refusal) when
    // the record may not be edited now.
    bool beginEdit();
    // The user changed the text; if the record may not be edited, the field is shown again.
    void textChanged();

    // Writes the typed text into the field; throws DbError (after dropping the text) when the
    // field refuses it. Does nothing when nothing was typed.
    void updateField();
    // As updateField(), but a refusal is reported; false then.
    bool tryUpdateField();
    // The control lost the focus: writes the typed text unless the focus went to another window
    // or a popup, which is no leaving of the control. False when the field refused the text (the
    // control should take the focus back).
    bool writeOnLeaving(Qt::FocusReason reason);
    // Drops the typed text and shows the field's value again.
    void revert();

private:
    FieldDataLink &m_link;
    Control m_control;
    bool m_dirty = false;
    bool m_entering = false;   // putting the dataset into Edit after the text already changed
};
