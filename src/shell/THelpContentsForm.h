#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

// The program's help: a window beside the main window showing the user guide that is built
// into the program, opened on its contents page.
class THelpContentsForm : public QWidget
{
    Q_OBJECT
public:
    // The contents page of the user guide.
    static QUrl contentsUrl();

    explicit THelpContentsForm(QWidget *parent = nullptr);

    void showContents();

    QTextBrowser *Browser = nullptr;
    QToolButton *BackButton = nullptr;
    QToolButton *ForwardButton = nullptr;
    QToolButton *ContentsButton = nullptr;
    QToolButton *CloseButton = nullptr;
};

// The Help Contents command (F1): opens the help window on its contents page, or brings the
// open one to the front there. Returns the window.
THelpContentsForm *showHelpContents(QWidget *parent);
