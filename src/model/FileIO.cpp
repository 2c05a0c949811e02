#include "model/FileIO.h"

#include <QRandomGenerator>

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

struct ErrorText {
    int systemError;
    Bilingual text;
};
const std::array<ErrorText, 15> ErrorTexts{{
    {ENOSPC, {"на диске нет места", "no space left on the disk"}},
    {EFBIG, {"файл больше допустимого размера", "the file would be larger than allowed"}},
    {EDQUOT, {"исчерпана дисковая квота", "the disk quota is used up"}},
    {EACCES, {"нет прав доступа", "permission denied"}},
    {EPERM, {"операция не разрешена", "operation not permitted"}},
    {EROFS, {"файловая система только для чтения", "the file system is read-only"}},
    {EISDIR, {"это папка", "it is a folder"}},
    {ENOENT, {"нет такого файла или папки", "no such file or folder"}},
    {ENOTDIR, {"часть пути не является папкой", "a part of the path is not a folder"}},
    {ELOOP, {"на пути символическая ссылка", "a symbolic link is in the way"}},
    {EIO, {"ошибка ввода-вывода", "input/output error"}},
    {ENAMETOOLONG, {"слишком длинное имя", "the name is too long"}},
    {EMFILE, {"открыто слишком много файлов", "too many open files"}},
    {EBUSY, {"файл занят", "the file is busy"}},
    {ETXTBSY, {"файл занят", "the file is busy"}},
}};

// What a sentence says a failure was.
struct FailureText {
    FileFailure failure;
    Bilingual text; // %1 the file, %2 the reason
};
constexpr std::array<FailureText, 6> FailureTexts{{
    {FileFailure::CannotOpen, {"Не удалось открыть файл %1: %2", "Cannot open the file %1: %2"}},
    {FileFailure::CannotRead, {"Не удалось прочитать файл %1: %2", "Cannot read the file %1: %2"}},
    {FileFailure::CannotWrite, {"Не удалось записать файл %1: %2", "Cannot write the file %1: %2"}},
    {FileFailure::NotRegularFile, {"%1 не используется: %2", "%1 is not used: %2"}},
    {FileFailure::SymbolicLink, {"%1 не используется: %2", "%1 is not used: %2"}},
    {FileFailure::ReadsBackOther, {"Файл %1 не используется: %2", "The file %1 is not used: %2"}},
}};

constexpr Bilingual NotRegularReason{"это не обычный файл (папка, канал или устройство)",
                                     "it is not a regular file (a folder, pipe or device)"};
constexpr Bilingual SymbolicLinkReason{"это символическая ссылка; программа не пишет и не читает через неё",
                                       "it is a symbolic link, which the program neither follows nor replaces"};
constexpr Bilingual ReadsBackReason{"прочитанное обратно не совпадает с записанным",
                                    "what reads back differs from what was written"};

FileResult Failed(const QString& path, FileFailure failure, int systemError = 0)
{
    return {path, failure, systemError};
}

// The temporary file being filled, for the signal handler: its name is complete before the flag
// is set and the flag is cleared before the name changes.
char unfinishedTemporary[PATH_MAX];
volatile std::sig_atomic_t unfinishedTemporarySet = 0;

void TrackTemporary(const QByteArray& name)
{
    unfinishedTemporarySet = 0;
    if (name.size() >= PATH_MAX) return;
    std::memcpy(unfinishedTemporary, name.constData(), static_cast<std::size_t>(name.size()) + 1);
    unfinishedTemporarySet = 1;
}

bool WriteAll(int descriptor, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(descriptor, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += written;
    }
    return true;
}

// Writes, syncs and closes; the descriptor is closed whatever happens. errno tells a failure.
bool WriteSyncClose(int descriptor, const QByteArray& bytes)
{
    const bool written = WriteAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    const int writeError = errno;
    const bool closed = ::close(descriptor) == 0;
    if (!written) errno = writeError;
    return written && closed;
}

QByteArray FolderOf(const QByteArray& name)
{
    const qsizetype slash = name.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : name.left(slash);
}

// A user's file reached through a symbolic link is written where the link points.
QByteArray ResolvedTarget(const QByteArray& name)
{
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0 || !S_ISLNK(status.st_mode)) return name;
    char resolved[PATH_MAX];
    return ::realpath(name.constData(), resolved) ? QByteArray(resolved) : name;
}

// Creates a new temporary file beside `target`; -1 with errno set when none can be made.
int CreateTemporary(const QByteArray& target, mode_t mode, QByteArray& name)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray prefix = target.left(slash + 1) + '.' + target.mid(slash + 1).left(200);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".part";
        const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    return -1;
}

} // namespace

QString SystemErrorText(int systemError, Language language)
{
    for (const ErrorText& entry : ErrorTexts)
        if (entry.systemError == systemError) return entry.text.in(language);
    return QString::fromLocal8Bit(std::strerror(systemError));
}

QString FileResult::reason(Language language) const
{
    switch (failure) {
    case FileFailure::NotRegularFile: return NotRegularReason.in(language);
    case FileFailure::SymbolicLink: return SymbolicLinkReason.in(language);
    case FileFailure::ReadsBackOther: return ReadsBackReason.in(language);
    default: return SystemErrorText(systemError, language);
    }
}

QString FileResult::message(Language language) const
{
    for (const FailureText& entry : FailureTexts)
        if (entry.failure == failure) return entry.text.in(language).arg(path, reason(language));
    return {};
}

QString FileNameText(const QByteArray& name)
{
    QString text;
    qsizetype start = 0; // the first byte not yet taken
    while (start < name.size()) {
        qsizetype end = start;
        // The longest run that is valid UTF-8.
        while (end < name.size()) {
            const auto lead = static_cast<unsigned char>(name[end]);
            const int length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
            if (length == 0 || end + length > name.size()) break;
            bool whole = true;
            for (int i = 1; i < length; ++i) whole = whole && (static_cast<unsigned char>(name[end + i]) >> 6) == 0x2;
            // Overlong forms and surrogates decode to something else: they count as stray bytes.
            if (!whole || QString::fromUtf8(name.mid(end, length)).contains(QChar::ReplacementCharacter)) break;
            end += length;
        }
        text += QString::fromUtf8(name.mid(start, end - start));
        if (end < name.size()) text += QChar(0xDC00 + static_cast<unsigned char>(name[end++]));
        start = end;
    }
    return text;
}

QByteArray FileNameBytes(const QString& name)
{
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        const bool afterHigh = i > 0 && name[i - 1].isHighSurrogate();
        if (unit < 0xDC80 || unit > 0xDCFF || afterHigh) continue;
        bytes += name.mid(start, i - start).toUtf8();
        bytes += static_cast<char>(unit - 0xDC00);
        start = i + 1;
    }
    return bytes + name.mid(start).toUtf8();
}

QStringList ArgumentsAsGiven(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << FileNameText(QByteArray(argv[i]));
    return arguments;
}

FileResult WriteFileSafely(const QString& path, const QByteArray& bytes, FileAccess access)
{
    const QByteArray target = ResolvedTarget(FileNameBytes(path));
    struct stat existing {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return Failed(path, FileFailure::CannotWrite, EISDIR);
    const bool replaces = exists && S_ISREG(existing.st_mode);

    QByteArray temporary;
    const int descriptor = CreateTemporary(target, access == FileAccess::UserOnly ? 0600 : 0666, temporary);
    if (descriptor < 0) return Failed(path, FileFailure::CannotWrite, errno);
    TrackTemporary(temporary);
    if (access == FileAccess::AsBefore && replaces) ::fchmod(descriptor, existing.st_mode & 07777);
    const bool written = WriteSyncClose(descriptor, bytes) && ::rename(temporary.constData(), target.constData()) == 0;
    const int error = errno;
    if (!written) ::unlink(temporary.constData());
    unfinishedTemporarySet = 0;
    if (!written) return Failed(path, FileFailure::CannotWrite, error);
    // The rename itself is made durable with the folder.
    if (const int folder = ::open(FolderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {path};
}

void RemoveUnfinishedTemporary()
{
    if (unfinishedTemporarySet) ::unlink(unfinishedTemporary);
}

InputBytes ReadInputFile(const QString& path, qint64 limit, LinkUse links)
{
    InputBytes input;
    input.result.path = path;
    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (links == LinkUse::Refuse ? O_NOFOLLOW : 0);
    const int descriptor = ::open(FileNameBytes(path).constData(), flags);
    if (descriptor < 0) {
        const bool link = errno == ELOOP && links == LinkUse::Refuse;
        input.result = Failed(path, link ? FileFailure::SymbolicLink : FileFailure::CannotOpen, errno);
        return input;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        input.result = Failed(path, FileFailure::NotRegularFile);
        ::close(descriptor);
        return input;
    }
    input.size = status.st_size;
    // One byte more than the limit tells a file that is too long from one that fits exactly.
    input.bytes.resize(std::min<qint64>(limit + 1, std::max<qint64>(status.st_size, 0) + 1));
    qsizetype done = 0;
    for (;;) {
        const ssize_t got =
            ::read(descriptor, input.bytes.data() + done, static_cast<std::size_t>(input.bytes.size() - done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            input.result = Failed(path, FileFailure::CannotRead, errno);
            break;
        }
        done += got;
        if (got == 0 || done > limit) break;
        // A file that grew while it was read: room for what is still coming, up to the limit.
        if (done == input.bytes.size()) input.bytes.resize(std::min<qint64>(limit + 1, done * 2));
    }
    ::close(descriptor);
    input.bytes.truncate(done);
    input.longer = done > limit;
    if (input.longer) input.bytes.truncate(limit);
    if (!input.ok()) input.bytes.clear();
    return input;
}

FileResult CheckFixedName(const QString& path)
{
    struct stat status {};
    if (::lstat(FileNameBytes(path).constData(), &status) != 0)
        return errno == ENOENT ? FileResult{path} : Failed(path, FileFailure::CannotWrite, errno);
    if (S_ISLNK(status.st_mode)) return Failed(path, FileFailure::SymbolicLink);
    if (!S_ISREG(status.st_mode)) return Failed(path, FileFailure::NotRegularFile);
    return {path};
}

FileResult WriteFixedNameFile(const QString& path, const QByteArray& bytes)
{
    // The rename that ends the write replaces a name, never what a link points to; the check
    // refuses what is there instead of silently replacing it.
    if (const FileResult check = CheckFixedName(path); !check.ok()) return check;
    return WriteFileSafely(path, bytes, FileAccess::UserOnly);
}

FreshFile::~FreshFile() { discard(); }

FileResult FreshFile::create()
{
    if (const FileResult check = CheckFixedName(path_); !check.ok()) return check;
    const QByteArray name = FileNameBytes(path_);
    if (::unlink(name.constData()) != 0 && errno != ENOENT) return Failed(path_, FileFailure::CannotWrite, errno);
    descriptor_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor_ < 0)
        return Failed(path_, errno == ELOOP ? FileFailure::SymbolicLink : FileFailure::CannotWrite, errno);
    return {path_};
}

FileResult FreshFile::fill(const QByteArray& bytes)
{
    const int descriptor = std::exchange(descriptor_, -1);
    if (WriteSyncClose(descriptor, bytes)) return {path_};
    const int error = errno;
    ::unlink(FileNameBytes(path_).constData());
    return Failed(path_, FileFailure::CannotWrite, error);
}

void FreshFile::discard()
{
    if (descriptor_ < 0) return;
    ::close(std::exchange(descriptor_, -1));
    ::unlink(FileNameBytes(path_).constData());
}
