#include "platform/posix/PosixFileUtil.h"

#include <QFile>
#include <QSet>

#include <cerrno>
#include <mutex>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

namespace mirbelon::posixfs {

namespace {

// The writer's process id, from ".NAME.XXXXXX.p<pid>.mirbelon-part"; 0 when
// the name is not one of ours.
pid_t writerOf(const QByteArray &name)
{
    const QByteArray suffix = enc(partSuffix());
    if (!name.startsWith('.') || !name.endsWith(suffix))
        return 0;
    const QByteArray rest = name.left(name.size() - suffix.size());
    const qsizetype mark = rest.lastIndexOf(".p");
    if (mark < 0)
        return 0;
    bool ok = false;
    const long pid = rest.mid(mark + 2).toLong(&ok);
    return ok && pid > 0 ? pid_t(pid) : 0;
}

bool running(pid_t pid)
{
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM;
}

// A writer holds its part file locked; a file nobody holds is nobody's.
bool unheld(int dir, const char *name)
{
    const int fd = ::openat(dir, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    const bool free = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)
                      && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

} // namespace

void removeLeftovers(const QString &folder)
{
    static std::mutex mutex;
    static QSet<QString> done;
    {
        std::lock_guard lock(mutex);
        if (done.contains(folder))
            return;
        done.insert(folder);
    }
    const int dir = ::open(enc(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *listing = dir >= 0 ? ::fdopendir(::dup(dir)) : nullptr;
    if (listing) {
        while (const dirent *e = ::readdir(listing)) {
            const pid_t pid = writerOf(QByteArray(e->d_name));
            if (pid != 0 && !running(pid) && unheld(dir, e->d_name))
                ::unlinkat(dir, e->d_name, 0);
        }
        ::closedir(listing);
    }
    if (dir >= 0)
        ::close(dir);
}

} // namespace mirbelon::posixfs
