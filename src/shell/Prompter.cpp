#include "Prompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>

namespace {

std::unique_ptr<Prompter> &holder()
{
    static std::unique_ptr<Prompter> p;
    return p;
}

QPointer<QWidget> &parentHolder()
{
    static QPointer<QWidget> w;
    return w;
}

QString title() { return QApplication::applicationDisplayName().isEmpty()
                             ? QStringLiteral("Vellomar") : QApplication::applicationDisplayName(); }

// Message texts use "\r\n" for line breaks; Qt wants "\n".
QString lines(const QString &text)
{
    QString t = text;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

Prompter &Prompter::instance()
{
    auto &p = holder();
    if (!p)
        p = std::make_unique<QtPrompter>();
    return *p;
}

void Prompter::install(std::unique_ptr<Prompter> prompter) { holder() = std::move(prompter); }

void Prompter::setParentWidget(QWidget *parent) { parentHolder() = parent; }

QWidget *Prompter::parentWidget() { return parentHolder().data(); }

void QtPrompter::message(const QString &text, Kind kind)
{
    QMessageBox box(parentWidget());
    box.setWindowTitle(title());
    box.setText(lines(text));
    switch (kind) {
    case Kind::Plain: box.setIcon(QMessageBox::NoIcon); break;
    case Kind::Information: box.setIcon(QMessageBox::Information); break;
    case Kind::Warning: box.setIcon(QMessageBox::Warning); break;
    case Kind::Error: box.setIcon(QMessageBox::Critical); break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool QtPrompter::confirm(const QString &text)
{
    return QMessageBox::question(parentWidget(), title(), lines(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtPrompter::input(const QString &caption, const QString &prompt, QString *value)
{
    bool ok = false;
    const QString v = QInputDialog::getText(parentWidget(), caption, prompt, QLineEdit::Normal, *value, &ok);
    if (ok)
        *value = v;
    return ok;
}

QString QtPrompter::openFileName(const QString &caption, const QString &folder, const QString &filter,
                                 const QString &defaultSuffix)
{
    QFileDialog dialog(parentWidget(), caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtPrompter::saveFileName(const QString &caption, const QString &folder, const QString &filter,
                                 const QString &defaultSuffix)
{
    QFileDialog dialog(parentWidget(), caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool QtPrompter::chooseColor(qint64 *bgr)
{
    const QColor initial(int(*bgr & 0xFF), int((*bgr >> 8) & 0xFF), int((*bgr >> 16) & 0xFF));
    const QColor c = QColorDialog::getColor(initial, parentWidget());
    if (!c.isValid())
        return false;
    *bgr = qint64(c.red()) | (qint64(c.green()) << 8) | (qint64(c.blue()) << 16);
    return true;
}

void ScriptedPrompter::message(const QString &text, Kind kind) { messages.append({kind, text}); }

bool ScriptedPrompter::confirm(const QString &text)
{
    questions << text;
    return confirmAnswers.isEmpty() ? true : confirmAnswers.takeFirst();
}

bool ScriptedPrompter::input(const QString &, const QString &prompt, QString *value)
{
    questions << prompt;
    if (inputAnswers.isEmpty())
        return false;
    const auto [ok, text] = inputAnswers.takeFirst();
    if (ok)
        *value = text;
    return ok;
}

QString ScriptedPrompter::openFileName(const QString &caption, const QString &, const QString &,
                                       const QString &)
{
    fileCaptions << caption;
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedPrompter::saveFileName(const QString &caption, const QString &, const QString &,
                                       const QString &)
{
    fileCaptions << caption;
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

bool ScriptedPrompter::chooseColor(qint64 *bgr)
{
    if (colorAnswers.isEmpty())
        return false;
    *bgr = colorAnswers.takeFirst();
    return true;
}

QStringList ScriptedPrompter::texts() const
{
    QStringList out;
    for (const Shown &m : messages)
        out << m.text;
    return out;
}
