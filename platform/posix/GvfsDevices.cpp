#include "platform/posix/GvfsDevices.h"

#include <QFile>
#include <QMap>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <dirent.h>

namespace mirbelon {

namespace {

// The names in a folder, without a stat of any entry: below the GVfs mount
// each stat is a question to a device's backend.
QStringList namesIn(const QString &folder)
{
    QStringList names;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (dir == nullptr)
        return names;
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name != "." && name != "..")
            names << QFile::decodeName(name);
    }
    ::closedir(dir);
    names.sort();
    return names;
}

// The device's serial number that udev appends to vendor and model: long,
// with digits, and hexadecimal or upper case only ("0A1B2C3D4E5F",
// "R58M12345ABC"), unlike a model's name ("ILCE-7RM4A", "EOS_R6").
bool looksLikeSerial(const QString &word)
{
    if (word.size() < 10)
        return false;
    bool digit = false, hex = true, upper = true;
    for (const QChar c : word) {
        const bool d = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool up = c >= QLatin1Char('A') && c <= QLatin1Char('Z');
        const bool hexLetter = (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
        digit = digit || d;
        hex = hex && (d || hexLetter || c == QLatin1Char('-'));
        upper = upper && (d || up);
    }
    return digit && (hex || upper);
}

// udev's "vendor_model_serial" with blanks as "_": "Canon_Inc._Canon_EOS_R6_0123456789AB"
// -> "Canon EOS R6"; the vendor is left out where the model repeats it.
QString readableSerialId(const QString &id)
{
    QStringList words = id.split(QLatin1Char('_'), Qt::SkipEmptyParts);
    if (words.size() > 1 && looksLikeSerial(words.last()))
        words.removeLast();
    for (qsizetype i = words.size() - 1; i > 0; --i) {
        if (words.at(i).compare(words.first(), Qt::CaseInsensitive) == 0) {
            words.remove(0, i);
            break;
        }
    }
    return words.join(QLatin1Char(' '));
}

} // namespace

QString GvfsDevices::deviceName(const QString &folderName)
{
    // "<type>:key=value,key=value", each value escaped as in a URI.
    const qsizetype colon = folderName.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return QString();
    const QString type = folderName.left(colon);
    QMap<QString, QString> keys;
    for (const QString &pair : folderName.mid(colon + 1).split(QLatin1Char(','))) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return QString();
        keys.insert(pair.left(eq),
            QString::fromUtf8(QByteArray::fromPercentEncoding(pair.mid(eq + 1).toUtf8())));
    }
    const QString host = keys.value(QStringLiteral("host")).trimmed();
    if (host.isEmpty())
        return QString();
    // An iPhone is named by its UDID alone; with a further key the folder is
    // an app's documents or a jailbroken device's whole system.
    if (type == QLatin1String("afc"))
        return keys.size() == 1 ? QStringLiteral("iPhone") : QString();
    const bool camera = type == QLatin1String("gphoto2");
    if (!camera && type != QLatin1String("mtp"))
        return QString();
    // Older GVfs names the USB port ("[usb:002,006]"), which tells nothing.
    const QString name = host.startsWith(QLatin1Char('[')) ? QString() : readableSerialId(host);
    if (!name.isEmpty())
        return name;
    return camera ? QStringLiteral("Kamera") : QStringLiteral("Telefon");
}

struct GvfsDevices::State
{
    QString base;
    std::mutex lookMutex; // one look at a time
    std::mutex mutex; // all below
    std::condition_variable wake;
    QStringList folders; // of devices, by name
    std::function<void()> changed;
    bool stop = false;
    bool looking = false; // the watch is inside a look
    bool looked = false; // the watch's first look is done
    std::thread watch;

    bool look()
    {
        std::lock_guard one(lookMutex);
        QStringList found;
        for (const QString &name : namesIn(base)) {
            if (!deviceName(name).isEmpty())
                found << name;
        }
        std::lock_guard lock(mutex);
        if (stop || found == folders)
            return false;
        folders = found;
        if (changed)
            changed();
        return true;
    }
};

GvfsDevices::GvfsDevices(const QString &base, std::function<void()> changed, int intervalMs)
    : m_state(std::make_shared<State>())
{
    m_state->base = base;
    m_state->changed = std::move(changed);
    // The thread holds the state, so a look that hangs can be left behind.
    m_state->watch = std::thread([state = m_state, intervalMs] {
        std::unique_lock lock(state->mutex);
        while (!state->stop) {
            state->looking = true;
            lock.unlock();
            state->look();
            lock.lock();
            state->looking = false;
            state->looked = true;
            state->wake.notify_all();
            state->wake.wait_for(
                lock, std::chrono::milliseconds(intervalMs), [&state] { return state->stop; });
        }
    });
    // A device there at the start is in the first table (the source kept
    // from the last run may be on it), unless GVfs is slow to answer.
    std::unique_lock lock(m_state->mutex);
    m_state->wake.wait_for(
        lock, std::chrono::milliseconds(500), [this] { return m_state->looked; });
}

GvfsDevices::~GvfsDevices()
{
    bool hangs = false;
    {
        std::lock_guard lock(m_state->mutex);
        m_state->stop = true;
        m_state->changed = nullptr;
        hangs = m_state->looking;
    }
    m_state->wake.notify_all();
    if (hangs)
        m_state->watch.detach();
    else
        m_state->watch.join();
}

QList<DriveTable::Medium> GvfsDevices::devices() const
{
    std::lock_guard lock(m_state->mutex);
    QList<DriveTable::Medium> found;
    for (const QString &name : m_state->folders)
        found << DriveTable::Medium { m_state->base + QLatin1Char('/') + name, QString(),
            deviceName(name) };
    return found;
}

bool GvfsDevices::refresh()
{
    return m_state->look();
}

} // namespace mirbelon
