#include "platform/posix/PosixProcesses.h"

#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace mirbelon {

namespace {

const QString kShell = QStringLiteral("/bin/sh");
constexpr int kRunLimitMs = 10 * 60 * 1000;

bool hasProgramPrefix(const QString &target)
{
    return target.size() >= 2 && target.at(1) == QLatin1Char(':') && target.at(0).isLetter()
           && (target.at(0).unicode() < 128);
}

// Key names of the keystroke notation ("{ENTER}", "{F5}") in xdotool's words.
QString keyName(const QString &braced)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("ENTER"), QStringLiteral("Return")},
        {QStringLiteral("TAB"), QStringLiteral("Tab")},
        {QStringLiteral("ESC"), QStringLiteral("Escape")},
        {QStringLiteral("ESCAPE"), QStringLiteral("Escape")},
        {QStringLiteral("BACKSPACE"), QStringLiteral("BackSpace")},
        {QStringLiteral("BS"), QStringLiteral("BackSpace")},
        {QStringLiteral("BKSP"), QStringLiteral("BackSpace")},
        {QStringLiteral("DELETE"), QStringLiteral("Delete")},
        {QStringLiteral("DEL"), QStringLiteral("Delete")},
        {QStringLiteral("INSERT"), QStringLiteral("Insert")},
        {QStringLiteral("INS"), QStringLiteral("Insert")},
        {QStringLiteral("HOME"), QStringLiteral("Home")},
        {QStringLiteral("END"), QStringLiteral("End")},
        {QStringLiteral("PGUP"), QStringLiteral("Prior")},
        {QStringLiteral("PGDN"), QStringLiteral("Next")},
        {QStringLiteral("UP"), QStringLiteral("Up")},
        {QStringLiteral("DOWN"), QStringLiteral("Down")},
        {QStringLiteral("LEFT"), QStringLiteral("Left")},
        {QStringLiteral("RIGHT"), QStringLiteral("Right")},
    };
    const QString upper = braced.toUpper();
    if (const auto it = names.constFind(upper); it != names.constEnd())
        return *it;
    if (upper.size() >= 2 && upper.at(0) == QLatin1Char('F')) {
        bool ok = false;
        const int n = upper.mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= 16)
            return QStringLiteral("F%1").arg(n);
    }
    return QString();
}

// One xdotool key name for a plain character.
QString charKey(QChar c)
{
    if (c.isLetterOrNumber() && c.unicode() < 128)
        return QString(c);
    return QStringLiteral("U%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
}

// Turns the keystroke notation ("^v", "%s", "{ENTER}", "~", "+(ab)") into
// xdotool calls; plain runs of text are typed. Empty when the text is malformed.
QList<QStringList> xdotoolCalls(const QString &keys)
{
    QList<QStringList> calls;
    QString text;
    QStringList modifiers;
    const auto flushText = [&] {
        if (!text.isEmpty())
            calls.append({QStringLiteral("type"), QStringLiteral("--"), text});
        text.clear();
    };
    const auto press = [&](const QString &key) {
        flushText();
        QStringList combo = modifiers;
        combo << key;
        calls.append({QStringLiteral("key"), QStringLiteral("--"), combo.join(QLatin1Char('+'))});
        modifiers.clear();
    };

    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QChar c = keys.at(i);
        if (c == QLatin1Char('+') || c == QLatin1Char('^') || c == QLatin1Char('%')) {
            modifiers << (c == QLatin1Char('+')   ? QStringLiteral("shift")
                          : c == QLatin1Char('^') ? QStringLiteral("ctrl")
                                                  : QStringLiteral("alt"));
            flushText();
        } else if (c == QLatin1Char('~')) {
            press(QStringLiteral("Return"));
        } else if (c == QLatin1Char('{')) {
            // "{}}" and "{{}" are the braces themselves.
            const qsizetype end = keys.indexOf(QLatin1Char('}'), i + 2);
            if (end < 0)
                return {};
            const QString inner = keys.mid(i + 1, end - i - 1);
            i = end;
            const QString name = keyName(inner);
            if (!name.isEmpty())
                press(name);
            else if (inner.size() == 1 && modifiers.isEmpty())
                text += inner;
            else if (inner.size() == 1)
                press(charKey(inner.at(0)));
            else
                return {};
        } else if (c == QLatin1Char('(') && !modifiers.isEmpty()) {
            const qsizetype end = keys.indexOf(QLatin1Char(')'), i + 1);
            if (end < 0)
                return {};
            const QStringList held = modifiers;
            for (const QChar g : keys.mid(i + 1, end - i - 1)) {
                modifiers = held;
                press(charKey(g));
            }
            modifiers.clear();
            i = end;
        } else if (!modifiers.isEmpty()) {
            press(charKey(c));
        } else {
            text += c;
        }
    }
    flushText();
    return calls;
}

} // namespace

PosixProcesses::PosixProcesses(const FileSystem &files)
    : m_files(files), m_openers(std::make_unique<QObject>())
{
}

PosixProcesses::~PosixProcesses()
{
    // An opener still running outlives its report; the program it opened is
    // not ours to end.
    for (QProcess *opener : m_openers->findChildren<QProcess *>())
        opener->disconnect();
}

bool PosixProcesses::startDetached(const QString &commandLine, WindowStyle style)
{
    Q_UNUSED(style) // a shell command has no window of its own to style
    if (commandLine.trimmed().isEmpty())
        return false;
    return QProcess::startDetached(kShell, {QStringLiteral("-c"), commandLine});
}

bool PosixProcesses::startProgram(const QString &program, const QStringList &arguments,
                                  WindowStyle style)
{
    Q_UNUSED(style)
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

int PosixProcesses::run(const QString &commandLine)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(kShell, {QStringLiteral("-c"), commandLine});
    if (!process.waitForStarted())
        return -1;
    if (!process.waitForFinished(kRunLimitMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool PosixProcesses::openDocument(const QString &target, std::function<void()> failed)
{
    if (target.isEmpty())
        return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return false;
    QString argument = target;
    if (hasProgramPrefix(target)) {
        argument = m_files.hostPath(target);
        if (argument.isEmpty())
            return false;
    }
    // xdg-open tells by its exit code whether anything could open the target;
    // with some desktops only after the opened program ended.
    auto *process = new QProcess(m_openers.get());
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         if ((code != 0 || status != QProcess::NormalExit) && failed)
                             failed();
                         process->deleteLater();
                     });
    process->start(opener, {argument});
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    return true;
}

bool PosixProcesses::sendKeys(const QString &keys)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (tool.isEmpty() || keys.isEmpty())
        return false;
    const QList<QStringList> calls = xdotoolCalls(keys);
    if (calls.isEmpty())
        return false;
    for (const QStringList &arguments : calls) {
        QProcess process;
        process.start(tool, arguments);
        if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0)
            return false;
    }
    return true;
}

} // namespace mirbelon
