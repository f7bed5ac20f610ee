#include "platform/gui/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace mirbelon {

namespace {

QMessageBox::StandardButton standardButton(Answer answer)
{
    switch (answer) {
    case Answer::Ok: return QMessageBox::Ok;
    case Answer::Cancel: return QMessageBox::Cancel;
    case Answer::Yes: return QMessageBox::Yes;
    case Answer::No: return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons standardButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon messageIcon(Icon icon)
{
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// The answer a box gives when it is closed without a button.
Answer closedAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel: return Answer::Cancel;
    case Buttons::YesNo: return Answer::No;
    }
    return Answer::Cancel;
}

// "Bilder (*.jpg;*.bmp)" for a filter "*.jpg;*.bmp"; "*.*" also takes names without a dot.
QString dialogFilter(const QString &filterName, const QString &filter)
{
    QStringList patterns;
    for (const QString &p : filter.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = p.trimmed();
        patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
    }
    if (patterns.isEmpty())
        patterns << QStringLiteral("*");
    const QString name = filterName.trimmed().isEmpty() ? patterns.join(QLatin1Char(' '))
                                                        : filterName.trimmed();
    return name + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// A box shown during a busy run gets the normal pointer; the busy pointer
// comes back when the box closes.
class NormalPointer
{
public:
    NormalPointer() : m_pushed(QApplication::overrideCursor() != nullptr)
    {
        if (m_pushed)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalPointer()
    {
        if (m_pushed)
            QApplication::restoreOverrideCursor();
    }
    NormalPointer(const NormalPointer &) = delete;
    NormalPointer &operator=(const NormalPointer &) = delete;

private:
    bool m_pushed;
};

} // namespace

Answer QtDialogs::message(const QString &text, const QString &title, Icon icon, Buttons buttons,
                          Answer defaultButton)
{
    QMessageBox box(messageIcon(icon), title, text, standardButtons(buttons), m_parent);
    const QMessageBox::StandardButton wanted = standardButton(defaultButton);
    if (box.standardButtons().testFlag(wanted))
        box.setDefaultButton(wanted);
    const Answer closed = closedAnswer(buttons);
    if (closed == Answer::Cancel || closed == Answer::Ok)
        box.setEscapeButton(standardButton(closed));
    {
        const NormalPointer pointer;
        box.exec();
    }

    QAbstractButton *clicked = box.clickedButton();
    switch (clicked != nullptr ? box.standardButton(clicked) : QMessageBox::NoButton) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return closed;
    }
}

std::optional<QString> QtDialogs::input(const QString &prompt, const QString &title,
                                        const QString &preset)
{
    bool ok = false;
    const NormalPointer pointer;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, preset, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtDialogs::openFile(const QString &title, const QString &filterName,
                                           const QString &filter, const QString &startFolder)
{
    const QString start = startFolder.isEmpty() ? QString() : m_files.hostPath(startFolder);
    const NormalPointer pointer;
    const QString chosen =
        QFileDialog::getOpenFileName(m_parent, title, start, dialogFilter(filterName, filter));
    if (chosen.isEmpty())
        return std::nullopt;
    const QString program = m_files.programPath(chosen);
    if (program.isEmpty())
        return std::nullopt;
    return program;
}

void QtDialogs::pushBusy()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtDialogs::popBusy()
{
    QApplication::restoreOverrideCursor();
}

} // namespace mirbelon
