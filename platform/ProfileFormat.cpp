#include "platform/ProfileFormat.h"

#include <QStringList>
#include <QVarLengthArray>

namespace mirbelon::profile {

namespace {

// The blanks that the profile functions strip: the C "isspace" set. Not
// QChar::isSpace, which would also eat the no-break space (byte 0xA0).
bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\r' || u == '\n' || u == '\v' || u == '\f';
}

QStringView trimmed(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.sliced(begin, end - begin);
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// One line of a profile file, trimmed, as the reader sees it.
struct Line
{
    enum Kind { Blank, Comment, Section, Entry, Other };
    Kind kind = Blank;
    QStringView name;  // section name or key, trimmed
    QStringView value; // entry value, trimmed, quotes still on
};

Line classify(QStringView raw)
{
    Line line;
    const QStringView t = trimmed(raw);
    if (t.isEmpty())
        return line;
    if (t.front() == QLatin1Char(';')) {
        line.kind = Line::Comment;
        return line;
    }
    if (t.front() == QLatin1Char('[')) {
        // The last "]" closes the name, so a name that holds "]" reads back.
        const qsizetype close = t.lastIndexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = Line::Section;
            line.name = trimmed(t.sliced(1, close - 1));
            return line;
        }
    }
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0) {
        line.kind = Line::Other;
        return line;
    }
    line.kind = Line::Entry;
    line.name = trimmed(t.first(eq));
    line.value = trimmed(t.sliced(eq + 1));
    return line;
}

// A value in matching single or double quotation marks loses them, as
// GetPrivateProfileString documents.
QStringView unquoted(QStringView v)
{
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\''))
        && v.back() == v.front())
        return v.sliced(1, v.size() - 2);
    return v;
}

// Calls `visit(line)` for every line of `content`; LF and CRLF both end a
// line, a last line without an end counts. Stops when `visit` returns false.
template<typename Visit>
void forEachLine(QStringView content, Visit visit)
{
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = content.size();
        qsizetype stop = end;
        if (stop > start && content[stop - 1] == QLatin1Char('\r'))
            --stop;
        if (!visit(content.sliced(start, stop - start)))
            return;
        start = end + 1;
    }
}

QString withoutLineBreaks(const QString &s)
{
    QString out = s;
    out.remove(QLatin1Char('\r'));
    out.remove(QLatin1Char('\n'));
    return out;
}

} // namespace

std::optional<QString> read(const QString &content, const QString &section, const QString &key)
{
    // The names the writer would have written.
    const QString sectionText = withoutLineBreaks(section);
    const QString keyText = withoutLineBreaks(key);
    const QStringView wantedSection = trimmed(sectionText);
    const QStringView wantedKey = trimmed(keyText);
    if (wantedKey.isEmpty())
        return std::nullopt;

    std::optional<QString> result;
    bool inSection = false;
    forEachLine(content, [&](QStringView raw) {
        // Outside the section only headers matter; a look at the first
        // character spares the full look at every line of a long file.
        qsizetype first = 0;
        while (first < raw.size() && isBlank(raw[first]))
            ++first;
        if (!inSection && (first == raw.size() || raw[first] != QLatin1Char('[')))
            return true;
        const Line line = classify(raw.sliced(first));
        if (line.kind == Line::Section) {
            // Only the first section of the name is searched.
            if (inSection)
                return false;
            inSection = sameName(line.name, wantedSection);
            return true;
        }
        if (line.kind == Line::Entry && sameName(line.name, wantedKey)) {
            result = unquoted(line.value).toString();
            return false;
        }
        return true;
    });
    return result;
}

QString write(const QString &content, const QString &section, const QString &key,
              const QString &value)
{
    const QString sectionText = withoutLineBreaks(section);
    const QString keyText = withoutLineBreaks(key);
    const QString entry = keyText + QLatin1Char('=') + withoutLineBreaks(value);
    const QStringView wantedSection = trimmed(sectionText);
    const QStringView wantedKey = trimmed(keyText);

    // The lines as views into `content`; only the line of the entry is new.
    QVarLengthArray<QStringView, 256> lines;
    forEachLine(content, [&](QStringView raw) {
        lines.append(raw);
        return true;
    });

    qsizetype header = -1;    // the first section of the name
    qsizetype lastEntry = -1; // its last key line
    qsizetype match = -1;     // the key's line in it
    for (qsizetype i = 0; i < lines.size() && match < 0; ++i) {
        const Line line = classify(lines.at(i));
        if (line.kind == Line::Section) {
            if (header >= 0)
                break;
            if (sameName(line.name, wantedSection))
                header = i;
        } else if (header >= 0 && line.kind == Line::Entry) {
            if (sameName(line.name, wantedKey))
                match = i;
            lastEntry = i;
        }
    }

    const QString newHeader
        = header < 0 ? QLatin1Char('[') + sectionText + QLatin1Char(']') : QString();
    if (header < 0) {
        lines.append(newHeader);
        lines.append(entry);
    } else if (match >= 0) {
        lines[match] = entry;
    } else {
        // After the section's last key, so blank lines and comments that lead
        // into the next section stay in front of it.
        lines.insert(lines.begin() + (lastEntry >= 0 ? lastEntry : header) + 1, entry);
    }

    QString out;
    qsizetype length = 0;
    for (const QStringView line : std::as_const(lines))
        length += line.size() + 2;
    out.reserve(length);
    for (const QStringView line : std::as_const(lines)) {
        out += line;
        out += QLatin1String("\r\n");
    }
    return out;
}

QString fallback(const QString &value)
{
    qsizetype end = value.size();
    while (end > 0 && isBlank(value.at(end - 1)))
        --end;
    return value.left(end);
}

} // namespace mirbelon::profile
