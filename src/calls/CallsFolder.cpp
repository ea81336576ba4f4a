// The calls and actions windows: browser, call editor, action editor, urgency levels, notes.
